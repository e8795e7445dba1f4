#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The quiz book format: pure rules on code page 932 bytes, no window.
namespace book {

enum class Layout { NotABook, ThreeLine, LongLine };

// A code page 932 lead byte (0x81-0x9F, 0xE0-0xFC): it and the byte after it
// are one character.
bool isLeadByte(unsigned char byte);

// The lines of a book file: a line ends at CR LF, a lone CR or a lone LF; a
// NUL ends the text; a line break at the very end adds no empty line. Only
// the first maxLines lines are split off; the rest of the text is not read.
std::vector<std::string> splitLines(std::string_view bytes, std::size_t maxLines = SIZE_MAX);

// The items of a choice line (blanks and commas separate, double quotes
// group, doubled quotes stand for one; double-byte characters are units).
std::vector<std::string> splitItems(std::string_view line);

// An item written so that splitItems reads it back as this one item: as it
// is when it holds no blank, comma or double quote and is not empty, else in
// double quotes with its own quotes doubled. The item must be valid code
// page 932 without NUL, CR or LF.
std::string quoteItem(std::string_view item);

// The layout told by a file name's extension (the path may hold folders).
Layout layoutOf(std::string_view fileName);

// Complete question blocks of a book of lineCount lines in this layout.
int questionCount(int lineCount, Layout layout);

// A book is asked its first 200 questions at the most.
inline constexpr int kMaxQuestions = 200;

// Line arithmetic of question q (1-based), lines counted from 0.
constexpr int firstQuestionLine(int q) { return 8 * q - 6; }
constexpr int longQuestionLine(int q) { return 8 * q - 4; }
constexpr int choiceLine(int q, int c) { return 8 * q - 4 + c; }
constexpr int keyLine(int q) { return choiceLine(q, 1); }

// Bytes 1-56, 57-112 and 113-168 of a long question line; a piece that
// begins past the end is empty, and a double-byte character may be split.
std::array<std::string, 3> longLinePieces(std::string_view line);

} // namespace book
