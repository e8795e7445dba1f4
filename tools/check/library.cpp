#include "tools/check/library.h"

#include "tools/check/categories.h"

#include "book/cp932.h"
#include "book/format.h"

#include <algorithm>
#include <sstream>

namespace check {

namespace {

// A line with at least this many Latin letters is an English sentence, not
// a word, a label or an instruction that many questions share.
constexpr int kSentenceLetters = 12;

int latinLetters(std::string_view normalized)
{
    int letters = 0;
    for (std::size_t pos = 0; pos < normalized.size(); ++pos) {
        if (book::isLeadByte(static_cast<unsigned char>(normalized[pos])))
            ++pos;
        else if (normalized[pos] >= 'a' && normalized[pos] <= 'z')
            ++letters;
    }
    return letters;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// An answer blank: "(" with only blanks and digits before its ")".
std::size_t blankLength(std::string_view text, std::size_t pos)
{
    if (text[pos] != '(')
        return 0;
    for (std::size_t end = pos + 1; end < text.size() && end < pos + 12; ++end) {
        if (text[end] == ')')
            return end - pos + 1;
        if (text[end] != ' ' && !isDigit(text[end]))
            return 0;
    }
    return 0;
}

std::vector<std::string> seenLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

std::string where(const std::string& path, const std::string& here, int question)
{
    return "question " + std::to_string(question) + (path == here ? " of this book" : " of " + path);
}

std::string quoted(const std::string& cp932)
{
    std::string text = cp932;
    std::replace(text.begin(), text.end(), '\n', ' ');
    return "\"" + book::decodeCp932(text) + "\"";
}

} // namespace

std::string normalizedText(std::string_view text)
{
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (book::isLeadByte(byte) && pos + 1 < text.size()) {
            if (byte != 0x81) // the symbol row: blanks, punctuation, brackets
                out.append(text.substr(pos, 2));
            pos += 2;
            continue;
        }
        if (const std::size_t blank = blankLength(text, pos)) {
            pos += blank;
            continue;
        }
        if (byte >= 'A' && byte <= 'Z')
            out += static_cast<char>(byte - 'A' + 'a');
        else if ((byte >= 'a' && byte <= 'z') || isDigit(static_cast<char>(byte)) || byte >= 0x80)
            out += static_cast<char>(byte);
        ++pos;
    }
    return out;
}

void Library::add(const std::string& path, Report& report)
{
    const std::string folder(folderOf(path));
    Tally& tally = folders_[looksLikeCategoryFolder(folder) ? folder : ""];
    ++tally.books;
    tally.questions += report.questions;
    if (report.vocabulary) {
        ++tally.vocabularyBooks;
        tally.words.insert(report.englishToJapanese.begin(), report.englishToJapanese.end());
        tally.words.insert(report.japaneseToEnglish.begin(), report.japaneseToEnglish.end());
        toJapanese_.insert(report.englishToJapanese.begin(), report.englishToJapanese.end());
        toEnglish_.insert(report.japaneseToEnglish.begin(), report.japaneseToEnglish.end());
    }

    for (std::size_t i = 0; i < report.texts.size(); ++i) {
        const int q = static_cast<int>(i) + 1;
        const std::string& text = report.texts[i];
        const int line = questionLineNumber(report.layout, q);
        const auto [first, isNew] = questions_.try_emplace(normalizedText(text), Seen{path, q, text});
        if (!isNew) {
            const Seen& seen = first->second;
            report.findings.push_back(
                {Severity::Warning, line,
                 "question " + std::to_string(q)
                     + (seen.text == text ? " repeats " : " nearly repeats (blanks, punctuation or case apart) ")
                     + where(seen.path, path, seen.question) + ": " + quoted(text)});
            continue;
        }
        for (const std::string& seenLine : seenLines(text)) {
            const std::string key = normalizedText(seenLine);
            if (latinLetters(key) < kSentenceLetters)
                continue;
            const auto [match, lineIsNew] = lines_.try_emplace(key, Seen{path, q, seenLine});
            if (!lineIsNew && !(match->second.path == path && match->second.question == q)) {
                report.findings.push_back({Severity::Warning, line,
                                           "question " + std::to_string(q) + " repeats the line "
                                               + quoted(seenLine) + " of "
                                               + where(match->second.path, path, match->second.question)});
                break;
            }
        }
    }
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

std::string Library::summary() const
{
    int books = 0;
    int questions = 0;
    int vocabularyBooks = 0;
    for (const auto& [folder, tally] : folders_) {
        books += tally.books;
        questions += tally.questions;
        vocabularyBooks += tally.vocabularyBooks;
    }
    auto plural = [](int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    std::ostringstream out;
    out << "library: " << plural(books, "book", "books") << ", " << plural(questions, "question", "questions")
        << '\n';
    for (const auto& [folder, tally] : folders_) {
        const Category* category = categoryOf(folder);
        out << "  " << (folder.empty() ? "other folders" : folder);
        if (category)
            out << " " << category->caption << (category->shown ? "" : " (button never shown)");
        else if (!folder.empty())
            out << " (no category button)";
        out << ": " << plural(tally.books, "book", "books") << ", "
            << plural(tally.questions, "question", "questions");
        if (tally.vocabularyBooks > 0)
            out << "; " << plural(tally.vocabularyBooks, "vocabulary book", "vocabulary books") << " asking "
                << plural(static_cast<int>(tally.words.size()), "English word", "English words");
        out << '\n';
    }
    if (vocabularyBooks > 0) {
        std::set<std::string> all = toJapanese_;
        all.insert(toEnglish_.begin(), toEnglish_.end());
        int both = 0;
        for (const std::string& word : toJapanese_)
            both += toEnglish_.count(word) > 0 ? 1 : 0;
        out << "vocabulary: " << plural(static_cast<int>(all.size()), "distinct English word", "distinct English words")
            << " in " << plural(vocabularyBooks, "book", "books") << ", " << both
            << " asked both ways (English to Japanese and Japanese to English)\n";
    }
    return out.str();
}

} // namespace check
