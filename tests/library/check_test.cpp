// The rules of the book checker, one table per rule, on small books written
// here as code page 932 bytes with CR LF line ends.

#include "tools/check/categories.h"
#include "tools/check/check.h"
#include "tools/check/library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using check::Finding;
using check::Severity;
using Lines = std::vector<std::string>;

constexpr Severity E = Severity::Error;
constexpr Severity W = Severity::Warning;

// Code page 932 bytes used below.
const std::string kA = "\x82\xA0";     // あ, a double-byte character
const std::string kKanji = "\x8A\xBF"; // 漢

std::string join(const Lines& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

Lines block(int q, const std::string& question, const Lines& choices)
{
    Lines lines = {"Question " + std::to_string(q), "", question};
    lines.insert(lines.end(), choices.begin(), choices.end());
    return lines;
}

Lines ordinaryChoices(int q)
{
    const std::string n = std::to_string(q);
    return {"right" + n, "wrongA" + n, "wrongB" + n, "wrongC" + n, "wrongD" + n};
}

// A sound three-line book of n one-step questions: 2 + 8n lines.
Lines threeLine(int n)
{
    Lines lines = {"Title", "Heading"};
    for (int q = 1; q <= n; ++q) {
        Lines b = block(q, "", ordinaryChoices(q));
        lines.insert(lines.end(), b.begin(), b.end());
    }
    return lines;
}

// A sound long-line book of n one-step questions: 3 + 8n lines, the
// question text on the third line of each block and one line at the end.
Lines longLine(int n)
{
    Lines lines = {"not read", "Title"};
    for (int q = 1; q <= n; ++q) {
        Lines b = {"", "", "Long question " + std::to_string(q)};
        Lines c = ordinaryChoices(q);
        b.insert(b.end(), c.begin(), c.end());
        lines.insert(lines.end(), b.begin(), b.end());
    }
    lines.push_back("");
    return lines;
}

// The lines with line index (0-based) replaced.
Lines with(Lines lines, int index, const std::string& text)
{
    lines.at(static_cast<std::size_t>(index)) = text;
    return lines;
}

Lines dropLast(Lines lines)
{
    lines.pop_back();
    return lines;
}

Lines plus(Lines lines, const Lines& more)
{
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

std::string repeat(const std::string& unit, int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += unit;
    return text;
}

struct Expect {
    Severity severity;
    int line; // 1-based, 0 for the whole file
    std::string fragment;
};

struct Case {
    std::string name;
    std::string file;
    std::string bytes;
    std::vector<Expect> expected; // all of the findings, in any order
};

std::string describe(const std::vector<Finding>& findings)
{
    std::string text;
    for (const Finding& f : findings)
        text += "\n  " + std::string(f.severity == E ? "error" : "warning") + " line "
                + std::to_string(f.line) + ": " + f.message;
    return text.empty() ? " (none)" : text;
}

// Each expected finding must be there, and nothing else may be.
void expectFindings(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const check::Report report = check::checkBook(c.file, c.bytes);
        std::vector<Finding> left = report.findings;
        for (const Expect& e : c.expected) {
            auto found = std::find_if(left.begin(), left.end(), [&](const Finding& f) {
                return f.severity == e.severity && f.line == e.line
                       && f.message.find(e.fragment) != std::string::npos;
            });
            if (found == left.end())
                ADD_FAILURE() << "missing " << (e.severity == E ? "error" : "warning") << " at line "
                              << e.line << " with \"" << e.fragment << "\"; found:" << describe(report.findings);
            else
                left.erase(found);
        }
        EXPECT_TRUE(left.empty()) << "unexpected findings:" << describe(left);
    }
}

// ---- Layout and counts

TEST(CheckBook, SoundBooksHaveNoFindings)
{
    expectFindings({
        {"three-line, one question", "a.txt", join(threeLine(1)), {}},
        {"three-line, three questions", "unit1.TXT", join(threeLine(3)), {}},
        {"long-line, two questions", "b.qt5", join(longLine(2)), {}},
        {"long-line, nine extensions alike", "c.Qt9", join(longLine(1)), {}},
        {"exactly 200 questions", "many.txt", join(threeLine(200)), {}},
    });
}

TEST(CheckBook, LayoutAndQuestionCount)
{
    struct Count {
        std::string file;
        Lines lines;
        book::Layout layout;
        int blocks;
        int questions;
    };
    const std::vector<Count> cases = {
        {"a.txt", threeLine(2), book::Layout::ThreeLine, 2, 2},
        {"a.txt", plus(threeLine(1), {"x", "x", "x", "x", "x", "x", "x"}), book::Layout::ThreeLine, 1, 1},
        {"a.qt1", longLine(3), book::Layout::LongLine, 3, 3},
        // 2 + 8n lines in the long-line layout: one block short.
        {"a.qt1", dropLast(longLine(2)), book::Layout::LongLine, 1, 1},
        {"a.txt", threeLine(201), book::Layout::ThreeLine, 201, 200},
        {"a.txt", Lines{"Title", "Heading"}, book::Layout::ThreeLine, 0, 0},
    };
    for (const Count& c : cases) {
        const check::Report report = check::checkBook(c.file, join(c.lines));
        EXPECT_EQ(report.layout, c.layout) << c.file << ", " << c.lines.size() << " lines";
        EXPECT_EQ(report.blocks, c.blocks) << c.file << ", " << c.lines.size() << " lines";
        EXPECT_EQ(report.questions, c.questions) << c.file << ", " << c.lines.size() << " lines";
    }
}

TEST(CheckBook, StepsOfEachAskedQuestion)
{
    Lines lines = plus(threeLine(1), block(2, "", {"I am", "You is", "He are", "We be", "It been"}));
    lines = plus(lines, block(3, "", {"a,b,c", "d,e,f", "g,h,i", "j,k,l", "m,n,o"}));
    const check::Report report = check::checkBook("steps.txt", join(lines));
    EXPECT_EQ(report.steps, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(report.hasErrors()) << describe(report.findings);

    // Only asked questions have steps.
    EXPECT_EQ(check::checkBook("many.txt", join(threeLine(201))).steps.size(), 200u);
}

// ---- Errors

TEST(CheckBook, NotABookByItsExtension)
{
    const std::string bytes = join(threeLine(1));
    expectFindings({
        {"picture list entry", "notes.ppm", bytes, {{E, 0, "not a book by its extension"}}},
        {"capital PPM", "d.PPM", bytes, {{E, 0, "not a book by its extension"}}},
        {"document", "c.doc", bytes, {{E, 0, "not a book by its extension"}}},
        {"no dot", "README", bytes, {{E, 0, "not a book by its extension"}}},
        {"dot in a folder only", "dir.txt/book", bytes, {{E, 0, "not a book by its extension"}}},
        {".qt0 is no book", "a.qt0", bytes, {{E, 0, "not a book by its extension"}}},
    });
}

TEST(CheckBook, NoCompleteQuestionBlock)
{
    expectFindings({
        {"empty file", "e.txt", "", {{E, 0, "no complete question block"}}},
        {"title only", "e.txt", join({"Title"}), {{E, 0, "no complete question block"}}},
        {"one line short", "e.txt", join(dropLast(threeLine(1))),
         {{E, 0, "needs at least 10 lines"}}},
        {"long-line, header only", "e.qt2", join({"x", "Title", ""}),
         {{E, 0, "needs at least 11 lines"}}},
    });
}

TEST(CheckBook, MoreThan200Blocks)
{
    // Block 201 starts on line 8 * 201 - 6, counted from 0.
    expectFindings({
        {"201 blocks", "many.txt", join(threeLine(201)), {{E, 1603, "only the first 200 are asked"}}},
        {"250 blocks, long-line", "many.qt4", join(longLine(250)), {{E, 1603, "250 question blocks"}}},
        // A block past 200 is never shown, so its faults do not count.
        {"201st block broken", "many.txt", join(with(threeLine(201), 8 * 201 - 3 + 2, "")),
         {{E, 1603, "only the first 200"}}},
    });
}

TEST(CheckBook, LongLineBookOneLineShort)
{
    const Lines two = dropLast(longLine(2)); // 18 lines: the second block is never asked
    const Lines one = dropLast(longLine(1)); // 10 lines: nothing is asked
    expectFindings({
        {"second block lost", "l.qt3", join(two), {{E, 11, "question block 2 (lines 11 to 18) is never asked"}}},
        {"only block lost", "l.qt3", join(one), {{E, 3, "question block 1 (lines 3 to 10) is never asked"}}},
        // The same lines make two whole blocks of a three-line book.
        {"three-line counts differently", "l.txt", join(two),
         {{W, 5, "question line 3 of question 1"}, {W, 13, "question line 3 of question 2"}}},
    });
}

TEST(CheckBook, ChoiceLineWithNoItem)
{
    // Question 1's choice line k is line index 2 + k + 1 (0-based).
    expectFindings({
        {"empty key line", "c.txt", join(with(threeLine(1), 5, "")),
         {{E, 6, "choice line 1 of question 1 has no item"}}},
        {"blanks only", "c.txt", join(with(threeLine(1), 7, "  \t ")),
         {{E, 8, "choice line 3 of question 1 has no item"}}},
        {"second question, last line", "c.txt", join(with(threeLine(2), 17, "")),
         {{E, 18, "choice line 5 of question 2 has no item"}}},
        {"long-line", "c.qt1", join(with(longLine(1), 9, "")),
         {{E, 10, "choice line 5 of question 1 has no item"}}},
        // A lone comma is one empty item, which is an item.
        {"comma only", "c.txt", join(with(threeLine(1), 6, ",")), {}},
    });
}

TEST(CheckBook, UnequalItemCounts)
{
    expectFindings({
        {"key has two", "u.txt", join(with(threeLine(1), 5, "right other")),
         {{E, 6, "hold 2, 1, 1, 1, 1 items"}}},
        {"last line has two", "u.txt", join(with(threeLine(1), 9, "\"wrong D\",x")),
         {{E, 6, "hold 1, 1, 1, 1, 2 items"}}},
        // Quotes group: one item each, so the counts agree.
        {"quoted blanks", "u.txt", join(with(threeLine(1), 9, "\"wrong D, x\"")), {}},
        {"empty line and a two", "u.txt", join(with(with(threeLine(1), 7, ""), 8, "p q")),
         {{E, 8, "has no item"}, {E, 6, "hold 1, 1, 0, 2, 1 items"}}},
    });
}

TEST(CheckBook, KeyItemEqualToAnotherChoice)
{
    expectFindings({
        {"one step", "k.txt", join(with(threeLine(1), 8, "right1")),
         {{E, 9, "choice line 4 of question 1: \"right1\" is the same as the right answer"}}},
        {"two lines", "k.txt", join(with(with(threeLine(1), 6, "right1"), 9, "right1")),
         {{E, 7, "choice line 2"}, {E, 10, "choice line 5"}}},
        {"quoted equals plain", "k.txt", join(with(threeLine(1), 7, "\"right1\"")),
         {{E, 8, "both count as right"}}},
        {"case differs", "k.txt", join(with(threeLine(1), 7, "Right1")), {}},
        {"blank inside differs", "k.txt", join(with(with(threeLine(1), 5, "\"a b\""), 7, "\"a  b\"")), {}},
    });

    const Lines steps = plus({"T", "H"}, block(1, "", {"I am fine", "You is well", "He are good", "We be ok", "It been bad"}));
    expectFindings({
        {"three steps, sound", "s.txt", join(steps), {}},
        {"step 3 equal", "s.txt", join(with(steps, 8, "We be fine")),
         {{E, 9, "question 1, step 3: \"fine\" is the same"}}},
        // An item of another step is no right answer for this step.
        {"equal to another step", "s.txt", join(with(steps, 6, "am I well")), {}},
        {"long-line second question", "s.qt6", join(with(longLine(2), 16, "right2")),
         {{E, 17, "choice line 4 of question 2"}}},
    });
}

// ---- Warnings

TEST(CheckBook, SameWrongChoiceTwice)
{
    const Lines steps = plus({"T", "H"}, block(1, "", {"I am", "You is", "He are", "We be", "It been"}));
    expectFindings({
        {"lines 2 and 5", "d.txt", join(with(threeLine(1), 9, "wrongA1")),
         {{W, 10, "choice lines 2 and 5 of question 1, both hold \"wrongA1\""}}},
        {"three alike", "d.txt", join(with(with(threeLine(1), 7, "x"), 8, "x")), {{W, 9, "choice lines 3 and 4"}}},
        {"second step", "d.txt", join(with(steps, 9, "It is")), {{W, 10, "choice lines 2 and 5 of question 1, step 2"}}},
        // Alike across steps is no repeat: each step shows its own items.
        {"across steps", "d.txt", join(with(steps, 9, "It You")), {}},
        // Equal to the key is an error, and said once.
        {"two equal to the key", "d.txt", join(with(with(threeLine(1), 6, "right1"), 7, "right1")),
         {{E, 7, "choice line 2"}, {E, 8, "choice line 3"}}},
    });
}

TEST(CheckBook, TrailingLines)
{
    expectFindings({
        {"one empty line", "t.txt", join(plus(threeLine(1), {""})), {{W, 11, "1 line after the last question block is never read"}}},
        {"unfinished block", "t.txt", join(plus(threeLine(2), {"Q", "", "", "a", "b", "c", "d"})),
         {{W, 19, "7 lines after the last question block are never read"}}},
        {"long-line, one line too many", "t.qt2", join(plus(longLine(1), {""})),
         {{W, 12, "1 line after the last question block"}}},
        {"long-line, unfinished block", "t.qt2", join(plus(longLine(1), {"", "", "Q", "a", "b", "c"})),
         {{W, 12, "6 lines after"}}},
    });
}

TEST(CheckBook, BytesThatAreNotCodePage932)
{
    expectFindings({
        {"lone lead byte at the end", "b.txt", join(with(threeLine(1), 2, "Question \x82")),
         {{W, 3, "the first at byte 10 (0x82)"}}},
        {"unassigned pair", "b.txt", join(with(threeLine(1), 1, kA + "\x85\x40" + kA)),
         {{W, 2, "1 character, the first at byte 3 (0x85)"}}},
        {"two bad bytes", "b.txt", join(with(threeLine(1), 0, "\x80T\xFF")),
         {{W, 1, "2 characters, the first at byte 1 (0x80)"}}},
        {"in a line that is never read", "b.qt1", join(with(longLine(1), 0, "\xFF")),
         {{W, 1, "not code page 932"}}},
        {"sound double-byte text", "b.txt", join(with(threeLine(1), 0, kA + kKanji + "\x83\x5C")), {}},
    });
}

TEST(CheckBook, BookSavedAsUtf8)
{
    // The program converts a book saved as UTF-8 as it reads it; the checker
    // says so and checks the converted bytes.
    const std::string kanaUtf8 = "\xE3\x81\x82";  // あ: its last byte cannot start a code page 932 pair
    const std::string kanjiUtf8 = "\xE6\xBC\xA2"; // 漢: these bytes are code page 932 as well
    const std::string getaUtf8 = "\xE3\x80\x93";  // 〓
    const std::string chickUtf8 = "\xF0\x9F\x90\xA3"; // a character code page 932 lacks
    // A three-line book saved as UTF-8, with line index replaced.
    auto utf8Book = [&](int index, const std::string& text) {
        return join(with(with(threeLine(1), 0, kanaUtf8), index, text));
    };
    expectFindings({
        {"UTF-8 title", "u.txt", join(with(threeLine(1), 0, kanaUtf8)), {{W, 0, "saved as UTF-8: the program converts it"}}},
        {"byte order mark", "u.txt", "\xEF\xBB\xBF" + join(threeLine(1)), {{W, 0, "UTF-8 with byte order mark"}}},
        {"plain ASCII is code page 932 as well", "u.txt", join(threeLine(1)), {}},
        // Widths and cuts count code page 932 bytes: 12 kanji are 24 bytes.
        {"choice measured converted", "u.txt", utf8Book(6, repeat(kanjiUtf8, 12)),
         {{W, 0, "saved as UTF-8"}, {W, 7, "about 324 pixels wide"}}},
        {"long line cut converted", "u.qt1", join(with(with(longLine(1), 1, kanaUtf8), 4, std::string(55, 'x') + kanjiUtf8)),
         {{W, 0, "saved as UTF-8"}, {W, 5, "split at byte 56"}}},
        {"lacking characters", "u.txt", utf8Book(6, chickUtf8 + "x" + chickUtf8),
         {{W, 0, "saved as UTF-8"}, {W, 7, "2 characters that code page 932 lacks show as"}}},
        {"a geta mark written as such", "u.txt", utf8Book(3, getaUtf8), {{W, 0, "saved as UTF-8"}}},
        {"lacking beside a written geta", "u.txt", "\xEF\xBB\xBF" + join(with(threeLine(1), 3, getaUtf8 + chickUtf8)),
         {{W, 0, "byte order mark"}, {W, 4, "1 character that code page 932 lacks shows as"}}},
        // Taken as code page 932 as it stands, but most likely meant as UTF-8.
        {"valid both ways", "u.txt", join(with(threeLine(1), 0, kanjiUtf8)), {{W, 0, "valid UTF-8 as well"}}},
        {"code page 932 that is no UTF-8", "u.txt", join(with(threeLine(1), 0, kKanji + kA)), {}},
    });
}

TEST(CheckBook, NulEndsTheText)
{
    Lines broken = threeLine(1);
    broken[4] = std::string("a\0b", 3);
    expectFindings({
        {"after the last line", "n.txt", join(threeLine(1)) + std::string("\0junk", 5),
         {{W, 11, "the 5 bytes from it on are never read"}}},
        {"inside a block", "n.txt", join(broken),
         {{W, 5, "NUL byte"}, {E, 0, "no complete question block"}}},
    });
}

TEST(CheckBook, LineEnds)
{
    std::string lf;
    for (const std::string& line : threeLine(1))
        lf += line + "\n";
    std::string mixed = join(threeLine(1));
    mixed.replace(mixed.find("\r\nwrongA1"), 2, "\r");
    expectFindings({
        {"LF only", "e.txt", lf, {{W, 1, "lone LF, not CR LF (10 line ends"}}},
        {"one lone CR", "e.txt", mixed, {{W, 6, "lone CR, not CR LF (1 line end"}}},
        {"no break after the last line", "e.txt", join(threeLine(1)).substr(0, join(threeLine(1)).size() - 2), {}},
    });
}

TEST(CheckBook, LongQuestionLine)
{
    auto longText = [](const std::string& text) { return join(with(longLine(1), 4, text)); };
    expectFindings({
        {"112 bytes are all seen", "q.qt1", longText(std::string(112, 'x')), {}},
        {"113 bytes", "q.qt1", longText(std::string(113, 'x')), {{W, 5, "113 bytes long: bytes 113 to 113 are held but not in view"}}},
        {"168 bytes", "q.qt1", longText(std::string(168, 'x')), {{W, 5, "168 bytes long: bytes 113 to 168 are held"}}},
        {"169 bytes", "q.qt1", longText(std::string(169, 'x')), {{W, 5, "169 bytes long: only bytes 1 to 112 are seen, and bytes 169 to 169 are cut off"}}},
        // The second question's text is line 12 (0-based).
        {"second question", "q.qt1", join(with(longLine(2), 12, std::string(200, 'x'))), {{W, 13, "200 bytes long: only bytes 1 to 112 are seen, and bytes 169 to 200"}}},
        // Three-line books show their lines whole; no byte rule there.
        {"three-line", "q.txt", join(with(threeLine(1), 4, std::string(200, 'x'))),
         {{W, 5, "question line 3 of question 1 is never seen"}}},
    });
}

TEST(CheckBook, DoubleByteCharacterSplitAtACut)
{
    auto longText = [](const std::string& text) { return join(with(longLine(1), 4, text)); };
    expectFindings({
        {"lead byte at 56", "s.qt1", longText(std::string(55, 'x') + kA), {{W, 5, "split at byte 56"}}},
        {"ends at 56", "s.qt1", longText(std::string(54, 'x') + kA + "y"), {}},
        {"all double-byte", "s.qt1", longText(repeat(kA, 56)), {}},
        {"lead byte at 112", "s.qt1", longText(repeat(kA, 28) + std::string(55, 'x') + kKanji),
         {{W, 5, "split at byte 112"}, {W, 5, "113 bytes long"}}},
        {"both cuts", "s.qt1", longText("x" + repeat(kA, 56)),
         {{W, 5, "split at byte 56"}, {W, 5, "split at byte 112"}, {W, 5, "113 bytes long"}}},
        // A trail byte that looks like a lead byte does not count.
        {"trail byte 0x82 at 56", "s.qt1", longText(std::string(54, 'x') + "\x82\x82" + "y"), {}},
    });
}

TEST(CheckBook, LinesThatAreNeverSeen)
{
    expectFindings({
        {"three-line, third question line", "v.txt", join(with(threeLine(2), 12, "hidden")),
         {{W, 13, "question line 3 of question 2 is never seen"}}},
        {"three-line, blanks only", "v.txt", join(with(threeLine(1), 4, "   ")), {}},
        {"long-line, first block line", "v.qt1", join(with(longLine(1), 2, "Question?")),
         {{W, 3, "belongs on line 5"}}},
        {"long-line, second block line", "v.qt1", join(with(longLine(2), 11, "x")),
         {{W, 12, "question 2 belongs on line 13"}}},
        {"long-line, first line is free", "v.qt1", join(with(longLine(1), 0, "anything")), {}},
    });
}

TEST(CheckBook, EmptyTitle)
{
    expectFindings({
        {"three-line", "t.txt", join(with(threeLine(1), 0, "")), {{W, 1, "the title line is empty"}}},
        {"long-line", "t.qt1", join(with(longLine(1), 1, " ")), {{W, 2, "its second line"}}},
    });
}

TEST(CheckBook, TextTooWideForItsBox)
{
    // Full-width characters count a full square: 21 px bold (x 1.05), 23 px
    // and 27 px.
    expectFindings({
        {"title of 20", "w.txt", join(with(threeLine(1), 0, repeat(kKanji, 20))), {}},
        {"title of 21", "w.txt", join(with(threeLine(1), 0, repeat(kKanji, 21))),
         {{W, 1, "the title \"" + repeat("漢", 21) + "\" is about 464 pixels wide, and its box shows 449"}}},
        {"long-line title", "w.qt1", join(with(longLine(1), 1, repeat(kKanji, 21))), {{W, 2, "the title"}}},
        {"heading of 29", "w.txt", join(with(threeLine(1), 1, repeat(kKanji, 29))), {}},
        {"heading of 30", "w.txt", join(with(threeLine(1), 1, repeat(kKanji, 30))),
         {{W, 2, "the heading line"}}},
        {"question line of 28", "w.txt", join(with(threeLine(1), 2, repeat(kKanji, 28))), {}},
        {"question line 1 of 29", "w.txt", join(with(threeLine(1), 2, repeat(kKanji, 29))),
         {{W, 3, "question line 1"}}},
        {"question line 2 of 29", "w.txt", join(with(threeLine(1), 3, repeat(kKanji, 29))),
         {{W, 4, "question line 2"}}},
        {"choice of 11", "w.txt", join(with(threeLine(1), 7, repeat(kKanji, 11))), {}},
        {"choice of 12", "w.txt", join(with(threeLine(1), 7, repeat(kKanji, 12))),
         {{W, 8, "is about 324 pixels wide, and its box shows 311"}}},
        {"wide letters", "w.txt", join(with(threeLine(1), 9, std::string(14, 'W'))),
         {{W, 10, "the choice \"WWWWWWWWWWWWWW\""}}},
        {"second step too wide", "w.txt", join(plus({"T", "H"}, block(1, "", {"a " + repeat(kKanji, 12), "b c", "d e", "f g", "h i"}))),
         {{W, 6, "the choice"}}},
        // A choice of a question that is never asked is not looked at.
        {"question 201", "w.txt", join(with(threeLine(201), 8 * 201 - 3, repeat(kKanji, 12))),
         {{E, 1603, "only the first 200"}}},
    });
}

TEST(CheckBook, NameTheBookListDoesNotShow)
{
    const std::string bytes = join(threeLine(1));
    expectFindings({
        {"txt2 reads as three-line", "a.txt2", bytes, {{W, 0, "book list of the program does not show"}}},
        {"qt10 reads as long-line", "a.qt10", join(longLine(1)), {{W, 0, "does not show this file"}}},
        {"hidden file", "dir/.a.txt", bytes, {{W, 0, "does not start with a dot"}}},
    });
}

TEST(CheckBook, FolderNoButtonInViewShows)
{
    const std::string bytes = join(threeLine(1));
    expectFindings({
        {"hidden button's folder", "data/007/a.txt", bytes,
         {{W, 0, "learners cannot reach this book: no category button in view shows folder 007 (the button"}}},
        {"backslashes", "C:\\piyoran\\007\\a.txt", bytes, {{W, 0, "shows folder 007"}}},
        {"three digits without a button", "data/010/a.qt1", join(longLine(1)), {{W, 0, "shows folder 010;"}}},
        {"first category", "data/001/a.txt", bytes, {}},
        {"last category", "009/a.txt", bytes, {}},
        {"vocabulary, second year", "006/a.txt", bytes, {}},
        {"an author's folder", "my_books/a.txt", bytes, {}},
        {"no folder", "007.txt", bytes, {}},
        {"four digits", "0007/a.txt", bytes, {}},
    });
}

TEST(Categories, FolderOfAPath)
{
    EXPECT_EQ(check::folderOf("data/007/a.txt"), "007");
    EXPECT_EQ(check::folderOf("007/a.txt"), "007");
    EXPECT_EQ(check::folderOf("C:\\x\\005\\a.txt"), "005");
    EXPECT_EQ(check::folderOf("a.txt"), "");
    EXPECT_EQ(check::folderOf("/a.txt"), "");
    ASSERT_NE(check::categoryOf("004"), nullptr);
    EXPECT_EQ(check::categoryOf("004")->caption, "高校入試対策");
    EXPECT_FALSE(check::categoryOf("007")->shown);
    EXPECT_EQ(check::categoryOf("010"), nullptr);
}

// ---- Word questions and vocabulary books

// A three-line book of these (first question line, second line, choices).
std::string wordBook(const std::vector<std::pair<std::string, Lines>>& questions)
{
    Lines lines = {"Title", "Heading"};
    for (const auto& [first, choices] : questions)
        lines = plus(lines, plus({first, "", ""}, choices));
    return join(lines);
}

TEST(CheckBook, VocabularyBooks)
{
    const std::string cat = "\x94\x4C";  // 猫
    const std::string dog = "\x8C\xA2";  // 犬
    const std::string bird = "\x92\xB9"; // 鳥
    const Lines japanese = {cat, dog, bird, kA, kKanji};
    const Lines english = {"cat", "dog", "bird", "fish", "cow"};

    check::Report both = check::checkBook(
        "005/v.txt", wordBook({{"cat", japanese}, {"good-bye", plus({"1" + kA}, dropLast(japanese))},
                               {"eleven", {"11", "12", "13", "14", "15"}},
                               {cat, english}, {"13" + kKanji, {"thirteen", "thirty", "three", "third", "ten"}}}));
    EXPECT_TRUE(both.vocabulary);
    EXPECT_EQ(both.englishToJapanese, (std::vector<std::string>{"cat", "good-bye", "eleven"}));
    EXPECT_EQ(both.japaneseToEnglish, (std::vector<std::string>{"cat", "thirteen"}));

    struct NotVocabulary {
        std::string name;
        std::string file;
        std::string bytes;
    };
    const std::vector<NotVocabulary> cases = {
        {"a sentence with a blank", "001/g.txt", wordBook({{"cat", japanese}, {"I (   ) a cat.", english}})},
        {"an English key after English", "001/g.txt", wordBook({{"cat", japanese}, {"dog", english}})},
        {"a key with a Latin letter", "001/g.txt", wordBook({{"cat", {"x" + kA, cat, dog, bird, kKanji}}})},
        {"a Japanese key after Japanese", "001/g.txt", wordBook({{dog, japanese}})},
        {"two steps", "009/c.txt", wordBook({{cat, {"a,b", "c,d", "e,f", "g,h", "i,j"}}})},
        {"long-line", "006/o.qt7", join(longLine(1))},
    };
    for (const NotVocabulary& c : cases) {
        const check::Report report = check::checkBook(c.file, c.bytes);
        EXPECT_FALSE(report.vocabulary) << c.name;
        EXPECT_TRUE(report.englishToJapanese.empty() && report.japaneseToEnglish.empty()) << c.name;
    }
}

TEST(NormalizedText, BlanksPunctuationAndCaseApart)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"I (   ) a student.", "iastudent"},
        {"I ( 1 ) a student ( 2 ) Ken.", "iastudentken"},
        {"Is it 2,000 yen?", "isit2000yen"},
        {"(a) b", "ab"},                                   // not an answer blank
        {"\x81\x69\x81\x40\x81\x6A" + kA + "\x81\x42", kA}, // （　）あ。
        {kKanji + "\n" + kA, kKanji + kA},
        {"\xB1x", "\xB1x"},                              // half-width katakana stays
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(check::normalizedText(text), expected) << text;
}

