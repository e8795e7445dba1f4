#include "book/cp932.h"

#include "book/format.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace book {

namespace {

constexpr std::string_view replacementChar = "\xEF\xBF\xBD"; // U+FFFD
constexpr std::string_view getaMark = "\x81\xAC";            // 〓

// One iconv descriptor per direction and thread, opened on first use and
// closed when the thread ends.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much of in as it can, appending to out. Returns 0 when all
    // of in is done, else the errno that stopped it (EILSEQ or EINVAL); in
    // then starts at the offending bytes.
    int convert(std::string_view& in, std::string& out)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        for (;;) {
            std::size_t used = out.size();
            out.resize(used + in.size() * 3 + 16);
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = out.data() + used;
            std::size_t dstLeft = out.size() - used;
            std::size_t result = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            out.resize(out.size() - dstLeft);
            in.remove_prefix(in.size() - srcLeft);
            if (error != E2BIG)
                return error;
        }
    }

private:
    iconv_t cd_;
};

Converter& decoder()
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& encoder()
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

bool isAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Length of the UTF-8 character at the start of text, or 0 when the bytes
// there are no well-formed character (overlong forms, surrogates and code
// points past U+10FFFF included).
std::size_t utf8Length(std::string_view text)
{
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char first = at(0);
    std::size_t length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (first < 0x80)
        return 1;
    if (first >= 0xC2 && first <= 0xDF)
        length = 2;
    else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        if (first == 0xE0) low = 0xA0;
        if (first == 0xED) high = 0x9F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        if (first == 0xF0) low = 0x90;
        if (first == 0xF4) high = 0x8F;
    } else
        return 0;
    if (text.size() < length || at(1) < low || at(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (at(i) < 0x80 || at(i) > 0xBF)
            return 0;
    return length;
}

} // namespace

bool isValidUtf8(std::string_view text)
{
    while (!text.empty()) {
        std::size_t n = utf8Length(text);
        if (n == 0)
            return false;
        text.remove_prefix(n);
    }
    return true;
}

std::string decodeCp932(std::string_view bytes)
{
    // Code page 932 agrees with ASCII on every byte below 0x80.
    if (isAscii(bytes))
        return std::string(bytes);

    std::string out;
    out.reserve(bytes.size() * 3);
    while (decoder().convert(bytes, out) != 0 && !bytes.empty()) {
        // A lead byte with a proper trail byte is an unassigned pair: both
        // bytes are lost. Otherwise only the first byte is bad, and the byte
        // after it is read on its own (an ASCII byte stays that byte).
        std::size_t bad = 1;
        if (bytes.size() >= 2 && isLeadByte(static_cast<unsigned char>(bytes[0]))
            && isTrailByte(static_cast<unsigned char>(bytes[1])))
            bad = 2;
        for (std::size_t i = 0; i < bad; ++i)
            out += replacementChar;
        bytes.remove_prefix(bad);
    }
    return out;
}

std::optional<std::string> encodeCp932(std::string_view utf8, std::vector<std::size_t>* lacking)
{
    if (isAscii(utf8))
        return std::string(utf8);
    if (!isValidUtf8(utf8))
        return std::nullopt;

    const std::size_t size = utf8.size();
    std::string out;
    out.reserve(size);
    // The text is valid UTF-8, so iconv can only stop at a character that
    // code page 932 has no code for.
    while (encoder().convert(utf8, out) != 0 && !utf8.empty()) {
        out += getaMark;
        if (lacking)
            lacking->push_back(size - utf8.size());
        utf8.remove_prefix(std::max<std::size_t>(utf8Length(utf8), 1));
    }
    return out;
}

bool isValidCp932(std::string_view bytes)
{
    if (isAscii(bytes))
        return true;
    std::string out;
    return decoder().convert(bytes, out) == 0;
}

} // namespace book
