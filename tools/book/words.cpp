#include "tools/book/words.h"

#include "book/cp932.h"
#include "book/format.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace booktool {

namespace {

using book::Layout;

constexpr int kWrongChoices = 4;

enum WordColumn { English, Japanese, PartOfSpeech, Unread };

WordColumn columnNamed(std::string_view cell)
{
    const std::string name = normalName(cell);
    if (name == "english" || name == "英語")
        return English;
    if (name == "japanese" || name == "日本語")
        return Japanese;
    if (name == "partofspeech" || name == "pos" || name == "品詞")
        return PartOfSpeech;
    return Unread;
}

// The same draws from the same seed on every machine: the standard
// library's distributions may differ between libraries, the engine may not.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : engine_(seed) {}

    // Uniform in 0 to n - 1, n > 0.
    std::size_t below(std::size_t n)
    {
        const std::uint64_t range = std::uint64_t{1} << 32;
        const std::uint64_t limit = range - range % n;
        std::uint64_t x;
        do
            x = engine_();
        while (x >= limit);
        return static_cast<std::size_t>(x % n);
    }

    // count of the items, each drawn from those left (a partial shuffle).
    std::vector<std::size_t> pick(std::vector<std::size_t> items, std::size_t count)
    {
        count = std::min(count, items.size());
        for (std::size_t i = 0; i < count; ++i)
            std::swap(items[i], items[i + below(items.size() - i)]);
        items.resize(count);
        return items;
    }

private:
    std::mt19937 engine_;
};

// Code page 932 bytes of a text of this file, which code page 932 holds.
std::string cp932(std::string_view utf8) { return book::encodeCp932(utf8).value_or(std::string()); }

std::string bracketed(const std::string& partOfSpeech)
{
    if (partOfSpeech.empty() || partOfSpeech.starts_with("(") || partOfSpeech.starts_with(cp932("（")))
        return partOfSpeech;
    return cp932("（") + partOfSpeech + cp932("）");
}

} // namespace

std::optional<WordList> wordsFromTable(const Table& table, Diagnostics& diagnostics)
{
    const int errorsBefore = diagnostics.count(Severity::Error);
    WordList list;
    int row = 1;
    list.head = readHeadRows(table, row, diagnostics);
    const int rows = static_cast<int>(table.rows.size());

    std::map<int, WordColumn> columns{{1, English}, {2, Japanese}, {3, PartOfSpeech}};
    std::map<int, std::string> names{{1, "english"}, {2, "japanese"}, {3, "part of speech"}};
    if (row <= rows) {
        const auto& cells = table.rows[static_cast<std::size_t>(row - 1)];
        std::set<WordColumn> found;
        for (const std::string& cell : cells)
            found.insert(columnNamed(cell));
        if (found.count(English) && found.count(Japanese)) {
            columns.clear();
            for (std::size_t c = 0; c < cells.size(); ++c) {
                columns[static_cast<int>(c + 1)] = columnNamed(cells[c]);
                names[static_cast<int>(c + 1)] = cells[c];
            }
            ++row;
        }
    }

    std::set<int> warned;
    for (; row <= rows; ++row) {
        if (isBlankRow(table, row))
            continue;
        Word word;
        word.partOfSpeech.origin = {row};
        const auto& cells = table.rows[static_cast<std::size_t>(row - 1)];
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const int number = static_cast<int>(c + 1);
            const auto column = columns.count(number) ? columns[number] : Unread;
            const Origin origin{row, number, names.count(number) ? names[number] : ""};
            if (column == Unread) {
                if (!cells[c].empty() && warned.insert(number).second)
                    diagnostics.warning(origin, "this column is not read: a word list has the columns "
                                                "english, japanese and part of speech");
                continue;
            }
            if (cells[c].find_first_of("\r\n") != std::string::npos)
                diagnostics.error(origin, "the cell holds a line break, and a book line is one line");
            BookLine& line = column == English ? word.english : column == Japanese ? word.japanese : word.partOfSpeech;
            line = {cells[c], origin};
        }
        for (const BookLine* line : {&word.english, &word.japanese})
            if (line->text.empty())
                diagnostics.error(line->origin.row ? line->origin : Origin{row},
                                  "a word needs its English and its Japanese; this cell is empty");
        list.words.push_back(std::move(word));
    }
    if (diagnostics.count(Severity::Error) > errorsBefore)
        return std::nullopt;
    return list;
}

