// The layout told by a file name, the question count of a line count, and
// the three 56-byte pieces of a long question line, each against what the
// book format says of it.

#include "book/format.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// The extension rule spelled out another way: the part of the last path
// element from its last dot on, ASCII letters upper-cased, cut to four bytes.
book::Layout expectedLayout(std::string_view name)
{
    std::string last;
    for (char c : name) {
        if (c == '/' || c == '\\')
            last.clear();
        else
            last += c;
    }
    const std::size_t dot = last.rfind('.');
    if (dot == std::string::npos)
        return book::Layout::NotABook;
    std::string ext;
    for (std::size_t i = dot; i < last.size() && ext.size() < 4; ++i) {
        const char c = last[i];
        ext += c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    }
    if (ext == ".TXT")
        return book::Layout::ThreeLine;
    for (char digit = '1'; digit <= '9'; ++digit)
        if (ext == std::string(".QT") + digit)
            return book::Layout::LongLine;
    return book::Layout::NotABook;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Layout of the bytes taken as a file name, alone and inside folders.
    const book::Layout layout = book::layoutOf(bytes);
    require(layout == expectedLayout(bytes), "layoutOf disagrees with the extension rule");
    require(book::layoutOf("folder/" + std::string(bytes)) == layout, "a folder changes the layout");
    require(book::layoutOf("C:\\books\\" + std::string(bytes)) == layout, "a Windows folder changes the layout");

    // Question counts, for a line count made of the first four bytes.
    std::int32_t lines = 0;
    std::memcpy(&lines, data, std::min<std::size_t>(size, sizeof lines));
    for (const book::Layout each : {book::Layout::ThreeLine, book::Layout::LongLine, book::Layout::NotABook}) {
        const int count = book::questionCount(lines, each);
        const long long header = each == book::Layout::ThreeLine ? 2 : 3;
        long long expected = each == book::Layout::NotABook ? 0 : (static_cast<long long>(lines) - header) / 8;
        if (expected < 0)
            expected = 0;
        require(count == expected, "questionCount is not (lines - header) div 8");
        if (each != book::Layout::NotABook && lines >= header && lines < INT32_MAX - 8)
            require(book::questionCount(lines + 8, each) == count + 1, "eight more lines are not one more question");
    }

    // The long question line: three pieces of at most 56 bytes that join to
    // its first 168 bytes; a piece starting past the end is empty.
    const auto pieces = book::longLinePieces(bytes);
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        require(pieces[i].size() <= 56, "a piece is longer than 56 bytes");
        require(pieces[i].empty() == (56 * i >= bytes.size()), "a piece is empty where the line goes on, or not");
        if (i + 1 < pieces.size() && !pieces[i + 1].empty())
            require(pieces[i].size() == 56, "a piece before another is short");
        joined += pieces[i];
    }
    require(joined == bytes.substr(0, std::min<std::size_t>(168, bytes.size())),
            "the pieces do not join to the first 168 bytes");
    return 0;
}