TEST(Library, QuestionsThatRepeat)
{
    const std::string japanese = "\x8E\x84\x82\xCD" + repeat(kKanji, 4); // 私は漢漢漢漢
    auto book = [&](const std::vector<std::pair<std::string, std::string>>& questions) {
        Lines lines = {"Title", "Heading"};
        int q = 0;
        for (const auto& [first, second] : questions)
            lines = plus(lines, plus({first, second, ""}, ordinaryChoices(++q)));
        return join(lines);
    };
    check::Library library;
    check::Report a = check::checkBook("001/a.txt", book({{"I (   ) a junior high school student.", japanese},
                                                          {"Ken (   ) tennis every day.", kA}}));
    library.add("001/a.txt", a);
    EXPECT_TRUE(a.findings.empty()) << describe(a.findings);

    check::Report b = check::checkBook(
        "004/b.txt", book({{"I (   ) a junior high school student.", japanese},   // as written
                           {"i ( 1 ) a Junior High School student", japanese},   // case, blanks
                           {"Ken (   ) tennis every day.", repeat(kA, 2)},       // the English line
                           {"He plays tennis every day.", kA},                   // new
                           {"Read this.", japanese},                             // a short line
                           {"Read this.", japanese}}));                          // within the book
    library.add("004/b.txt", b);
    ASSERT_EQ(b.findings.size(), 4u) << describe(b.findings);
    EXPECT_EQ(b.findings[0].line, 3);
    EXPECT_NE(b.findings[0].message.find("question 1 repeats question 1 of 001/a.txt"), std::string::npos);
    EXPECT_EQ(b.findings[1].line, 11);
    EXPECT_NE(b.findings[1].message.find("question 2 nearly repeats (blanks, punctuation or case apart) question 1 of 001/a.txt"),
              std::string::npos);
    EXPECT_EQ(b.findings[2].line, 19);
    EXPECT_NE(b.findings[2].message.find("question 3 repeats the line \"Ken (   ) tennis every day.\" of question 2 of 001/a.txt"),
              std::string::npos);
    EXPECT_EQ(b.findings[3].line, 43);
    EXPECT_NE(b.findings[3].message.find("question 6 repeats question 5 of this book"), std::string::npos);
    EXPECT_TRUE(std::all_of(b.findings.begin(), b.findings.end(), [](const Finding& f) { return f.severity == W; }));

    // A long-line book's instruction, the same in every question, is no repeat.
    const std::string instruction = repeat(kKanji, 10) + "\x81\x42";
    Lines lines = {"not read", "Title"};
    for (int q = 1; q <= 3; ++q)
        lines = plus(lines, plus({"", "", "Word" + std::to_string(q) + std::string(51, ' ') + instruction},
                                 ordinaryChoices(q)));
    lines.push_back("");
    check::Report c = check::checkBook("008/c.qt8", join(lines));
    library.add("008/c.qt8", c);
    EXPECT_TRUE(c.findings.empty()) << describe(c.findings);
}

