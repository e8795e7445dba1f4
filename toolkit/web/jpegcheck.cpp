#include "toolkit/web/jpegcheck.h"

#include "toolkit/jpegrefusals.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace toolkit {

namespace {

// The desktop's words, with the reason libjpeg would give.
[[noreturn]] void unreadable(const std::string& reason)
{
    throw unreadableJpeg(reason);
}

unsigned char at(std::string_view bytes, std::size_t i)
{
    return static_cast<unsigned char>(bytes[i]);
}

} // namespace

JpegSize checkJpeg(std::string_view bytes)
{
    if (bytes.empty())
        unreadable("データが空です");
    const std::size_t n = bytes.size();
    if (n < 2)
        unreadable("Premature end of JPEG file");
    if (at(bytes, 0) != 0xFF || at(bytes, 1) != 0xD8) {
        char reason[64];
        std::snprintf(reason, sizeof reason, "Not a JPEG file: starts with 0x%02x 0x%02x", at(bytes, 0), at(bytes, 1));
        unreadable(reason);
    }
    JpegSize size;
    bool framed = false;
    int scans = 0;
    std::size_t i = 2;
    while (i + 1 < n) {
        if (at(bytes, i) != 0xFF)
            unreadable("Corrupt JPEG data: bad marker");
        const unsigned char marker = at(bytes, i + 1);
        if (marker == 0xFF) {
            ++i; // fill bytes
            continue;
        }
        i += 2;
        if (marker == 0xD9) {
            if (!framed || scans == 0)
                unreadable("Premature end of JPEG file");
            return size;
        }
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01)
            continue;
        if (i + 1 >= n)
            break;
        const std::size_t length = static_cast<std::size_t>(at(bytes, i)) << 8 | at(bytes, i + 1);
        if (length < 2 || i + length > n)
            break;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && length >= 8) {
            size.height = static_cast<unsigned>(at(bytes, i + 3)) << 8 | at(bytes, i + 4);
            size.width = static_cast<unsigned>(at(bytes, i + 5)) << 8 | at(bytes, i + 6);
            if (size.width == 0 || size.height == 0)
                unreadable("Empty JPEG image (DNL not supported)");
            if (std::uint64_t(size.width) * size.height > kMaxSourcePixels)
                throw tooLargeJpeg(size.width, size.height);
            framed = true;
        }
        i += length;
        if (marker == 0xDA) {
            if (!framed)
                unreadable("Improper call to JPEG library in state 201");
            ++scans;
            // The coded data runs to the next marker that is neither a
            // stuffed zero nor a restart marker.
            while (i + 1 < n && !(at(bytes, i) == 0xFF && at(bytes, i + 1) != 0x00
                                  && !(at(bytes, i + 1) >= 0xD0 && at(bytes, i + 1) <= 0xD7)))
                ++i;
        }
    }
    unreadable("Premature end of JPEG file");
}

JpegSize scaledForBox(JpegSize picture, int boxWidth, int boxHeight)
{
    if (boxWidth <= 0 || boxHeight <= 0)
        return picture;
    for (unsigned num = 1; num <= 8; ++num) {
        const JpegSize scaled{(picture.width * num + 7) / 8, (picture.height * num + 7) / 8};
        if (scaled.width >= unsigned(boxWidth) && scaled.height >= unsigned(boxHeight))
            return scaled;
    }
    return picture;
}

} // namespace toolkit
