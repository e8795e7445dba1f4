#pragma once

#include "book/format.h"
#include "tools/book/diagnostics.h"
#include "tools/check/check.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// A book about to be written: its lines in code page 932, each with the
// place in the input it came from, so that what the checker says about a
// line can be said about that place.
namespace booktool {

struct BookLine {
    std::string text; // code page 932, without line break
    Origin origin;
};

// The eight lines of a question block, in book order: three-line, the
// three question lines; long-line, the two lines not read and the question
// line; then the five choice lines, the right one first.
using Block = std::array<BookLine, 8>;

// The lines before the blocks: a three-line book has its title and heading;
// a long-line book a note line (not read) and its title.
struct Head {
    BookLine note;
    BookLine title;
    BookLine heading;
};

struct Draft {
    book::Layout layout = book::Layout::ThreeLine;
    std::vector<BookLine> lines;
};

// The lines of a book in this layout; a long-line book gets the one line
// after its last block that it needs for every block to be asked.
Draft assemble(book::Layout layout, const Head& head, const std::vector<Block>& blocks);

// The file's bytes: every line ended by CR LF.
std::string bookBytes(const Draft& draft);

// Runs the checker of piyoran-check on the bytes as a book named bookName
// and adds each finding to diagnostics at the place its line came from.
// Returns the checker's report.
check::Report checkDraft(const Draft& draft, std::string_view bookName, Diagnostics& diagnostics);

} // namespace booktool