TEST(Library, SummaryCounts)
{
    check::Library library;
    const Lines japanese = {"\x94\x4C", kA, kKanji, "\x8C\xA2", "\x92\xB9"};
    const std::string toJapanese = "Title\r\nHeading\r\ncat\r\n\r\n\r\n" + join(japanese)
                                   + "dog\r\n\r\n\r\n" + join(japanese);
    const std::string toEnglish = "Title\r\nHeading\r\n" + kA + "\r\n\r\n\r\n" + join({"cat", "a", "b", "c", "d"});
    for (const auto& [path, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"data/005/e2j.txt", toJapanese},
             {"data/005/j2e.txt", toEnglish},
             {"data/001/g.txt", join(threeLine(3))},
             {"data/007/w.txt", join(threeLine(1))},
             {"mine/m.qt1", join(longLine(2))}}) {
        check::Report report = check::checkBook(path, bytes);
        library.add(path, report);
    }
    EXPECT_EQ(library.summary(),
              "library: 5 books, 9 questions\n"
              "  other folders: 1 book, 2 questions\n"
              "  001 中学１年英文法: 1 book, 3 questions\n"
              "  005 中学１年英単語: 2 books, 3 questions; 2 vocabulary books asking 2 English words\n"
              "  007 中学３年英単語 (button never shown): 1 book, 1 question\n"
              "vocabulary: 2 distinct English words in 2 books, 1 asked both ways (English to Japanese and Japanese to English)\n");
}

