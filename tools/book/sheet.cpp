#include "tools/book/sheet.h"

#include <algorithm>
#include <array>
#include <map>

namespace booktool {

namespace {

using book::Layout;

// A column of the question table and the line of the block it fills.
struct Column {
    const char* name;
    int place;     // 0 to 7 in the block
    Layout layout; // NotABook: either layout
};

constexpr std::array<Column, 11> kColumns{{
    {"question 1", 0, Layout::ThreeLine},
    {"question 2", 1, Layout::ThreeLine},
    {"question 3", 2, Layout::ThreeLine},
    {"note 1", 0, Layout::LongLine},
    {"note 2", 1, Layout::LongLine},
    {"question", 2, Layout::LongLine},
    {"right", 3, Layout::NotABook},
    {"wrong 1", 4, Layout::NotABook},
    {"wrong 2", 5, Layout::NotABook},
    {"wrong 3", 6, Layout::NotABook},
    {"wrong 4", 7, Layout::NotABook},
}};

const Column* findColumn(std::string_view name)
{
    const std::string wanted = normalName(name);
    for (const Column& column : kColumns)
        if (normalName(column.name) == wanted)
            return &column;
    return nullptr;
}

std::string inQuotes(std::string_view name) { return "\"" + std::string(name) + "\""; }

// The question table's columns as the row of names gives them.
struct Columns {
    Layout layout = Layout::NotABook;
    std::map<int, const Column*> used;  // by column number
    std::map<int, std::string> ignored; // by column number: the name, maybe empty
};

std::optional<Columns> readColumnNames(const Table& table, int row, Diagnostics& diagnostics)
{
    Columns columns;
    const auto& cells = table.rows[static_cast<std::size_t>(row - 1)];
    std::map<const Column*, int> seen;
    bool ok = true;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        const Column* column = findColumn(cells[i]);
        if (!column) {
            columns.ignored[number] = cells[i];
            continue;
        }
        if (seen.count(column)) {
            diagnostics.error({row, number}, "a second column named " + inQuotes(column->name) + " (the first is column "
                                                 + columnLetters(seen[column]) + ")");
            ok = false;
        }
        seen[column] = number;
        columns.used[number] = column;
    }
    if (std::none_of(cells.begin(), cells.end(), [](const std::string& c) { return normalName(c) == "right"; })) {
        diagnostics.error({row}, "this row should name the columns (question 1, question 2, right, wrong 1 ... "
                                 "wrong 4), or be a title, heading or note row; it starts with "
                                 + inQuotes(cells.empty() ? "" : cells.front()));
        return std::nullopt;
    }
    std::string missing;
    for (const Column& column : kColumns)
        if (column.layout == Layout::NotABook && !seen.count(&column))
            missing += (missing.empty() ? "" : ", ") + inQuotes(column.name);
    if (!missing.empty()) {
        diagnostics.error({row}, "no column named " + missing + ": every question needs its right "
                                 "answer and four wrong ones");
        ok = false;
    }
    for (const auto& [number, column] : columns.used) {
        if (column->layout == Layout::NotABook)
            continue;
        if (columns.layout != Layout::NotABook && columns.layout != column->layout) {
            diagnostics.error({row, number}, "columns of both layouts: \"question 1\", \"question 2\" and "
                                             "\"question 3\" make a three-line book, \"question\", \"note 1\" and "
                                             "\"note 2\" a long-line book");
            return std::nullopt;
        }
        columns.layout = column->layout;
    }
    if (columns.layout == Layout::NotABook) {
        diagnostics.error({row}, "no question column: name them \"question 1\" and \"question 2\" for a "
                                 "three-line book, or \"question\" for a long-line book");
        ok = false;
    }
    if (!ok)
        return std::nullopt;
    return columns;
}

// The head rows that one layout has no line for.
void checkHeadFits(const HeadRows& head, Layout layout, Diagnostics& diagnostics)
{
    if (layout == Layout::LongLine && head.heading)
        diagnostics.error(head.heading->origin, "a long-line book has no heading line: its question "
                                                "shows over the whole box");
    if (layout == Layout::ThreeLine && head.note)
        diagnostics.error(head.note->origin, "a three-line book has no note line: only a long-line book "
                                             "has a first line that is not read");
}

BookLine lineFrom(const std::optional<BookLine>& line) { return line ? *line : BookLine{}; }

} // namespace

std::string normalName(std::string_view name)
{
    std::string normal;
    for (char c : name) {
        if (c == ' ' || c == '\t')
            continue;
        normal += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return normal;
}

bool isBlankRow(const Table& table, int row)
{
    const auto& cells = table.rows[static_cast<std::size_t>(row - 1)];
    return std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return cell.empty(); });
}

