#pragma once

#include "tools/book/diagnostics.h"
#include "tools/book/draft.h"
#include "tools/book/table.h"

#include <optional>
#include <string>
#include <vector>

// The sheet of a book: rows naming the title, the heading and the note
// line, then a row of column names, then one row a question.
//
//   title      | 中１　be動詞
//   heading    | （　）に入る語を選びなさい。
//   question 1 | question 2 | right | wrong 1 | wrong 2 | wrong 3 | wrong 4
//   I (  ) ... | 私は...    | am    | is      | are     | be      | does
//
// Columns "question 1", "question 2" (and "question 3", held but never
// seen) make a three-line book; "question" (the whole question on one
// line) makes a long-line book, with "note 1" and "note 2" for the two
// lines of its block that are not read, and a "note" row for its first
// line. Each choice cell is an item list as a book's choice line is.
namespace booktool {

using Rows = std::vector<std::vector<std::string>>;

// The rows at the top of a sheet or a word list that name a title, a
// heading or a note ("title" in column A, the text in column B). Blank
// rows are passed over. row starts at the first row and ends at the first
// row that is none of these. An absent one is empty.
struct HeadRows {
    std::optional<BookLine> title;
    std::optional<BookLine> heading;
    std::optional<BookLine> note;
};
HeadRows readHeadRows(const Table& table, int& row, Diagnostics& diagnostics);

// A column or row name as compared: ASCII letters in lower case, blanks
// dropped ("Wrong 1" and "wrong1" are one name).
std::string normalName(std::string_view name);

bool isBlankRow(const Table& table, int row);

// The book a sheet describes; nullopt after an error.
std::optional<Draft> draftFromSheet(const Table& table, Diagnostics& diagnostics);

// The rows of the sheet of a book's lines (code page 932) in this layout:
// the head rows, the column names and one row for each complete block.
Rows sheetFromBook(const std::vector<std::string>& lines, book::Layout layout);

} // namespace booktool
