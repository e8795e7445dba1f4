#include "bench/fixtures.h"

#include "book/cp932.h"
#include "tools/jpegencode.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace bench {

namespace {

// UTF-8 lines to a code page 932 book with CR LF line ends.
std::string cp932Book(const std::string& utf8)
{
    std::string book;
    std::istringstream lines(utf8);
    for (std::string line; std::getline(lines, line);) {
        const auto bytes = book::encodeCp932(line);
        if (!bytes)
            throw std::runtime_error("not UTF-8: " + line);
        book += *bytes;
        book += "\r\n";
    }
    return book;
}

const char* const kWords[] = {"study", "play", "watch", "visit", "clean", "cook", "help", "open"};

} // namespace

std::string threeLineBook(int questions)
{
    std::ostringstream text;
    text << "ベンチマーク用の問題集（" << questions << "問）\n";
    text << "（　）に入る最も適切な語を選びなさい。\n";
    for (int q = 1; q <= questions; ++q) {
        const char* word = kWords[q % 8];
        // The third question line is never in view in this layout.
        text << "私は毎日英語を勉強します。（第" << q << "問）\n";
        text << "I (          ) English every day. No." << q << "\n\n";
        text << word << q << "\n" << word << "s" << q << "\n" << word << "ed" << q << "\n"
             << word << "ing" << q << "\n"
             << "\"to " << word << q << "\"\n";
    }
    return cp932Book(text.str());
}

std::string longLineBook(int questions)
{
    std::ostringstream text;
    text << "PIYORAN BENCHMARK\n";
    text << "ベンチマーク用の長い行の問題集（" << questions << "問）\n\n\n";
    for (int q = 1; q <= questions; ++q) {
        const char* word = kWords[q % 8];
        // About 100 bytes in code page 932, Japanese (two bytes a
        // character) then English: two of the three 56-byte pieces.
        text << "第" << q << "問　次の英文の（　）に入る語を選びなさい。"
             << "My brother (          ) his room every Sunday.\n";
        text << word << q << "\n" << word << "s" << q << "\n" << word << "ed" << q << "\n"
             << word << "ing" << q << "\n"
             << "\"to " << word << q << "\"\n\n";
        // Two empty lines between blocks; one after the last.
        if (q < questions)
            text << "\n";
    }
    return cp932Book(text.str());
}

std::string enormousThreeLineBook(std::size_t bytes)
{
    std::string book = threeLineBook(200);
    // The blocks start after the title and heading lines.
    const std::string blocks = book.substr(book.find("\r\n", book.find("\r\n") + 2) + 2);
    book.reserve(bytes + blocks.size());
    while (book.size() < bytes)
        book += blocks;
    return book;
}

std::string photoJpeg(int width, int height)
{
    // The smooth fields are sums of products of one sine of the column and
    // one of the row, so they come from tables: quick enough for 12 MP.
    struct Waves {
        std::vector<double> values;
        Waves(int n, double frequency, double phase)
        {
            for (int i = 0; i < n; ++i)
                values.push_back(std::sin(frequency * i / n + phase));
        }
        double operator[](int i) const { return values[static_cast<std::size_t>(i)]; }
    };
    constexpr double kQuarter = 1.5707963267948966;
    const Waves sin9u(width, 9, 0), cos9u(width, 9, kQuarter), sin5u(width, 5, 0);
    const Waves sin11u(width, 11, 0), cos11u(width, 11, kQuarter), sin13u(width, 13, 0);
    const Waves sin31u(width, 31, 0), cos23u(width, 23, kQuarter), sin47u(width, 47, 0);
    const Waves sin3v(height, 3, 0), cos3v(height, 3, kQuarter), cos7v(height, 7, kQuarter);
    const Waves sin4v(height, 4, 0), cos4v(height, 4, kQuarter), cos17v(height, 17, kQuarter);
    const Waves cos9v(height, 9, kQuarter);

    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    std::uint32_t noise = 2463534242u;
    for (int y = 0; y < height; ++y) {
        unsigned char* out = rgb.data() + static_cast<std::size_t>(y) * width * 3;
        const double v = static_cast<double>(y) / height;
        for (int x = 0; x < width; ++x, out += 3) {
            const double u = static_cast<double>(x) / width;
            // A sky-to-ground field with soft shapes, a wavy horizon with
            // busier ground below it, a sun, and grain as a sensor gives.
            double r, g, b;
            if (v > 0.62 + 0.05 * sin13u[x]) {
                r = 90 + 50 * sin31u[x] * cos17v[y];
                g = 120 + 45 * cos23u[x] * cos9v[y];
                b = 60 + 20 * sin47u[x];
            } else {
                r = 70 + 120 * v + 40 * (sin9u[x] * cos3v[y] + cos9u[x] * sin3v[y]);
                g = 110 + 60 * sin5u[x] * cos7v[y] + 30 * v;
                b = 200 - 120 * v + 35 * (cos11u[x] * cos4v[y] + sin11u[x] * sin4v[y]);
            }
            const double dx = u - 0.7, dy = v - 0.3;
            if (dx * dx + dy * dy < 0.01) {
                r = 250;
                g = 230;
                b = 160;
            }
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const int grain = static_cast<int>(noise % 17) - 8;
            out[0] = static_cast<unsigned char>(std::clamp(static_cast<int>(r) + grain, 0, 255));
            out[1] = static_cast<unsigned char>(std::clamp(static_cast<int>(g) + grain, 0, 255));
            out[2] = static_cast<unsigned char>(std::clamp(static_cast<int>(b) + grain, 0, 255));
        }
    }

    tools::JpegOptions options;
    options.quality = 90;
    return tools::encodeJpeg(width, height, 3, JCS_RGB, rgb, options);
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return bytes.str();
}

std::string makeTempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "piyoran-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

void removeTree(const std::string& folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

} // namespace bench