// ---- Widths, names, folders, printing

TEST(EstimatedWidth, SharesOfThePixelSize)
{
    struct Width {
        std::string text;
        int pixelSize;
        bool bold;
        int expected;
    };
    const std::vector<Width> cases = {
        {"", 27, false, 0},
        {"ab", 20, false, 22},       // 0.55 each
        {"W", 20, false, 18},        // 0.9
        {"m", 100, false, 90},
        {"i", 20, false, 6},         // 0.3
        {" ", 100, false, 30},
        {"A", 100, false, 68},       // 0.68
        {"7", 100, false, 68},
        {kA, 27, false, 27},         // a full square
        {kA + kKanji, 23, false, 46},
        {"\xB1", 20, false, 11},     // half-width katakana
        {"\x82", 20, false, 20},     // a lead byte alone
        {kA, 20, true, 21},          // bold: a twentieth more
        {"ab", 21, true, 25},        // 23.1 * 1.05 = 24.255, rounded up
        {"x" + kA, 10, false, 16},   // 5.5 + 10 = 15.5, rounded up
    };
    for (const Width& c : cases)
        EXPECT_EQ(check::estimatedWidth(c.text, c.pixelSize, c.bold), c.expected)
            << "\"" << c.text << "\" at " << c.pixelSize << (c.bold ? " bold" : "");
}

