// The C library's converter for the two conversions the program makes, code
// page 932 to UTF-8 and back: the browser's C library has no code page 932.
// It answers as the desktop's iconv does (its tables are read off it), down
// to where a conversion stops and why, so book/cp932.cpp reads every book
// in the browser as on the desktop.

#include "toolkit/web/cp932_table.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

using namespace toolkit::cp932;

enum class Direction { Decode, Encode };

Direction directions[2] = {Direction::Decode, Direction::Encode};

bool named(const char* name, const char* wanted)
{
    return strcasecmp(name, wanted) == 0;
}

bool isUtf8Name(const char* name)
{
    return named(name, "UTF-8") || named(name, "UTF8");
}

bool isCp932Name(const char* name)
{
    return named(name, "CP932") || named(name, "WINDOWS-31J");
}

int pairAt(unsigned char lead, unsigned char trail)
{
    const unsigned char* end = kLeads + kLeadCount;
    const unsigned char* found = std::lower_bound(kLeads, end, lead);
    if (found == end || *found != lead)
        return 0;
    return kPairs[(found - kLeads) * 256 + trail];
}

// The UTF-8 bytes of a code point below U+10000.
int putUtf8(unsigned point, char* out)
{
    if (point < 0x80) {
        out[0] = static_cast<char>(point);
        return 1;
    }
    if (point < 0x800) {
        out[0] = static_cast<char>(0xC0 | point >> 6);
        out[1] = static_cast<char>(0x80 | (point & 0x3F));
        return 2;
    }
    out[0] = static_cast<char>(0xE0 | point >> 12);
    out[1] = static_cast<char>(0x80 | (point >> 6 & 0x3F));
    out[2] = static_cast<char>(0x80 | (point & 0x3F));
    return 3;
}

// Reads one UTF-8 character: its length, 0 when the bytes are no character,
// -1 when the text ends inside it.
int takeUtf8(const unsigned char* in, std::size_t left, unsigned& point)
{
    const unsigned char first = in[0];
    int length;
    if (first < 0x80) {
        point = first;
        return 1;
    }
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        point = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        point = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        point = first & 0x07;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (static_cast<std::size_t>(i) >= left)
            return -1;
        if ((in[i] & 0xC0) != 0x80)
            return 0;
        point = point << 6 | (in[i] & 0x3F);
    }
    return length;
}

std::size_t fail(int error)
{
    errno = error;
    return static_cast<std::size_t>(-1);
}

std::size_t decode(char** inBuffer, std::size_t* inLeft, char** outBuffer, std::size_t* outLeft)
{
    while (*inLeft > 0) {
        const auto* in = reinterpret_cast<const unsigned char*>(*inBuffer);
        unsigned point = kSingle[in[0]];
        std::size_t used = 1;
        if (point == kNoCharacter)
            return fail(EILSEQ);
        if (point == kLeadByte) {
            if (*inLeft < 2)
                return fail(EINVAL);
            point = pairAt(in[0], in[1]);
            if (point == 0)
                return fail(EILSEQ);
            used = 2;
        }
        char bytes[4];
        const int length = putUtf8(point, bytes);
        if (*outLeft < static_cast<std::size_t>(length))
            return fail(E2BIG);
        std::memcpy(*outBuffer, bytes, static_cast<std::size_t>(length));
        *outBuffer += length;
        *outLeft -= static_cast<std::size_t>(length);
        *inBuffer += used;
        *inLeft -= used;
    }
    return 0;
}

std::size_t encode(char** inBuffer, std::size_t* inLeft, char** outBuffer, std::size_t* outLeft)
{
    while (*inLeft > 0) {
        unsigned point = 0;
        const int length = takeUtf8(reinterpret_cast<const unsigned char*>(*inBuffer), *inLeft, point);
        if (length < 0)
            return fail(EINVAL);
        if (length == 0)
            return fail(EILSEQ);
        unsigned bytes = point;
        if (point >= 0x80) {
            const unsigned short* end = kEncodedPoints + kEncodedCount;
            const unsigned short* found = point > 0xFFFF ? end : std::lower_bound(kEncodedPoints, end, point);
            if (found == end || *found != point)
                return fail(EILSEQ);
            bytes = kEncodedBytes[found - kEncodedPoints];
        }
        const std::size_t width = bytes > 0xFF ? 2 : 1;
        if (*outLeft < width)
            return fail(E2BIG);
        if (width == 2)
            *(*outBuffer)++ = static_cast<char>(bytes >> 8);
        *(*outBuffer)++ = static_cast<char>(bytes & 0xFF);
        *outLeft -= width;
        *inBuffer += length;
        *inLeft -= static_cast<std::size_t>(length);
    }
    return 0;
}

} // namespace

extern "C" {

iconv_t iconv_open(const char* to, const char* from)
{
    if (isUtf8Name(to) && isCp932Name(from))
        return &directions[0];
    if (isCp932Name(to) && isUtf8Name(from))
        return &directions[1];
    errno = EINVAL;
    return reinterpret_cast<iconv_t>(-1);
}

std::size_t iconv(iconv_t cd, char** in, std::size_t* inLeft, char** out, std::size_t* outLeft)
{
    // Neither conversion keeps a state between calls.
    if (!in || !*in || !inLeft)
        return 0;
    return *static_cast<Direction*>(cd) == Direction::Decode ? decode(in, inLeft, out, outLeft)
                                                              : encode(in, inLeft, out, outLeft);
}

int iconv_close(iconv_t)
{
    return 0;
}

} // extern "C"
