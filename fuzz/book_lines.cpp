// A book's bytes: read as the opening reads them (a book saved as UTF-8
// converted), split into lines, every line split into items and decoded
// from code page 932, with what each step must keep true.

#include "book/cp932.h"
#include "book/encoding.h"
#include "book/format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool validUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                                                                   : c >= 0xF0 && c <= 0xF4 ? 4
                                                                                            : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t j = 1; j < length; ++j)
            if ((static_cast<unsigned char>(text[i + j]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

// The lines and items of a book's bytes.
void splitBook(std::string_view bytes);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    splitBook(raw);

    // A file saved as UTF-8 becomes code page 932; anything else stays as it
    // is (a byte order mark before text that is no UTF-8 is dropped).
    const book::BookText text = book::toCp932Book(std::string(raw));
    const bool marked = raw.substr(0, 3) == "\xEF\xBB\xBF";
    if (text.found == book::Encoding::Cp932)
        require(text.bytes == (marked ? raw.substr(3) : raw), "a book taken as it stands was changed");
    else
        require(book::isValidCp932(text.bytes), "a converted book is no code page 932");
    if (text.bytes != raw)
        splitBook(text.bytes);
    return 0;
}

namespace {

void splitBook(std::string_view bytes)
{
    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    const auto lines = book::splitLines(bytes);

    // Lines hold no break and no NUL, and together with their breaks make up
    // the text before the first NUL, in order.
    std::size_t at = 0;
    for (const std::string& line : lines) {
        require(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos, "a line holds a break or NUL");
        require(text.compare(at, line.size(), line) == 0, "a line is not the text at its place");
        at += line.size();
        if (at < text.size() && text[at] == '\r')
            ++at;
        if (at < text.size() && text[at] == '\n')
            ++at;
    }
    require(at == text.size(), "the lines do not cover the text");

    for (const std::string& line : lines) {
        const auto items = book::splitItems(line);
        std::size_t itemBytes = 0;
        for (const std::string& item : items)
            itemBytes += item.size();
        require(itemBytes <= line.size(), "the items hold more bytes than their line");
        require(items.size() <= line.size(), "more items than bytes");

        const std::string shown = book::decodeCp932(line);
        require(validUtf8(shown), "decoding gave no valid UTF-8");
        if (book::isValidCp932(line)) {
            // Every character came through: back to code page 932 and again
            // to UTF-8 gives the same text.
            const auto again = book::encodeCp932(shown);
            require(again.has_value(), "decoded text does not encode");
            require(book::decodeCp932(*again) == shown, "decoding does not survive a round trip");
        }
        bool ascii = true;
        for (char c : line)
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii)
            require(shown == line, "ASCII does not decode to itself");
        for (const std::string& item : items)
            require(validUtf8(book::decodeCp932(item)), "decoding an item gave no valid UTF-8");
    }
}

} // namespace
