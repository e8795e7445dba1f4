#pragma once

#include "tools/book/diagnostics.h"

#include <optional>
#include <string>
#include <string_view>

// Text from a teacher's file made into book text: code page 932, each
// character it cannot hold named by where it stands.
namespace booktool {

// Code page 932 bytes for UTF-8 text. A character code page 932 lacks is an
// error that names it, or with replace a warning and "〓" in its place, as
// the program reads a book saved as UTF-8. Bytes that are no UTF-8 are an
// error. Gives nullopt after an error.
std::optional<std::string> fromUtf8(std::string_view utf8, const Origin& origin, bool replace,
                                    Diagnostics& diagnostics);

// Code page 932 bytes as they stand, when every character is one; a byte
// that is none (a lone lead byte, an unassigned pair) is an error, or with
// replace a warning and "〓" in its place.
std::optional<std::string> fromCp932(std::string_view bytes, const Origin& origin, bool replace,
                                     Diagnostics& diagnostics);

} // namespace booktool