TEST(ListedByBookList, ThePatternsOfTheList)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        {"a.txt", true},       {"A.TXT", true},      {"a.Txt", true},     {"a.ppm", true},
        {"a.PPM", true},       {"a.qt1", true},      {"a.QT9", true},     {"dir/a.qt5", true},
        {"a.qt0", false},      {"a.qt10", false},    {"a.txt2", false},   {"a.doc", false},
        {".a.txt", false},     {"dir/.a.txt", false}, {"txt", false},     {"", false},
        {"a.jpg", false},
    };
    for (const auto& [name, listed] : cases)
        EXPECT_EQ(check::listedByBookList(name), listed) << name;
}

class FolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root_ = std::filesystem::temp_directory_path() / ("piyoran-check-test-" + std::to_string(stamp));
        std::filesystem::create_directories(root_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    void touch(const std::string& relative)
    {
        const std::filesystem::path path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }

    std::filesystem::path root_;
};

TEST_F(FolderTest, FilesToCheck)
{
    for (const char* name : {"001/b.txt", "001/a.TXT", "001/notes.ppm", "001/c.qt10", "001/d.doc",
                             "001/.e.txt", ".hidden/f.txt", "image/Sea1.jpg", "002/g.qt3", "top.qt9"})
        touch(name);
    std::filesystem::create_directories(root_ / "003" / "folder.txt");

    std::vector<std::string> found;
    for (const std::filesystem::path& path : check::filesToCheck(root_))
        found.push_back(path.lexically_relative(root_).generic_string());
    EXPECT_EQ(found, (std::vector<std::string>{"001/a.TXT", "001/b.txt", "001/c.qt10", "001/notes.ppm",
                                               "002/g.qt3", "top.qt9"}));
}

