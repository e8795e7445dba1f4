#include "tools/book/table.h"

#include "book/cp932.h"
#include "tools/book/booktext.h"

#include <algorithm>
#include <array>

namespace booktool {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

using Rows = std::vector<std::vector<std::string>>;

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// The cells of delimited text, as its bytes stand. The signs that matter
// (separator, quote, CR, LF) are all below 0x40, and so never the second
// byte of a code page 932 character nor any byte of a UTF-8 one: the scan
// can go byte by byte in either encoding.
class CellReader {
public:
    CellReader(std::string_view text, char separator, Diagnostics& diagnostics)
        : text_(text), separator_(separator), diagnostics_(diagnostics)
    {
    }

    std::optional<Rows> read()
    {
        if (text_.empty())
            return rows_;
        for (;;) {
            if (!readCell())
                return std::nullopt;
            if (pos_ >= text_.size()) {
                rows_.push_back(std::move(row_));
                return rows_;
            }
            const char c = text_[pos_++];
            if (c == separator_)
                continue;
            if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
                ++pos_;
            rows_.push_back(std::move(row_));
            row_.clear();
            if (rows_.size() >= kMaxRows && pos_ < text_.size()) {
                diagnostics_.error({}, "the sheet has more than " + std::to_string(kMaxRows)
                                           + " rows; a book holds at most 200 questions");
                return std::nullopt;
            }
            if (pos_ >= text_.size()) // a line end at the very end adds no row
                return rows_;
        }
    }

private:
    Origin here() const { return {static_cast<int>(rows_.size()) + 1, static_cast<int>(row_.size()) + 1}; }

    // One cell from pos_, up to the separator or line end after it.
    bool readCell()
    {
        std::string cell;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            if (!readQuoted(cell))
                return false;
        } else {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && text_[pos_] != separator_ && !isLineEnd(text_[pos_]))
                ++pos_;
            cell.assign(text_.substr(start, pos_ - start));
        }
        if (cell.size() > kMaxCellBytes) {
            diagnostics_.error(here(), "the cell holds " + std::to_string(cell.size())
                                           + " bytes; a cell of a book holds at most "
                                           + std::to_string(kMaxCellBytes));
            return false;
        }
        row_.push_back(std::move(cell));
        if (row_.size() > kMaxColumns) {
            diagnostics_.error({static_cast<int>(rows_.size()) + 1}, "the row has more than "
                                   + std::to_string(kMaxColumns) + " columns");
            return false;
        }
        return true;
    }

    // A cell in double quotes: up to the quote that is not doubled; a doubled
    // one stands for one quote, and separators and line breaks are text.
    bool readQuoted(std::string& cell)
    {
        const Origin opened = here();
        ++pos_;
        for (;;) {
            const std::size_t quote = text_.find('"', pos_);
            if (quote == std::string_view::npos) {
                diagnostics_.error(opened, "unbalanced quotes: the double quote that opens this cell is "
                                           "never closed, so the rest of the file would be this one cell");
                return false;
            }
            cell.append(text_.substr(pos_, quote - pos_));
            if (cell.size() > kMaxCellBytes)
                return true; // refused by the caller, with its size so far
            if (quote + 1 < text_.size() && text_[quote + 1] == '"') {
                cell += '"';
                pos_ = quote + 2;
                continue;
            }
            pos_ = quote + 1;
            break;
        }
        if (pos_ < text_.size() && text_[pos_] != separator_ && !isLineEnd(text_[pos_])) {
            diagnostics_.error(opened, "unbalanced quotes: text follows the double quote that closes this "
                                       "cell; a double quote inside a quoted cell is written twice (\"\")");
            return false;
        }
        return true;
    }

    std::string_view text_;
    char separator_;
    Diagnostics& diagnostics_;
    std::size_t pos_ = 0;
    Rows rows_;
    std::vector<std::string> row_;
};

// A sheet without a byte order mark is UTF-8 unless its cells say code page
// 932: text in code page 932 is hardly ever valid UTF-8, while UTF-8 text
// often happens to be valid code page 932, so UTF-8 is asked first. A cell
// damaged in a UTF-8 file does not turn the whole file to code page 932.
SheetEncoding guessEncoding(const Rows& rows)
{
    int utf8 = 0;
    int other = 0;
    for (const auto& row : rows)
        for (const std::string& cell : row)
            if (!isAscii(cell))
                ++(book::isValidUtf8(cell) ? utf8 : other);
    return other == 0 || utf8 > other ? SheetEncoding::Utf8 : SheetEncoding::Cp932;
}

std::optional<Origin> firstNul(const Rows& rows)
{
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            if (rows[r][c].find('\0') != std::string::npos)
                return Origin{static_cast<int>(r + 1), static_cast<int>(c + 1)};
    return std::nullopt;
}

