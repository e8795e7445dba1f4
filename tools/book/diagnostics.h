#pragma once

#include "tools/check/check.h"

#include <string>
#include <vector>

// What piyoran-book tells its user: each problem with the place in the
// input it comes from, so that a teacher can go straight to the cell.
namespace booktool {

using check::Severity;

// Where a text came from: a cell of a sheet (row and column counted from 1,
// as spreadsheets count them), a line of a file, or something named only,
// such as an option.
struct Origin {
    Origin() = default;
    Origin(int row, int column = 0, std::string name = {}, const char* unit = "row")
        : row(row), column(column), name(std::move(name)), unit(unit)
    {
    }

    int row = 0;              // 0: no row
    int column = 0;           // 0: no column (the whole row, or no cell)
    std::string name;         // the column's name, or what the text came from
    const char* unit = "row"; // "line" for files that are no sheets
};

// "A" for column 1, "Z" for 26, "AA" for 27, as spreadsheets name columns.
std::string columnLetters(int column);

// "row 5, column C (right)", "line 12", "the --title option", or "" when
// the origin names nothing.
std::string describe(const Origin& origin);

class Diagnostics {
public:
    explicit Diagnostics(std::string file) : file_(std::move(file)) {}

    void error(const Origin& origin, std::string message) { add(Severity::Error, origin, std::move(message)); }
    void warning(const Origin& origin, std::string message) { add(Severity::Warning, origin, std::move(message)); }
    void add(Severity severity, const Origin& origin, std::string message);

    int count(Severity severity) const;
    bool hasErrors() const { return count(Severity::Error) > 0; }

    // One line each: "FILE: row 5, column C (right): error: MESSAGE". Past
    // the first 50, only how many more there are.
    std::string text() const;

private:
    struct Entry {
        Severity severity;
        std::string place;
        std::string message;
    };
    std::string file_;
    std::vector<Entry> entries_;
};

} // namespace booktool
