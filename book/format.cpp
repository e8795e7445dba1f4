#include "book/format.h"

#include <algorithm>

namespace book {

namespace {

bool isBlank(unsigned char byte) { return byte >= 1 && byte <= 32; }

// Bytes in the character that starts at pos: two for a lead byte with a byte
// after it, else one, so a scan never leaves the line.
std::size_t unitLength(std::string_view text, std::size_t pos)
{
    if (isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size())
        return 2;
    return 1;
}

std::size_t skipBlanks(std::string_view text, std::size_t pos)
{
    // Blank bytes are all below 0x80, so they are never lead bytes.
    while (pos < text.size() && isBlank(static_cast<unsigned char>(text[pos])))
        ++pos;
    return pos;
}

// The quoted item whose opening quote is at pos; pos ends past the closing
// quote, or at the end of the line when the quote is never closed.
std::string quotedItem(std::string_view text, std::size_t& pos)
{
    std::string item;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                item += '"';
                pos += 2;
                continue;
            }
            ++pos;
            return item;
        }
        std::size_t n = unitLength(text, pos);
        item.append(text.substr(pos, n));
        pos += n;
    }
    return item;
}

std::string plainItem(std::string_view text, std::size_t& pos)
{
    std::size_t start = pos;
    while (pos < text.size()) {
        unsigned char byte = static_cast<unsigned char>(text[pos]);
        if (isBlank(byte) || byte == ',')
            break;
        pos += unitLength(text, pos);
    }
    return std::string(text.substr(start, pos - start));
}

} // namespace

bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::vector<std::string> splitLines(std::string_view bytes, std::size_t maxLines)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size() && lines.size() < maxLines) {
        // A plain scan: find_first_of with a set calls memchr for every byte.
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        lines.emplace_back(bytes.substr(pos, end - pos));
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r')
            ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return lines;
}

std::vector<std::string> splitItems(std::string_view line)
{
    // A NUL ends the line, as it ends a book's text: nothing after it counts.
    line = line.substr(0, line.find('\0'));
    std::vector<std::string> items;
    std::size_t pos = skipBlanks(line, 0);
    while (pos < line.size()) {
        // Whatever follows a closing quote directly (neither blank nor comma)
        // starts the next item, as a string list's comma text reads it:
        // "ab"cd gives the items ab and cd.
        if (line[pos] == '"')
            items.push_back(quotedItem(line, pos));
        else
            items.push_back(plainItem(line, pos));
        pos = skipBlanks(line, pos);
        if (pos < line.size() && line[pos] == ',')
            pos = skipBlanks(line, pos + 1);
    }
    return items;
}

std::string quoteItem(std::string_view item)
{
    // Trail bytes are 0x40 or above, so a byte scan cannot mistake one for
    // a blank, a comma or a quote.
    const bool plain = !item.empty() && std::none_of(item.begin(), item.end(), [](char c) {
        return isBlank(static_cast<unsigned char>(c)) || c == ',' || c == '"';
    });
    if (plain)
        return std::string(item);
    std::string quoted = "\"";
    for (char c : item) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

Layout layoutOf(std::string_view fileName)
{
    // File names may come from the file system in UTF-8, so no double-byte
    // stepping here: no byte of a UTF-8 name can be taken for "/", "\" or
    // ".", and a code page 932 name can only go wrong if a trail byte 0x5C
    // stands after its last dot.
    std::size_t slash = fileName.find_last_of("/\\");
    if (slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return Layout::NotABook;

    std::string ext(fileName.substr(dot, 4));
    for (char& c : ext)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (ext == ".TXT")
        return Layout::ThreeLine;
    if (ext.size() == 4 && ext.compare(0, 3, ".QT") == 0 && ext[3] >= '1' && ext[3] <= '9')
        return Layout::LongLine;
    return Layout::NotABook;
}

int questionCount(int lineCount, Layout layout)
{
    int header = 0;
    switch (layout) {
    case Layout::ThreeLine: header = 2; break;
    case Layout::LongLine: header = 3; break;
    case Layout::NotABook: return 0;
    }
    // Subtract in a wider type so a count near INT_MIN cannot overflow.
    long long blocks = (static_cast<long long>(lineCount) - header) / 8;
    return static_cast<int>(std::max(blocks, 0LL));
}

std::array<std::string, 3> longLinePieces(std::string_view line)
{
    constexpr std::size_t piece = 56;
    std::array<std::string, 3> pieces;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::size_t start = i * piece;
        if (start < line.size())
            pieces[i] = std::string(line.substr(start, piece));
    }
    return pieces;
}

} // namespace book
