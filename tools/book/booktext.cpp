#include "tools/book/booktext.h"

#include "book/cp932.h"
#include "book/format.h"

#include <cstdio>
#include <vector>

namespace booktool {

namespace {

constexpr std::string_view kGeta = "\x81\xAC"; // 〓

// The UTF-8 character at offset of valid UTF-8 text, and its code point
// written U+XXXX.
std::string namedCharacter(std::string_view utf8, std::size_t offset)
{
    const auto first = static_cast<unsigned char>(utf8[offset]);
    const std::size_t length = first < 0x80 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
    const std::string_view character = utf8.substr(offset, length);
    char32_t code = length == 1 ? first : first & (0xFF >> (length + 1));
    for (std::size_t i = 1; i < character.size(); ++i)
        code = (code << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(code));
    return "\"" + std::string(character) + "\" (" + hex + ")";
}

bool isTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

std::string hexByte(unsigned char byte)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return hex;
}

} // namespace

std::optional<std::string> fromUtf8(std::string_view utf8, const Origin& origin, bool replace,
                                    Diagnostics& diagnostics)
{
    std::vector<std::size_t> lacking;
    std::optional<std::string> bytes = book::encodeCp932(utf8, &lacking);
    if (!bytes) {
        diagnostics.error(origin, "this text is not valid UTF-8; save the file as UTF-8 or as code page 932 (Shift-JIS)");
        return std::nullopt;
    }
    for (std::size_t offset : lacking) {
        const std::string character = namedCharacter(utf8, offset);
        if (replace)
            diagnostics.warning(origin, "the character " + character
                                            + " is not in code page 932 and is written as \"\xE3\x80\x93\"");
        else
            diagnostics.error(origin, "the character " + character
                                          + " is not in code page 932 (Shift-JIS), which books are written in; "
                                            "write another, or give --replace to put \"\xE3\x80\x93\" in its place");
    }
    if (!lacking.empty() && !replace)
        return std::nullopt;
    return bytes;
}

std::optional<std::string> fromCp932(std::string_view bytes, const Origin& origin, bool replace,
                                     Diagnostics& diagnostics)
{
    if (book::isValidCp932(bytes))
        return std::string(bytes);
    // Only now character by character: one conversion a character would be
    // slow on a large file that is all right.
    std::string out;
    bool bad = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        std::size_t n = book::isLeadByte(lead) && pos + 1 < bytes.size() ? 2 : 1;
        std::string_view unit = bytes.substr(pos, n);
        const bool valid = book::isValidCp932(unit);
        if (!valid && n == 2 && !isTrailByte(static_cast<unsigned char>(unit[1]))) {
            // A lead byte before a byte that cannot follow it stands alone.
            n = 1;
            unit = unit.substr(0, 1);
        }
        if (valid) {
            out += unit;
        } else {
            const std::string what = "byte " + std::to_string(pos + 1) + " (" + hexByte(lead)
                                     + (n == 1 && book::isLeadByte(lead) ? ", a lead byte without its second byte" : "")
                                     + ") is no code page 932 character";
            if (replace) {
                diagnostics.warning(origin, what + " and is written as \"\xE3\x80\x93\"");
                out += kGeta;
            } else {
                diagnostics.error(origin, what + "; give --replace to put \"\xE3\x80\x93\" in its place");
                bad = true;
            }
        }
        pos += n;
    }
    if (bad)
        return std::nullopt;
    return out;
}

} // namespace booktool
