#include "tools/check/check.h"

#include "tools/check/categories.h"

#include "book/cp932.h"
#include "book/encoding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>

namespace check {

namespace {

using book::Layout;

constexpr int kMaxQuestions = 200;
constexpr std::size_t kPiece = 56; // bytes of a long question line per box

// Lines before the first question block, and so the fewest lines before
// blocks can be counted.
int headerLines(Layout layout) { return layout == Layout::LongLine ? 3 : 2; }

// 1-based line number of a 0-based line index.
int lineNumber(int index) { return index + 1; }

// Bytes in the character that starts at pos, stepping as the book rules do:
// a lead byte with a byte after it is two bytes.
std::size_t unitLength(std::string_view text, std::size_t pos)
{
    if (book::isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size())
        return 2;
    return 1;
}

bool isBlankLine(std::string_view line)
{
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

// Text for a message: the bytes decoded, in double quotes.
std::string inQuotes(std::string_view cp932) { return "\"" + book::decodeCp932(cp932) + "\""; }

std::string hexByte(unsigned char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

std::string plural(int n, const std::string& one, const std::string& many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

class Checker {
public:
    Checker(std::string_view fileName, std::string_view raw) : fileName_(fileName), raw_(raw) {}

    Report run()
    {
        report_.layout = book::layoutOf(fileName_);
        if (report_.layout == Layout::NotABook) {
            error(0, "not a book by its extension: books end in .txt (three-line layout) "
                     "or .qt1 to .qt9 (long-line layout)");
            return finish();
        }
        if (!listedByBookList(fileName_))
            warning(0, "the book list of the program does not show this file: a book's name "
                       "ends in .txt or .qt1 to .qt9 and does not start with a dot");
        checkFolder();
        // Read as the program reads it: a book saved as UTF-8 is converted
        // first, and every rule below sees code page 932 bytes.
        book::BookText text = book::toCp932Book(std::string(raw_));
        bytes_ = std::move(text.bytes);
        encoding_ = text.found;
        lines_ = book::splitLines(bytes_);
        count_ = static_cast<int>(lines_.size());
        report_.blocks = book::questionCount(count_, report_.layout);
        report_.questions = std::min(report_.blocks, kMaxQuestions);

        checkText();
        checkFrame();
        checkHeader();
        report_.vocabulary = report_.questions > 0 && report_.layout == Layout::ThreeLine;
        for (int q = 1; q <= report_.questions; ++q) {
            checkQuestionText(q);
            checkChoices(q);
        }
        if (!report_.vocabulary) {
            report_.englishToJapanese.clear();
            report_.japaneseToEnglish.clear();
        }
        return finish();
    }

private:
    void error(int line, std::string message) { add(Severity::Error, line, std::move(message)); }
    void warning(int line, std::string message) { add(Severity::Warning, line, std::move(message)); }
    void add(Severity severity, int line, std::string message)
    {
        report_.findings.push_back({severity, line, std::move(message)});
    }

    Report finish()
    {
        std::stable_sort(report_.findings.begin(), report_.findings.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return std::move(report_);
    }

    const std::string& line(int index) const { return lines_[static_cast<std::size_t>(index)]; }

    // A book in a category folder that no button in view shows is never
    // offered to learners.
    void checkFolder()
    {
        const std::string_view folder = folderOf(fileName_);
        if (!looksLikeCategoryFolder(folder))
            return;
        const Category* category = categoryOf(folder);
        if (category && category->shown)
            return;
        std::string shown;
        for (const Category& c : kCategories)
            if (c.shown)
                shown += (shown.empty() ? "" : ", ") + std::string(c.folder);
        warning(0, "learners cannot reach this book: no category button in view shows folder "
                       + std::string(folder)
                       + (category ? " (the button \"" + std::string(category->caption) + "\" is never shown)"
                                   : "")
                       + "; move it to a folder whose button is shown (" + shown + ")");
    }

    // ---- The bytes as text: encoding, line ends, an early end of text.
    void checkText()
    {
        const std::size_t nul = bytes_.find('\0');
        const std::string_view text = std::string_view(bytes_).substr(0, nul);
        if (nul != std::string::npos) {
            // The line the NUL stands in: lines of the text before it, with
            // one more byte so that a line break right before it counts.
            const int at = static_cast<int>(book::splitLines(std::string(text) + "x").size()) - 1;
            warning(lineNumber(at), "a NUL byte (code 0) ends the text here: the "
                                        + std::to_string(bytes_.size() - nul)
                                        + " bytes from it on are never read");
        }

        if (encoding_ != book::Encoding::Cp932) {
            checkConversion();
        } else {
            checkEncoding();
            const bool multiByte = std::any_of(text.begin(), text.end(), [](char c) {
                return static_cast<unsigned char>(c) >= 0x80;
            });
            if (multiByte && book::isValidUtf8(bytes_))
                warning(0, "the file is valid UTF-8 as well as valid code page 932, and the "
                           "program takes it as code page 932: if it was saved as UTF-8, its "
                           "Japanese shows garbled; save it as code page 932 (Shift-JIS)");
        }
        checkLineEnds(text);
    }

    // A book saved as UTF-8 works, converted as it is read, but books are
    // written in code page 932; and a character code page 932 lacks shows
    // as a geta mark.
    void checkConversion()
    {
        warning(0, std::string("the file is saved as ") + book::encodingName(encoding_)
                       + ": the program converts it to code page 932 (Shift-JIS) as it reads it, "
                         "and the lines and bytes named here are those of the converted text; "
                         "books are written in code page 932");
        std::string_view original = raw_;
        if (encoding_ == book::Encoding::Utf8WithBom)
            original.remove_prefix(3);
        const std::vector<std::string> originalLines = book::splitLines(original);
        constexpr std::string_view getaUtf8 = "\xE3\x80\x93";
        constexpr std::string_view getaCp932 = "\x81\xAC";
        for (int i = 0; i < count_ && i < static_cast<int>(originalLines.size()); ++i) {
            const std::string& before = originalLines[static_cast<std::size_t>(i)];
            int written = 0;
            for (std::size_t pos = before.find(getaUtf8); pos != std::string::npos;
                 pos = before.find(getaUtf8, pos + getaUtf8.size()))
                ++written;
            int shown = 0;
            const std::string& after = line(i);
            for (std::size_t pos = 0; pos < after.size();) {
                const std::size_t n = unitLength(after, pos);
                if (std::string_view(after).substr(pos, n) == getaCp932)
                    ++shown;
                pos += n;
            }
            if (shown > written)
                warning(lineNumber(i), plural(shown - written, "character", "characters")
                                           + " that code page 932 lacks "
                                           + (shown - written == 1 ? "shows" : "show")
                                           + " as \"\xE3\x80\x93\"");
        }
    }

    void checkEncoding()
    {
        for (int i = 0; i < count_; ++i) {
            const std::string& text = line(i);
            std::optional<std::size_t> first;
            int bad = 0;
            for (std::size_t pos = 0; pos < text.size();) {
                const std::size_t n = unitLength(text, pos);
                if (!book::isValidCp932(std::string_view(text).substr(pos, n))) {
                    if (!first)
                        first = pos;
                    ++bad;
                }
                pos += n;
            }
            if (first)
                warning(lineNumber(i), "bytes that are not code page 932: "
                                           + plural(bad, "character", "characters")
                                           + ", the first at byte " + std::to_string(*first + 1)
                                           + " (" + hexByte(static_cast<unsigned char>(text[*first]))
                                           + "), shown as \"\xEF\xBF\xBD\"");
        }
    }

    void checkLineEnds(std::string_view text)
    {
        int index = 0; // the line a break ends
        int odd = 0;
        int first = -1;
        std::string kind;
        for (std::size_t pos = 0; pos < text.size(); ++pos) {
            if (text[pos] != '\r' && text[pos] != '\n')
                continue;
            if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
                ++pos;
            } else {
                if (first < 0) {
                    first = index;
                    kind = text[pos] == '\n' ? "LF" : "CR";
                }
                ++odd;
            }
            ++index;
        }
        if (odd > 0)
            warning(lineNumber(first), "this line ends with a lone " + kind + ", not CR LF ("
                                           + plural(odd, "line end", "line ends")
                                           + " of the file in all); books are written with CR LF");
    }

    // ---- Blocks: how many, and lines that are never read.
    void checkFrame()
    {
        const Layout layout = report_.layout;
        const int header = headerLines(layout);
        const int blocks = report_.blocks;
        const bool longLine = layout == Layout::LongLine;

        // A long-line book needs one line after its last block; without it
        // the last block, complete as it looks, is never asked.
        const bool lastBlockLost = longLine && count_ >= 10 && (count_ - 2) % 8 == 0;
        if (lastBlockLost) {
            const int q = (count_ - 2) / 8;
            error(lineNumber(book::firstQuestionLine(q)),
                  "question block " + std::to_string(q) + " (lines "
                      + std::to_string(lineNumber(book::firstQuestionLine(q))) + " to "
                      + std::to_string(count_)
                      + ") is never asked: a long-line book needs one more line after its "
                        "last block (3 + 8 x questions lines in all); add an empty line at the end");
        }

        if (blocks == 0) {
            if (lastBlockLost)
                return; // said above, with what to do
            error(0, "no complete question block: a " + layoutName(layout) + " book needs at least "
                         + std::to_string(header + 8) + " lines (" + std::to_string(header)
                         + " before the first question and 8 for each question), and this one has "
                         + std::to_string(count_));
            return;
        }
        if (blocks > kMaxQuestions)
            error(lineNumber(book::firstQuestionLine(kMaxQuestions + 1)),
                  std::to_string(blocks) + " question blocks: only the first "
                      + std::to_string(kMaxQuestions) + " are asked, and blocks "
                      + std::to_string(kMaxQuestions + 1) + " to " + std::to_string(blocks)
                      + " from this line on never are");

        const int used = header + 8 * blocks;
        if (count_ > used && !lastBlockLost) {
            const int extra = count_ - used;
            warning(lineNumber(used), plural(extra, "line", "lines")
                                          + " after the last question block "
                                          + (extra == 1 ? "is" : "are")
                                          + " never read (an unfinished question needs all 8 "
                                            "lines of its block)");
        }
    }

    void checkHeader()
    {
        const bool longLine = report_.layout == Layout::LongLine;
        const int title = longLine ? 1 : 0;
        if (count_ > title) {
            if (isBlankLine(line(title)))
                warning(lineNumber(title), std::string("the title line is empty")
                                               + (longLine ? " (a long-line book has its title "
                                                             "on its second line; the first is not read)"
                                                           : ""));
            else
                checkWidth(title, line(title), kTitleBox, "the title");
        }
        if (!longLine && count_ > 1)
            checkWidth(1, line(1), kHeadingBox, "the heading line");
    }

    void checkWidth(int index, std::string_view text, const Box& box, const std::string& what)
    {
        const int width = estimatedWidth(text, box.pixelSize, box.bold);
        if (width > box.width)
            warning(lineNumber(index), what + " " + inQuotes(text) + " is about "
                                           + std::to_string(width) + " pixels wide, and its box shows "
                                           + std::to_string(box.width) + ": the rest is out of view");
    }

    // ---- The text of question q.
    void checkQuestionText(int q)
    {
        if (report_.layout == Layout::ThreeLine) {
            for (int k = 0; k < 2; ++k) {
                const int index = book::firstQuestionLine(q) + k;
                checkWidth(index, line(index), kQuestionBox,
                           "question line " + std::to_string(k + 1));
            }
            report_.texts.push_back(line(book::firstQuestionLine(q)) + "\n"
                                    + line(book::firstQuestionLine(q) + 1));
            const int third = book::longQuestionLine(q);
            if (!isBlankLine(line(third)))
                warning(lineNumber(third), "question line 3 of question " + std::to_string(q)
                                               + " is never seen: only the first two question "
                                                 "lines of a three-line book are in view");
            return;
        }

        const int textLine = book::longQuestionLine(q);
        for (int index = book::firstQuestionLine(q); index < textLine; ++index)
            if (!isBlankLine(line(index)))
                warning(lineNumber(index), "this line is not read in a long-line book: the text of "
                                           "question " + std::to_string(q) + " belongs on line "
                                               + std::to_string(lineNumber(textLine)));
        const auto pieces = book::longLinePieces(line(textLine));
        report_.texts.push_back(pieces[0] + "\n" + pieces[1]);
        checkLongLine(textLine);
    }

    void checkLongLine(int index)
    {
        const std::string& text = line(index);
        const std::size_t size = text.size();
        if (size > 3 * kPiece)
            warning(lineNumber(index), "the question is " + std::to_string(size)
                                           + " bytes long: only bytes 1 to 112 are seen, and bytes "
                                             "169 to " + std::to_string(size) + " are cut off");
        else if (size > 2 * kPiece)
            warning(lineNumber(index), "the question is " + std::to_string(size)
                                           + " bytes long: bytes 113 to " + std::to_string(size)
                                           + " are held but not in view (only bytes 1 to 112 are seen)");

        // A double-byte character that starts on the last byte of a piece
        // is split between two boxes (only the seen cuts matter).
        for (std::size_t pos = 0; pos < size;) {
            const std::size_t n = unitLength(text, pos);
            const std::size_t cut = pos + 1; // 1-based byte of the lead
            if (n == 2 && (cut == kPiece || cut == 2 * kPiece))
                warning(lineNumber(index), "the double-byte character "
                                               + inQuotes(std::string_view(text).substr(pos, 2))
                                               + " is split at byte " + std::to_string(cut)
                                               + ", where the question breaks into its next box");
            pos += n;
        }
    }

    // ---- The five choice lines of question q.
    void checkChoices(int q)
    {
        std::vector<std::vector<std::string>> items;
        for (int k = 1; k <= 5; ++k) {
            const int index = book::choiceLine(q, k);
            items.push_back(book::splitItems(line(index)));
            if (items.back().empty())
                error(lineNumber(index), "choice line " + std::to_string(k) + " of question "
                                             + std::to_string(q) + " has no item");
        }
        report_.steps.push_back(static_cast<int>(items[0].size()));
        noteWordQuestion(q, items[0]);

        // Lines with no item are reported above; the others must agree.
        std::size_t steps = 0;
        bool unequal = false;
        for (const auto& list : items) {
            if (list.empty())
                continue;
            if (steps != 0 && list.size() != steps)
                unequal = true;
            steps = list.size();
        }
        if (unequal) {
            std::string counts;
            for (const auto& list : items)
                counts += (counts.empty() ? "" : ", ") + std::to_string(list.size());
            error(lineNumber(book::keyLine(q)),
                  "the choice lines of question " + std::to_string(q) + " hold " + counts
                      + " items: every choice line of a question needs one item per step");
        }

        for (int k = 1; k <= 5; ++k) {
            const auto& list = items[static_cast<std::size_t>(k - 1)];
            const int index = book::choiceLine(q, k);
            for (std::size_t s = 0; s < list.size(); ++s) {
                if (k > 1 && s < items[0].size() && list[s] == items[0][s])
                    error(lineNumber(index),
                          "choice line " + std::to_string(k) + " of question " + std::to_string(q)
                              + (items[0].size() > 1 ? ", step " + std::to_string(s + 1) : "")
                              + ": " + inQuotes(list[s])
                              + " is the same as the right answer on choice line 1, so both count as right");
                for (int j = 2; j < k && k > 2; ++j) {
                    const auto& earlier = items[static_cast<std::size_t>(j - 1)];
                    if (s < earlier.size() && earlier[s] == list[s]
                        && !(s < items[0].size() && items[0][s] == list[s]))
                        warning(lineNumber(index),
                                "choice lines " + std::to_string(j) + " and " + std::to_string(k)
                                    + " of question " + std::to_string(q)
                                    + (items[0].size() > 1 ? ", step " + std::to_string(s + 1) : "")
                                    + ", both hold " + inQuotes(list[s])
                                    + ": the learner sees the same wrong choice twice");
                }
                checkWidth(index, list[s], kChoiceBox, "the choice");
            }
        }
    }

    // A word question of a three-line book: its first question line is an
    // English word or phrase and its one key holds no Latin letter (Japanese,
    // or digits for a number), or its first line holds no Latin letter and its
    // key is an English word or phrase.
    void noteWordQuestion(int q, const std::vector<std::string>& keys)
    {
        if (!report_.vocabulary)
            return;
        const std::string first = trimmed(line(book::firstQuestionLine(q)));
        if (keys.size() == 1 && isEnglishWord(first) && !keys[0].empty() && !hasLatinLetter(keys[0]))
            report_.englishToJapanese.push_back(first);
        else if (keys.size() == 1 && !first.empty() && !hasLatinLetter(first) && isEnglishWord(keys[0]))
            report_.japaneseToEnglish.push_back(keys[0]);
        else
            report_.vocabulary = false;
    }

    static std::string trimmed(std::string_view text)
    {
        while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
            text.remove_prefix(1);
        while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
            text.remove_suffix(1);
        return std::string(text);
    }

    static bool isLatinLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    // Letters, with blanks, hyphens, apostrophes and periods between words.
    static bool isEnglishWord(std::string_view text)
    {
        if (text.empty() || !isLatinLetter(text.front()))
            return false;
        return std::all_of(text.begin(), text.end(), [](char c) {
            return isLatinLetter(c) || c == ' ' || c == '-' || c == '\'' || c == '.';
        });
    }

    static bool hasLatinLetter(std::string_view text)
    {
        for (std::size_t pos = 0; pos < text.size(); pos += unitLength(text, pos))
            if (isLatinLetter(text[pos]) && unitLength(text, pos) == 1)
                return true;
        return false;
    }

    std::string_view fileName_;
    std::string_view raw_;
    std::string bytes_; // code page 932, as the program reads the file
    book::Encoding encoding_ = book::Encoding::Cp932;
    std::vector<std::string> lines_;
    int count_ = 0;
    Report report_;
};

bool hasExtension(std::string_view name, std::string_view upperExtension)
{
    if (name.size() < upperExtension.size())
        return false;
    std::string_view tail = name.substr(name.size() - upperExtension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        char c = tail[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != upperExtension[i])
            return false;
    }
    return true;
}

} // namespace

int Report::count(Severity severity) const
{
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [&](const Finding& f) { return f.severity == severity; }));
}

Report checkBook(std::string_view fileName, std::string_view bytes)
{
    return Checker(fileName, bytes).run();
}

int estimatedWidth(std::string_view text, int pixelSize, bool bold)
{
    // Shares of the font's pixel size. A double-byte character is at most a
    // full square; the single-byte classes lean a little wide of a
    // proportional Gothic's letters.
    auto share = [](unsigned char byte) {
        constexpr std::string_view narrow = " iljI'.,:;!|`";
        constexpr std::string_view wide = "mwMW@";
        if (narrow.find(static_cast<char>(byte)) != std::string_view::npos)
            return 0.3;
        if (wide.find(static_cast<char>(byte)) != std::string_view::npos)
            return 0.9;
        if ((byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9'))
            return 0.68;
        return 0.55; // other letters and signs, half-width katakana
    };
    double width = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t n = unitLength(text, pos);
        const auto byte = static_cast<unsigned char>(text[pos]);
        // A lead byte without its second byte shows as a replacement mark.
        width += n == 2 || book::isLeadByte(byte) ? 1.0 * pixelSize : share(byte) * pixelSize;
        pos += n;
    }
    if (bold)
        width *= 1.05;
    return static_cast<int>(std::ceil(width - 1e-9));
}

bool listedByBookList(std::string_view fileName)
{
    const std::size_t slash = fileName.find_last_of("/\\");
    if (slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    if (fileName.empty() || fileName.front() == '.')
        return false;
    if (hasExtension(fileName, ".TXT") || hasExtension(fileName, ".PPM"))
        return true;
    for (char digit = '1'; digit <= '9'; ++digit)
        if (hasExtension(fileName, std::string(".QT") + digit))
            return true;
    return false;
}

std::vector<std::filesystem::path> filesToCheck(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.') {
            // Hidden files and folders: an editor's or a version control's.
            if (it->is_directory())
                it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file()
            && (listedByBookList(name) || book::layoutOf(name) != Layout::NotABook))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

int questionLineNumber(Layout layout, int q)
{
    return lineNumber(layout == Layout::LongLine ? book::longQuestionLine(q) : book::firstQuestionLine(q));
}

std::string layoutName(Layout layout)
{
    switch (layout) {
    case Layout::ThreeLine: return "three-line";
    case Layout::LongLine: return "long-line";
    case Layout::NotABook: break;
    }
    return "not a book";
}

std::string formatReport(const std::string& path, const Report& report)
{
    std::ostringstream out;
    out << path << ": " << layoutName(report.layout);
    if (report.layout != Layout::NotABook) {
        out << ", " << plural(report.questions, "question", "questions");
        if (report.blocks > report.questions)
            out << " (of " << report.blocks << " blocks)";
    }
    out << '\n';
    for (const Finding& finding : report.findings) {
        out << "  ";
        if (finding.line > 0)
            out << "line " << finding.line << ": ";
        out << (finding.severity == Severity::Error ? "error: " : "warning: ") << finding.message << '\n';
    }
    return out.str();
}

} // namespace check
