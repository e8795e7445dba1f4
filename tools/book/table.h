#pragma once

#include "tools/book/diagnostics.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A spreadsheet saved as delimited text: comma, tab or semicolon separated,
// in UTF-8 (with or without a byte order mark) or code page 932.
namespace booktool {

enum class SheetEncoding { Utf8, Utf8WithBom, Cp932 };

// The cells of a sheet, converted to code page 932. rows[r - 1] is row r as
// a spreadsheet numbers it: a quoted cell may hold line breaks and still be
// one row. Rows are as long as their cells go; a missing cell reads empty.
struct Table {
    std::vector<std::vector<std::string>> rows;
    SheetEncoding encoding = SheetEncoding::Utf8;
    char separator = ',';

    const std::string& cell(int row, int column) const;
};

// Limits past which a file is refused: nothing a book needs comes near them.
inline constexpr std::size_t kMaxCellBytes = 4096;
inline constexpr std::size_t kMaxColumns = 100;
inline constexpr std::size_t kMaxRows = 10000;

// The table of a sheet file's bytes. Every problem goes to diagnostics with
// its row and column; nullopt when the cells cannot be told apart (an
// unbalanced quote, a NUL byte, a limit passed). A character code page 932
// cannot hold is an error, or with replace a warning, and "〓" in the table.
std::optional<Table> readTable(std::string_view raw, bool replace, Diagnostics& diagnostics);

// The separator a sheet uses: of tab, comma and semicolon the one found,
// outside quotes, on the most of its first lines (tab before comma before
// semicolon on a tie); comma when none is.
char detectSeparator(std::string_view text);

// A sheet file of code page 932 cells: CR LF after each row, a cell quoted
// when it holds the separator, a double quote, a line break or a blank at
// either end. UTF-8 sheets start with a byte order mark, so that
// spreadsheets take them for UTF-8.
std::string writeTable(const std::vector<std::vector<std::string>>& rows, char separator,
                       SheetEncoding encoding);

} // namespace booktool