std::string defaultHeading(Direction direction)
{
    return cp932(direction == Direction::ToJapanese ? "英語の意味を選びなさい。"
                                                    : "日本語の意味を表す英語を選びなさい。");
}

std::optional<Draft> vocabularyBook(const std::vector<Word>& words, Layout layout, Direction direction,
                                    std::uint32_t seed, const Head& head, Diagnostics& diagnostics)
{
    const int errorsBefore = diagnostics.count(Severity::Error);
    const bool toJapanese = direction == Direction::ToJapanese;
    auto asked = [&](const Word& w) -> const BookLine& { return toJapanese ? w.english : w.japanese; };
    auto answer = [&](const Word& w) -> const BookLine& { return toJapanese ? w.japanese : w.english; };
    const char* answers = toJapanese ? "Japanese" : "English";

    std::set<std::string> different;
    for (const Word& word : words)
        different.insert(answer(word).text);
    if (different.size() < kWrongChoices + 1) {
        diagnostics.error({}, "the list holds " + std::to_string(different.size()) + " different " + answers
                                  + " answers, and a question needs five different choices: a list needs at "
                                    "least five words with different meanings");
        return std::nullopt;
    }

    Draw draw(seed);
    std::set<std::string> fewOfTheirKind;
    std::vector<Block> blocks;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Word& word = words[i];
        // Meanings that are right for this word too: its own, and those of
        // any word spelt the same.
        std::set<std::string> right;
        for (const Word& other : words)
            if (asked(other).text == asked(word).text)
                right.insert(answer(other).text);
        // One candidate for each meaning, the first word that has it.
        std::vector<std::size_t> sameKind;
        std::vector<std::size_t> otherKind;
        std::set<std::string> taken = right;
        for (std::size_t j = 0; j < words.size(); ++j) {
            if (!taken.insert(answer(words[j]).text).second)
                continue;
            const bool same = !word.partOfSpeech.text.empty()
                              && words[j].partOfSpeech.text == word.partOfSpeech.text;
            (same ? sameKind : otherKind).push_back(j);
        }
        std::vector<std::size_t> wrong = draw.pick(sameKind, kWrongChoices);
        if (wrong.size() < kWrongChoices) {
            const auto more = draw.pick(otherKind, kWrongChoices - wrong.size());
            wrong.insert(wrong.end(), more.begin(), more.end());
            if (!word.partOfSpeech.text.empty() && !more.empty()
                && fewOfTheirKind.insert(word.partOfSpeech.text).second)
                diagnostics.warning(word.partOfSpeech.origin,
                                    "too few words of this part of speech for four wrong choices of their own: "
                                    "their questions take some from other parts of speech");
        }
        if (wrong.size() < kWrongChoices) {
            diagnostics.error(asked(word).origin, "only " + std::to_string(wrong.size())
                                                      + " other meanings in the list can be wrong choices for this "
                                                        "word, and a question needs four");
            continue;
        }

        Block block;
        const BookLine kind{bracketed(word.partOfSpeech.text), word.partOfSpeech.origin};
        if (layout == Layout::LongLine) {
            std::string text = asked(word).text;
            if (!kind.text.empty())
                text += cp932("　") + kind.text;
            block[2] = {text, asked(word).origin};
        } else {
            block[0] = asked(word);
            block[1] = kind;
            block[2].origin = asked(word).origin;
        }
        const auto choice = [](const BookLine& line) { return BookLine{book::quoteItem(line.text), line.origin}; };
        block[3] = choice(answer(word));
        for (std::size_t k = 0; k < wrong.size(); ++k)
            block[4 + k] = choice(answer(words[wrong[k]]));
        blocks.push_back(std::move(block));
    }
    if (diagnostics.count(Severity::Error) > errorsBefore)
        return std::nullopt;
    return assemble(layout, head, blocks);
}

} // namespace booktool
