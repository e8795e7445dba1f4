#include "toolkit/jpeg.h"

#include "toolkit/errors.h"
#include "tools/jpegencode.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using toolkit::decodeJpeg;
using toolkit::RgbImage;
using tools::encodeJpeg;
using tools::JpegOptions;

struct Rgb {
    int r, g, b;
};

std::string encodeRgb(int width, int height, const std::function<Rgb(int, int)>& colour,
                      const JpegOptions& options = {})
{
    std::vector<unsigned char> samples(std::size_t(width) * height * 3);
    unsigned char* p = samples.data();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = colour(x, y);
            *p++ = static_cast<unsigned char>(c.r);
            *p++ = static_cast<unsigned char>(c.g);
            *p++ = static_cast<unsigned char>(c.b);
        }
    return encodeJpeg(width, height, 3, JCS_RGB, samples, options);
}

// Red, green, blue and white quadrants.
Rgb quadrant(int x, int y, int width, int height)
{
    const bool right = x >= width / 2;
    const bool bottom = y >= height / 2;
    if (!bottom)
        return right ? Rgb{0, 200, 0} : Rgb{220, 20, 20};
    return right ? Rgb{250, 250, 250} : Rgb{20, 20, 220};
}

std::string quadrants(int width, int height, const JpegOptions& options = {})
{
    return encodeRgb(
        width, height, [=](int x, int y) { return quadrant(x, y, width, height); }, options);
}

// Deterministic noise, so that the compressed data is long.
std::string noisy(int width, int height, const JpegOptions& options = {})
{
    return encodeRgb(
        width, height,
        [](int x, int y) {
            const unsigned h = (unsigned(x) * 73856093u) ^ (unsigned(y) * 19349663u);
            return Rgb{int(h % 256), int((h >> 8) % 256), int((h >> 16) % 256)};
        },
        options);
}

Rgb pixelAt(const RgbImage& image, int x, int y)
{
    const unsigned char* p = &image.pixels.at((std::size_t(y) * image.width + x) * 3);
    return {p[0], p[1], p[2]};
}

void expectColour(const RgbImage& image, int x, int y, Rgb expected, int tolerance = 12)
{
    const Rgb got = pixelAt(image, x, y);
    EXPECT_NEAR(got.r, expected.r, tolerance) << "red at " << x << "," << y;
    EXPECT_NEAR(got.g, expected.g, tolerance) << "green at " << x << "," << y;
    EXPECT_NEAR(got.b, expected.b, tolerance) << "blue at " << x << "," << y;
}

void expectQuadrants(const RgbImage& image)
{
    const int w = image.width, h = image.height;
    expectColour(image, w / 4, h / 4, {220, 20, 20});
    expectColour(image, 3 * w / 4, h / 4, {0, 200, 0});
    expectColour(image, w / 4, 3 * h / 4, {20, 20, 220});
    expectColour(image, 3 * w / 4, 3 * h / 4, {250, 250, 250});
}

// Offset of the start-of-frame marker (FF C0 baseline, FF C2 progressive).
std::size_t frameMarker(const std::string& bytes)
{
    for (std::size_t i = 2; i + 1 < bytes.size(); ++i)
        if (bytes[i] == '\xFF' && (bytes[i + 1] == '\xC0' || bytes[i + 1] == '\xC2'))
            return i;
    ADD_FAILURE() << "no frame marker";
    return 0;
}

// Rewrites the picture size the frame header declares; the data stays small.
std::string withDeclaredSize(std::string bytes, unsigned width, unsigned height)
{
    const std::size_t sof = frameMarker(bytes);
    bytes[sof + 5] = char(height >> 8);
    bytes[sof + 6] = char(height & 0xFF);
    bytes[sof + 7] = char(width >> 8);
    bytes[sof + 8] = char(width & 0xFF);
    return bytes;
}

// Offset of the first byte of compressed data after the first scan header.
std::size_t scanData(const std::string& bytes)
{
    for (std::size_t i = 2; i + 3 < bytes.size(); ++i)
        if (bytes[i] == '\xFF' && bytes[i + 1] == '\xDA') {
            const std::size_t length = (unsigned char)bytes[i + 2] * 256u + (unsigned char)bytes[i + 3];
            return i + 2 + length;
        }
    ADD_FAILURE() << "no scan";
    return 0;
}

