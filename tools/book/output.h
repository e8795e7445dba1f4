#pragma once

#include "book/format.h"
#include "tools/book/diagnostics.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Files in and out: inputs read whole within a limit, books named by the
// program's extension rule, and every file written whole or not at all.
namespace booktool {

// The most bytes an input file may have: far more than any sheet, word list
// or book, and little enough to hold in memory.
inline constexpr std::uintmax_t kMaxInputBytes = 100u << 20;

// The bytes of a regular file of at most kMaxInputBytes; nullopt with the
// reason in problem otherwise.
std::optional<std::string> readInput(const std::string& path, std::string& problem);

// The path a book of this layout is written to. A name whose extension is a
// book's is taken as it is, and must tell this layout (the program tells a
// book's layout by its extension alone); a name without an extension gets
// ".txt" (three-line) or ".qt1" (long-line). Any other extension is an
// error. layout NotABook takes the layout the name tells, three-line when
// it tells none. Gives the path and the layout.
struct BookName {
    std::string path;
    book::Layout layout;
};
std::optional<BookName> bookName(const std::string& named, book::Layout layout, Diagnostics& diagnostics);

// Writes bytes to path through a temporary file in the same folder, then
// renames it into place, so that path holds the old file or the whole new
// one and never a part. An existing file is replaced only with replace.
// Gives an empty text, or what went wrong.
std::string writeWhole(const std::string& path, std::string_view bytes, bool replace);

} // namespace booktool