HeadRows readHeadRows(const Table& table, int& row, Diagnostics& diagnostics)
{
    HeadRows head;
    const int rows = static_cast<int>(table.rows.size());
    for (; row <= rows; ++row) {
        if (isBlankRow(table, row))
            continue;
        const std::string kind = normalName(table.cell(row, 1));
        std::optional<BookLine>* line = kind == "title"     ? &head.title
                                        : kind == "heading" ? &head.heading
                                        : kind == "note"    ? &head.note
                                                            : nullptr;
        if (!line)
            return head;
        if (*line)
            diagnostics.error({row, 1}, "a second " + kind + " row (the first is row "
                                            + std::to_string((*line)->origin.row) + ")");
        *line = BookLine{table.cell(row, 2), {row, 2, kind}};
        const auto& cells = table.rows[static_cast<std::size_t>(row - 1)];
        for (std::size_t c = 2; c < cells.size(); ++c)
            if (!cells[c].empty())
                diagnostics.warning({row, static_cast<int>(c + 1)}, "not read: a " + kind
                                                                        + " row has its text in column B alone");
    }
    return head;
}

std::optional<Draft> draftFromSheet(const Table& table, Diagnostics& diagnostics)
{
    const int errorsBefore = diagnostics.count(Severity::Error);
    int row = 1;
    const HeadRows head = readHeadRows(table, row, diagnostics);
    const int rows = static_cast<int>(table.rows.size());
    if (row > rows) {
        diagnostics.error({}, "no row names the columns (question 1, question 2, right, wrong 1 ... wrong 4)");
        return std::nullopt;
    }
    const std::optional<Columns> columns = readColumnNames(table, row, diagnostics);
    if (!columns)
        return std::nullopt;
    checkHeadFits(head, columns->layout, diagnostics);

    std::vector<Block> blocks;
    std::map<int, int> ignoredFirstRow; // column number: first row with text in it
    for (++row; row <= rows; ++row) {
        if (isBlankRow(table, row))
            continue;
        Block block;
        for (BookLine& line : block)
            line.origin = {row};
        for (const auto& [number, column] : columns->used) {
            const std::string& text = table.cell(row, number);
            const Origin origin{row, number, column->name};
            if (text.find_first_of("\r\n") != std::string::npos)
                diagnostics.error(origin, "the cell holds a line break, and a book line is one line");
            block[static_cast<std::size_t>(column->place)] = {text, origin};
        }
        for (const auto& [number, name] : columns->ignored)
            if (!table.cell(row, number).empty() && !ignoredFirstRow.count(number))
                ignoredFirstRow[number] = row;
        blocks.push_back(std::move(block));
    }
    for (const auto& [number, first] : ignoredFirstRow) {
        const std::string& name = columns->ignored.at(number);
        diagnostics.warning({first, number, name}, "this column is not read: "
                                                 + (name.empty() ? "it has no name"
                                                                 : inQuotes(name) + " is no column of a book"));
    }
    if (diagnostics.count(Severity::Error) > errorsBefore)
        return std::nullopt;
    return assemble(columns->layout, Head{lineFrom(head.note), lineFrom(head.title), lineFrom(head.heading)}, blocks);
}

Rows sheetFromBook(const std::vector<std::string>& lines, Layout layout)
{
    const bool longLine = layout == Layout::LongLine;
    auto line = [&](int index) -> std::string {
        return index < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(index)] : std::string();
    };
    const int blocks = book::questionCount(static_cast<int>(lines.size()), layout);

    Rows rows;
    if (longLine && !line(0).empty())
        rows.push_back({"note", line(0)});
    rows.push_back({"title", line(longLine ? 1 : 0)});
    if (!longLine)
        rows.push_back({"heading", line(1)});

    // The lines a learner never sees get a column only when a block uses them.
    std::vector<const Column*> columns;
    for (const Column& column : kColumns) {
        if (column.layout != layout && column.layout != Layout::NotABook)
            continue;
        const bool unseen = column.place < 2 ? longLine : column.place == 2 && !longLine;
        bool used = !unseen;
        for (int q = 1; q <= blocks && !used; ++q) {
            // note 1 and note 2 come as a pair, so that both read as notes.
            const int first = column.place < 2 ? 0 : column.place;
            const int last = column.place < 2 ? 1 : column.place;
            for (int place = first; place <= last; ++place)
                used = used || !line(book::firstQuestionLine(q) + place).empty();
        }
        if (used)
            columns.push_back(&column);
    }
    std::vector<std::string> names;
    for (const Column* column : columns)
        names.push_back(column->name);
    rows.push_back(names);
    for (int q = 1; q <= blocks; ++q) {
        std::vector<std::string> cells;
        for (const Column* column : columns)
            cells.push_back(line(book::firstQuestionLine(q) + column->place));
        rows.push_back(cells);
    }
    return rows;
}

} // namespace booktool