std::string errorOf(const std::string& bytes, int boxWidth = 0, int boxHeight = 0)
{
    try {
        decodeJpeg(bytes, boxWidth, boxHeight);
    } catch (const toolkit::Error& e) {
        return e.what();
    }
    return "(no error)";
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

const std::string kUnreadable = "読み込めません";
const std::string kTooLarge = "大きすぎ";

TEST(JpegDecode, BaselineGivesSizeAndColours)
{
    const std::string bytes = quadrants(64, 48);
    ASSERT_EQ(bytes[frameMarker(bytes) + 1], '\xC0');
    const RgbImage image = decodeJpeg(bytes);
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 48);
    EXPECT_EQ(image.pixels.size(), 64u * 48 * 3);
    expectQuadrants(image);
}

TEST(JpegDecode, ProgressiveGivesSizeAndColours)
{
    JpegOptions options;
    options.progressive = true;
    const std::string bytes = quadrants(80, 56, options);
    ASSERT_EQ(bytes[frameMarker(bytes) + 1], '\xC2');
    const RgbImage image = decodeJpeg(bytes);
    EXPECT_EQ(image.width, 80);
    EXPECT_EQ(image.height, 56);
    EXPECT_EQ(image.pixels.size(), 80u * 56 * 3);
    expectQuadrants(image);
}

// A size that is no multiple of the block size, with a colour that depends on
// both coordinates, so row length or row order mistakes show.
TEST(JpegDecode, OddSizeKeepsEveryRowInPlace)
{
    JpegOptions options;
    options.fullChroma = true;
    const auto colour = [](int x, int y) { return Rgb{x * 6, y * 10, 128}; };
    const RgbImage image = decodeJpeg(encodeRgb(37, 23, colour, options));
    ASSERT_EQ(image.width, 37);
    ASSERT_EQ(image.height, 23);
    ASSERT_EQ(image.pixels.size(), 37u * 23 * 3);
    for (int y = 1; y < 22; y += 4)
        for (int x = 1; x < 36; x += 5)
            expectColour(image, x, y, colour(x, y), 10);
}

TEST(JpegDecode, GreyscaleComesOutAsRgb)
{
    std::vector<unsigned char> samples(40 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 40; ++x)
            samples[y * 40 + x] = static_cast<unsigned char>(x * 6);
    const RgbImage image = decodeJpeg(encodeJpeg(40, 16, 1, JCS_GRAYSCALE, samples));
    ASSERT_EQ(image.width, 40);
    ASSERT_EQ(image.height, 16);
    ASSERT_EQ(image.pixels.size(), 40u * 16 * 3);
    for (int x = 2; x < 40; x += 6) {
        const Rgb p = pixelAt(image, x, 8);
        EXPECT_EQ(p.r, p.g);
        EXPECT_EQ(p.g, p.b);
        EXPECT_NEAR(p.r, x * 6, 8) << "at x " << x;
    }
}

// Left half red, right half blue, bottom rows mid grey (black ink only).
// Ink amounts are given as 0..255; Adobe files store them inverted.
std::string cmykPicture(bool inverted, J_COLOR_SPACE stored)
{
    std::vector<unsigned char> samples(32 * 32 * 4);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            unsigned char ink[4] = {0, 255, 255, 0};    // red
            if (x >= 16)
                ink[0] = 255, ink[1] = 255, ink[2] = 0; // blue
            if (y >= 24)
                ink[0] = ink[1] = ink[2] = 0, ink[3] = 128;
            for (int i = 0; i < 4; ++i)
                samples[(y * 32 + x) * 4 + i] = inverted ? 255 - ink[i] : ink[i];
        }
    JpegOptions options;
    options.stored = stored;
    options.adobeMarker = inverted;
    options.fullChroma = true;
    return encodeJpeg(32, 32, 4, JCS_CMYK, samples, options);
}

void expectCmykColours(const RgbImage& image)
{
    ASSERT_EQ(image.width, 32);
    ASSERT_EQ(image.height, 32);
    ASSERT_EQ(image.pixels.size(), 32u * 32 * 3);
    expectColour(image, 6, 8, {255, 0, 0}, 14);
    expectColour(image, 26, 8, {0, 0, 255}, 14);
    expectColour(image, 16, 29, {127, 127, 127}, 14);
}

