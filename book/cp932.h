#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Code page 932 (Shift-JIS as Windows writes it) and UTF-8, through iconv.
namespace book {

// UTF-8 for a control. Bytes that are no code page 932 character (a lone
// lead byte, an unassigned pair) each become U+FFFD; nothing is dropped
// silently and nothing is read past the end.
std::string decodeCp932(std::string_view bytes);

// Code page 932 bytes for UTF-8 text; a character code page 932 lacks
// becomes "〓" (0x81 0xAC), and when lacking is given, the byte offset of
// that character in utf8 is added to it. Invalid UTF-8 gives nullopt.
std::optional<std::string> encodeCp932(std::string_view utf8,
                                       std::vector<std::size_t>* lacking = nullptr);

// True when the text is well-formed UTF-8 (no overlong forms, surrogates or
// code points past U+10FFFF).
bool isValidUtf8(std::string_view text);

// True when every byte sequence is a code page 932 character.
bool isValidCp932(std::string_view bytes);

} // namespace book