bool needsQuotes(std::string_view cell, char separator)
{
    if (cell.empty())
        return false;
    return cell.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos
           || cell.front() == ' ' || cell.back() == ' ' || cell.front() == '\t' || cell.back() == '\t';
}

} // namespace

const std::string& Table::cell(int row, int column) const
{
    static const std::string empty;
    if (row < 1 || static_cast<std::size_t>(row) > rows.size())
        return empty;
    const auto& cells = rows[static_cast<std::size_t>(row - 1)];
    if (column < 1 || static_cast<std::size_t>(column) > cells.size())
        return empty;
    return cells[static_cast<std::size_t>(column - 1)];
}

char detectSeparator(std::string_view text)
{
    constexpr std::array<char, 3> candidates{'\t', ',', ';'};
    std::array<int, 3> lines{};
    std::array<bool, 3> seen{};
    auto endLine = [&] {
        for (std::size_t i = 0; i < candidates.size(); ++i)
            lines[i] += seen[i] ? 1 : 0;
        seen = {};
    };
    bool quoted = false;
    int ends = 0;
    for (std::size_t pos = 0; pos < text.size() && ends < 100; ++pos) {
        const char c = text[pos];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && isLineEnd(c)) {
            endLine();
            ++ends;
        } else if (!quoted) {
            for (std::size_t i = 0; i < candidates.size(); ++i)
                seen[i] = seen[i] || c == candidates[i];
        }
    }
    endLine();
    const auto best = std::max_element(lines.begin(), lines.end()); // the first on a tie
    return *best > 0 ? candidates[static_cast<std::size_t>(best - lines.begin())] : ',';
}

std::optional<Table> readTable(std::string_view raw, bool replace, Diagnostics& diagnostics)
{
    if (raw.starts_with("\xFF\xFE") || raw.starts_with("\xFE\xFF")) {
        diagnostics.error({}, "the file is saved as UTF-16 (\"Unicode text\"); save the sheet as CSV, "
                              "in UTF-8 or in code page 932 (Shift-JIS)");
        return std::nullopt;
    }
    Table table;
    const bool marked = raw.starts_with(kByteOrderMark);
    if (marked)
        raw.remove_prefix(kByteOrderMark.size());
    table.separator = detectSeparator(raw);
    std::optional<Rows> rows = CellReader(raw, table.separator, diagnostics).read();
    if (!rows)
        return std::nullopt;
    if (const auto nul = firstNul(*rows)) {
        diagnostics.error(*nul, "a NUL byte (code 0): a sheet is text, and this file is not (a "
                                "spreadsheet's own file format, or text saved as UTF-16?); save it as CSV");
        return std::nullopt;
    }
    const bool blank = std::all_of(rows->begin(), rows->end(), [](const auto& row) {
        return std::all_of(row.begin(), row.end(), [](const std::string& cell) { return cell.empty(); });
    });
    if (blank) {
        diagnostics.error({}, "the file is empty: it holds no text in any cell");
        return std::nullopt;
    }

    // A cell that cannot be converted is an error, and the table goes on
    // with "〓" in its place, so that the rest of the sheet is checked too.
    table.encoding = marked ? SheetEncoding::Utf8WithBom : guessEncoding(*rows);
    const bool cp932 = table.encoding == SheetEncoding::Cp932;
    for (std::size_t r = 0; r < rows->size(); ++r) {
        auto& row = (*rows)[r];
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (isAscii(row[c]))
                continue;
            const Origin origin{static_cast<int>(r + 1), static_cast<int>(c + 1)};
            auto bytes = cp932 ? fromCp932(row[c], origin, replace, diagnostics)
                               : fromUtf8(row[c], origin, replace, diagnostics);
            Diagnostics told(""); // said above already
            if (!bytes)
                bytes = cp932 ? fromCp932(row[c], origin, true, told) : fromUtf8(row[c], origin, true, told);
            row[c] = bytes.value_or(std::string());
        }
    }
    table.rows = std::move(*rows);
    return table;
}

std::string writeTable(const std::vector<std::vector<std::string>>& rows, char separator,
                       SheetEncoding encoding)
{
    std::string out(encoding == SheetEncoding::Utf8WithBom ? kByteOrderMark : "");
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += separator;
            const std::string text = encoding == SheetEncoding::Cp932 ? row[c] : book::decodeCp932(row[c]);
            if (!needsQuotes(text, separator)) {
                out += text;
                continue;
            }
            out += '"';
            for (char ch : text) {
                if (ch == '"')
                    out += '"';
                out += ch;
            }
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

} // namespace booktool