TEST(JpegDecode, AdobeCmykComesOutAsRgb)
{
    expectCmykColours(decodeJpeg(cmykPicture(true, JCS_CMYK)));
}

TEST(JpegDecode, AdobeYcckComesOutAsRgb)
{
    expectCmykColours(decodeJpeg(cmykPicture(true, JCS_YCCK)));
}

TEST(JpegDecode, PlainCmykComesOutAsRgb)
{
    expectCmykColours(decodeJpeg(cmykPicture(false, JCS_CMYK)));
}

// Pictures for the scaling tests; the big one is encoded once.
const std::string& picture4000x3000()
{
    static const std::string bytes = quadrants(4000, 3000);
    return bytes;
}

void expectDecodedSize(const std::string& bytes, int boxWidth, int boxHeight, int width,
                       int height)
{
    const RgbImage image = decodeJpeg(bytes, boxWidth, boxHeight);
    EXPECT_EQ(image.width, width) << "box " << boxWidth << "x" << boxHeight;
    EXPECT_EQ(image.height, height) << "box " << boxWidth << "x" << boxHeight;
    EXPECT_EQ(image.pixels.size(), std::size_t(width) * height * 3);
    expectQuadrants(image);
}

TEST(JpegScale, BigPictureShrinksToSmallestSizeCoveringTheBox)
{
    const std::string& big = picture4000x3000();
    expectDecodedSize(big, 730, 420, 1000, 750);   // 2/8: 1/8 would be 375 high
    expectDecodedSize(big, 1920, 1080, 2000, 1500); // 4/8
    expectDecodedSize(big, 100, 100, 500, 375);     // 1/8 is the smallest scale
    expectDecodedSize(big, 3000, 2251, 3500, 2625); // 7/8: 6/8 gives only 2250 rows
    expectDecodedSize(big, 3000, 2626, 4000, 3000); // 8/8: 7/8 gives only 2625 rows
    expectDecodedSize(big, 3000, 2250, 3000, 2250); // 6/8 exactly
}

TEST(JpegScale, NoBoxMeansFullSize)
{
    const std::string& big = picture4000x3000();
    expectDecodedSize(big, 0, 0, 4000, 3000);
    expectDecodedSize(big, 0, 420, 4000, 3000);
    expectDecodedSize(big, 730, 0, 4000, 3000);
}

TEST(JpegScale, PictureNoBiggerThanTheBoxKeepsItsSize)
{
    expectDecodedSize(quadrants(730, 420), 730, 420, 730, 420);
    expectDecodedSize(quadrants(307, 230), 730, 420, 307, 230);
    // Wide enough but too low: never enlarged.
    expectDecodedSize(quadrants(800, 600), 1000, 10, 800, 600);
}

TEST(JpegScale, ProgressivePictureScalesToo)
{
    JpegOptions options;
    options.progressive = true;
    expectDecodedSize(quadrants(1600, 1200, options), 730, 420, 800, 600);
}

void expectEveryTruncationFails(const std::string& bytes, int boxWidth, int boxHeight)
{
    ASSERT_NO_THROW(decodeJpeg(bytes, boxWidth, boxHeight));
    for (std::size_t length = 1; length < bytes.size(); ++length) {
        const std::string message = errorOf(bytes.substr(0, length), boxWidth, boxHeight);
        ASSERT_TRUE(contains(message, kUnreadable))
            << "cut to " << length << " of " << bytes.size() << ": " << message;
    }
}

TEST(JpegBroken, TruncatedBaselineFails)
{
    expectEveryTruncationFails(noisy(48, 40), 0, 0);
    expectEveryTruncationFails(noisy(48, 40), 12, 10);
}

TEST(JpegBroken, TruncatedProgressiveFails)
{
    JpegOptions options;
    options.progressive = true;
    expectEveryTruncationFails(noisy(48, 40, options), 0, 0);
    expectEveryTruncationFails(noisy(48, 40, options), 12, 10);
}