TEST_F(FolderTest, MissingFolderThrows)
{
    EXPECT_THROW(check::filesToCheck(root_ / "none"), std::filesystem::filesystem_error);
}

TEST(FormatReport, HeadingAndOneLinePerFinding)
{
    check::Report report;
    report.layout = book::Layout::ThreeLine;
    report.blocks = 201;
    report.questions = 200;
    report.findings = {{E, 0, "whole file"}, {W, 12, "a line"}};
    EXPECT_EQ(check::formatReport("data/001/a.txt", report),
              "data/001/a.txt: three-line, 200 questions (of 201 blocks)\n"
              "  error: whole file\n"
              "  line 12: warning: a line\n");

    check::Report one;
    one.layout = book::Layout::LongLine;
    one.blocks = one.questions = 1;
    EXPECT_EQ(check::formatReport("b.qt1", one), "b.qt1: long-line, 1 question\n");

    check::Report none;
    none.findings = {{E, 0, "not a book"}};
    EXPECT_EQ(check::formatReport("c.doc", none), "c.doc: not a book\n  error: not a book\n");
}

TEST(CheckBook, FindingsInLineOrder)
{
    Lines lines = with(with(threeLine(2), 17, ""), 0, "\xFF");
    lines.push_back("");
    const check::Report report = check::checkBook("o.txt", join(lines));
    ASSERT_EQ(report.findings.size(), 3u) << describe(report.findings);
    EXPECT_EQ(report.findings[0].line, 1);
    EXPECT_EQ(report.findings[1].line, 18);
    EXPECT_EQ(report.findings[2].line, 19);
    EXPECT_TRUE(report.hasErrors());
    EXPECT_EQ(report.count(W), 2);
    EXPECT_EQ(report.count(E), 1);
}

} // namespace