// A marker in the middle of the compressed data ends it early; libjpeg would
// fill the rest with grey and only warn.
TEST(JpegBroken, MarkerInsideTheDataFails)
{
    JpegOptions progressive;
    progressive.progressive = true;
    for (const std::string& good : {noisy(64, 64), noisy(64, 64, progressive)}) {
        std::string bad = good;
        const std::size_t middle = (scanData(good) + good.size()) / 2;
        bad[middle] = '\xFF';
        bad[middle + 1] = '\xD9';
        EXPECT_TRUE(contains(errorOf(bad), kUnreadable)) << errorOf(bad);
    }
}

TEST(JpegBroken, CorruptFrameHeaderFails)
{
    const std::string good = quadrants(32, 32);
    const std::size_t sof = frameMarker(good);
    ASSERT_NO_THROW(decodeJpeg(good));

    std::string precision = good;
    precision[sof + 4] = 9;
    EXPECT_TRUE(contains(errorOf(precision), kUnreadable)) << errorOf(precision);

    std::string components = good;
    components[sof + 9] = 0;
    EXPECT_TRUE(contains(errorOf(components), kUnreadable)) << errorOf(components);

    std::string length = good;
    length[sof + 3] = 3;
    EXPECT_TRUE(contains(errorOf(length), kUnreadable)) << errorOf(length);

    EXPECT_TRUE(contains(errorOf(withDeclaredSize(good, 0, 32)), kUnreadable));
}

TEST(JpegBroken, OtherBytesFail)
{
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x20\0\0\0\x20\x08\x02\0\0\0", 29);
    for (const std::string& bytes :
         {std::string("GIF89a\x20\0\x20\0", 10), png, std::string("hello, world"),
          std::string("\xFF"), std::string("\xFF\xD8"), std::string("\xFF\xD8\xFF\xD9")}) {
        EXPECT_TRUE(contains(errorOf(bytes), kUnreadable)) << errorOf(bytes);
    }
}

TEST(JpegBroken, EmptyInputFails)
{
    EXPECT_TRUE(contains(errorOf(""), kUnreadable)) << errorOf("");
    EXPECT_TRUE(contains(errorOf("", 730, 420), kUnreadable));
}

TEST(JpegSize, HugeDeclaredPictureIsRefused)
{
    const std::string huge = withDeclaredSize(quadrants(16, 16), 65000, 65000);
    const std::string plain = errorOf(huge);
    const std::string boxed = errorOf(huge, 730, 420);
    EXPECT_TRUE(contains(plain, kTooLarge)) << plain;
    EXPECT_TRUE(contains(boxed, kTooLarge)) << boxed;
}

// 132 megapixels of source are refused even when the output would be small.
TEST(JpegSize, SourceAbove120MegapixelsIsRefused)
{
    const std::string big = withDeclaredSize(quadrants(16, 16), 12000, 11000);
    EXPECT_TRUE(contains(errorOf(big, 730, 420), kTooLarge)) << errorOf(big, 730, 420);
    // Just below the cap the size is accepted, and the missing data is what fails.
    const std::string fits = withDeclaredSize(quadrants(16, 16), 12000, 10000);
    EXPECT_TRUE(contains(errorOf(fits, 730, 420), kUnreadable)) << errorOf(fits, 730, 420);
}

// The output cap counts the scaled size: 48 megapixels fail at full size but
// pass when shrunk into a box (then the missing data is what fails).
TEST(JpegSize, OutputAbove40MegapixelsIsRefused)
{
    const std::string big = withDeclaredSize(quadrants(16, 16), 8000, 6000);
    EXPECT_TRUE(contains(errorOf(big), kTooLarge)) << errorOf(big);
    EXPECT_TRUE(contains(errorOf(big, 730, 420), kUnreadable)) << errorOf(big, 730, 420);
}

// A progressive picture needs all its coefficients in memory: 100 megapixels
// with full-resolution colour would take 600 MB, more than libjpeg may use.
TEST(JpegSize, ProgressivePictureBeyondTheMemoryLimitIsRefused)
{
    JpegOptions options;
    options.progressive = true;
    options.fullChroma = true;
    const std::string big = withDeclaredSize(quadrants(16, 16, options), 10000, 10000);
    EXPECT_TRUE(contains(errorOf(big, 730, 420), kTooLarge)) << errorOf(big, 730, 420);
    // A small progressive picture of the same kind still decodes.
    EXPECT_NO_THROW(decodeJpeg(quadrants(16, 16, options), 730, 420));
}

} // namespace
