#include "book/format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

struct SplitCase {
    std::string input;
    Strings expected;
};

// Runs every case and names the failing input (bytes shown escaped).
void expectSplits(const std::vector<SplitCase>& cases, Strings (*split)(std::string_view))
{
    for (const SplitCase& c : cases) {
        std::string shown;
        for (unsigned char b : c.input) {
            if (b >= 0x20 && b < 0x7F) {
                shown += static_cast<char>(b);
            } else {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", b);
                shown += hex;
            }
        }
        EXPECT_EQ(split(c.input), c.expected) << "input: " << shown;
    }
}

Strings lines(std::string_view s) { return book::splitLines(s); }
Strings items(std::string_view s) { return book::splitItems(s); }

TEST(SplitLines, LineBreaks)
{
    expectSplits({
        {"", {}},
        {"a", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"\r\r", {"", ""}},
        {"a\rb\nc\r\n", {"a", "b", "c"}},
        {"a\n\r", {"a", ""}},
        {"a\r\r\n", {"a", ""}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"  a b  \r\n", {"  a b  "}},
    }, lines);
}

TEST(SplitLines, NulEndsTheText)
{
    expectSplits({
        {std::string("a\0b\nc", 5), {"a"}},
        {std::string("a\r\n\0\r\nb", 7), {"a"}},
        {std::string("\0a", 2), {}},
        {std::string("a\nb\0", 4), {"a", "b"}},
    }, lines);
}

TEST(SplitLines, DoubleByteTextIsKept)
{
    // "ソ" and "表" end in 0x5C; the lines must come back byte for byte.
    expectSplits({
        {"\x83\x5C\r\n\x95\x5C\x82\xA0\n", {"\x83\x5C", "\x95\x5C\x82\xA0"}},
    }, lines);
}

TEST(SplitItems, BlanksCommasAndQuotes)
{
    expectSplits({
        {"\"is going\", goes", {"is going", "goes"}},
        {"a,,b", {"a", "", "b"}},
        {"  He  ", {"He"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {",a", {"", "a"}},
        {"a,", {"a"}},
        {"", {}},
        {"   ", {}},
        {"a , b", {"a", "b"}},
        {"a b", {"a", "b"}},
        {"a ,, b", {"a", "", "b"}},
        {", ,a", {"", "", "a"}},
        {"a,,", {"a", ""}},
        {" , ", {""}},
        {"\x01" "a\x1F,\x20" "b\t", {"a", "b"}},
        {"a\x7F" "b!c", {"a\x7F" "b!c"}},
        {"one two,three", {"one", "two", "three"}},
    }, items);
}

TEST(SplitItems, QuotedItems)
{
    expectSplits({
        {"\"\"", {""}},
        {"\"\",\"\"", {"", ""}},
        {"\"a, b\" c", {"a, b", "c"}},
        {"\"x\",", {"x"}},
        {"  \"x\"  ,  y", {"x", "y"}},
        // A quote inside a plain item is an ordinary byte.
        {"ab\"cd\"", {"ab\"cd\""}},
        // A never closed quote runs to the end of the line.
        {"\"abc", {"abc"}},
        {"\"a, b", {"a, b"}},
        {"\"a\"\"", {"a\""}},
        {"\"", {""}},
    }, items);
}

TEST(SplitItems, TextRightAfterAClosingQuoteStartsTheNextItem)
{
    expectSplits({
        {"\"ab\"cd,e", {"ab", "cd", "e"}},
        {"\"ab\"\"\"cd", {"ab\"", "cd"}},
        {"\"a\"b\"", {"a", "b\""}},
        {"\"a\"\"b\"", {"a\"b"}},
    }, items);
}

TEST(QuoteItem, ReadsBackAsTheOneItem)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"am", "am"},
        {"ab\"cd", "\"ab\"\"cd\""},
        {"\"", "\"\"\"\""},
        {"last year", "\"last year\""},
        {"a,b", "\"a,b\""},
        {"", "\"\""},
        {" lead", "\" lead\""},
        {"tab\there", "\"tab\there\""},
        // 0x5C and 0x40 as second bytes are no signs: ソ and 　 stay plain.
        {"\x83\x5C\x81\x40", "\x83\x5C\x81\x40"},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
    };
    for (const auto& [item, written] : cases) {
        EXPECT_EQ(book::quoteItem(item), written) << item;
        EXPECT_EQ(book::splitItems(book::quoteItem(item)), Strings{item}) << item;
    }
}

TEST(SplitItems, DoubleByteCharactersAreUnits)
{
    expectSplits({
        // ソ and 表 (trail byte 0x5C), separated by an ASCII comma.
        {"\x83\x5C,\x95\x5C", {"\x83\x5C", "\x95\x5C"}},
        // Full-width space, "、" and "，" separate nothing.
        {"\x82\xA0\x81\x40\x82\xA2", {"\x82\xA0\x81\x40\x82\xA2"}},
        {"\x82\xA0\x81\x41\x82\xA2\x81\x43\x82\xA4", {"\x82\xA0\x81\x41\x82\xA2\x81\x43\x82\xA4"}},
        {"\"\x82\xA0 \x82\xA2\", \x82\xA4", {"\x82\xA0 \x82\xA2", "\x82\xA4"}},
        // A lead byte directly before a comma, blank, tab or quote takes it
        // as its second byte.
        {"\x81,b", {"\x81,b"}},
        {"\x81 b,c", {"\x81 b", "c"}},
        {"\x81\tb", {"\x81\tb"}},
        {"\x81\"", {"\x81\""}},
        {"\"\x81\"x\"", {"\x81\"x"}},
        {"\"\x81\"\"", {"\x81\""}},
        // Pairs are counted from the start of the item: the third 0x81 is a
        // lead byte again and takes the comma.
        {"\x81\x81,b", {"\x81\x81", "b"}},
        {"\x81\x81\x81,b", {"\x81\x81\x81,b"}},
        // A lead byte standing last is a unit by itself.
        {"a \x81", {"a", "\x81"}},
        {"\"\x81", {"\x81"}},
        {"\xFC", {"\xFC"}},
        // Half-width katakana (0xA1-0xDF) are single bytes.
        {"\xB1,\xB2", {"\xB1", "\xB2"}},
    }, items);
}

TEST(SplitItems, NulEndsTheLine)
{
    expectSplits({
        {std::string("a\0b", 3), {"a"}},
        {std::string("a,\0b,c", 6), {"a"}},
        {std::string("\"a\0b\",c", 7), {"a"}},
        {std::string("\0a", 2), {}},
        {std::string("\x81\0,", 3), {"\x81"}},
    }, items);
}

TEST(IsLeadByte, Ranges)
{
    std::string leads;
    for (int b = 0; b < 256; ++b)
        if (book::isLeadByte(static_cast<unsigned char>(b)))
            leads += static_cast<char>(b);
    std::string expected;
    for (int b = 0x81; b <= 0x9F; ++b)
        expected += static_cast<char>(b);
    for (int b = 0xE0; b <= 0xFC; ++b)
        expected += static_cast<char>(b);
    EXPECT_EQ(leads, expected);
}

TEST(LayoutOf, Extensions)
{
    using book::Layout;
    const std::vector<std::pair<std::string, Layout>> cases = {
        {"unit1.txt", Layout::ThreeLine},
        {"UNIT1.TXT", Layout::ThreeLine},
        {"Unit1.Txt", Layout::ThreeLine},
        {"test.txt2", Layout::ThreeLine},
        {"a.TXT ", Layout::ThreeLine},
        {"a.b.txt", Layout::ThreeLine},
        {".txt", Layout::ThreeLine},
        {"test.Qt5", Layout::LongLine},
        {"test.qt10", Layout::LongLine},
        {"a.QT1", Layout::LongLine},
        {"a.qt9x", Layout::LongLine},
        {"test.ppm", Layout::NotABook},
        {"test.doc", Layout::NotABook},
        {"noext", Layout::NotABook},
        {"", Layout::NotABook},
        {"a.qt0", Layout::NotABook},
        {"a.qt:", Layout::NotABook},
        {".tx", Layout::NotABook},
        {"x.qt", Layout::NotABook},
        {"a.", Layout::NotABook},
        {"a.txt.", Layout::NotABook},
        {"a.txt.bak", Layout::NotABook},
        {"a.t xt", Layout::NotABook},
        // Non-ASCII bytes stay as they are.
        {"a.\x82\xA0", Layout::NotABook},
        {"a.t\x82\xA0", Layout::NotABook},
        {"a.txt\x82\xA0", Layout::ThreeLine},
        {"a.\xEF\xBD\x94xt", Layout::NotABook},
    };
    for (const auto& [name, layout] : cases)
        EXPECT_EQ(book::layoutOf(name), layout) << name;
}

TEST(LayoutOf, OnlyTheLastPathComponentCounts)
{
    using book::Layout;
    const std::vector<std::pair<std::string, Layout>> cases = {
        {"/home/u/001/unit1.txt", Layout::ThreeLine},
        {"books.d/unit.qt3", Layout::LongLine},
        {"C:\\books.d\\unit1.TXT", Layout::ThreeLine},
        {"dir.qt1/noext", Layout::NotABook},
        {"dir.txt\\noext", Layout::NotABook},
        {"dir.txt/", Layout::NotABook},
        {"a/.txt", Layout::ThreeLine},
        // 表 in code page 932 ends in 0x5C; あ in UTF-8 holds no ASCII byte.
        {"\x95\x5C.txt", Layout::ThreeLine},
        {"001/\xE3\x81\x82.qt2", Layout::LongLine},
        {"x.txt/\x95\x5C", Layout::NotABook},
    };
    for (const auto& [name, layout] : cases)
        EXPECT_EQ(book::layoutOf(name), layout) << name;
}

TEST(QuestionCount, ByLayout)
{
    using book::Layout;
    struct Case {
        int lines;
        Layout layout;
        int expected;
    };
    const std::vector<Case> cases = {
        {10, Layout::ThreeLine, 1},  {17, Layout::ThreeLine, 1},
        {18, Layout::ThreeLine, 2},  {9, Layout::ThreeLine, 0},
        {1602, Layout::ThreeLine, 200},
        {11, Layout::LongLine, 1},   {18, Layout::LongLine, 1},
        {19, Layout::LongLine, 2},   {10, Layout::LongLine, 0},
        {1603, Layout::LongLine, 200},
        {18, Layout::NotABook, 0},   {1000, Layout::NotABook, 0},
        // Never negative, however few the lines.
        {-20, Layout::ThreeLine, 0}, {-20, Layout::LongLine, 0},
        {INT_MIN, Layout::ThreeLine, 0},
        {INT_MAX, Layout::ThreeLine, (INT_MAX - 2) / 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(book::questionCount(c.lines, c.layout), c.expected)
            << c.lines << " lines, layout " << static_cast<int>(c.layout);

    for (int lines = 0; lines <= 9; ++lines) {
        EXPECT_EQ(book::questionCount(lines, Layout::ThreeLine), 0) << lines;
        EXPECT_EQ(book::questionCount(lines, Layout::LongLine), 0) << lines;
    }
}

// A line whose bytes differ within any 94 bytes, so a piece cut at the wrong
// place shows.
std::string patterned(std::size_t length)
{
    std::string s;
    for (std::size_t i = 0; i < length; ++i)
        s += static_cast<char>('!' + i % 94);
    return s;
}

TEST(LongLinePieces, CutsAt56And112)
{
    struct Case {
        std::size_t length;
        std::size_t sizes[3];
    };
    const std::vector<Case> cases = {
        {0, {0, 0, 0}},    {40, {40, 0, 0}},   {56, {56, 0, 0}},
        {57, {56, 1, 0}},  {60, {56, 4, 0}},   {112, {56, 56, 0}},
        {113, {56, 56, 1}}, {150, {56, 56, 38}}, {168, {56, 56, 56}},
        {200, {56, 56, 56}},
    };
    for (const Case& c : cases) {
        const std::string line = patterned(c.length);
        const auto pieces = book::longLinePieces(line);
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t start = std::min(i * 56, line.size());
            EXPECT_EQ(pieces[i], line.substr(start, c.sizes[i]))
                << "length " << c.length << ", piece " << i;
        }
    }
}

TEST(LongLinePieces, SplitsADoubleByteCharacterAtACut)
{
    const std::string line = std::string(55, 'a') + "\x82\xA0" + std::string(54, 'b') + "\x82\xA2" + "c";
    const auto pieces = book::longLinePieces(line);
    EXPECT_EQ(pieces[0], std::string(55, 'a') + "\x82");
    EXPECT_EQ(pieces[1], "\xA0" + std::string(54, 'b') + "\x82");
    EXPECT_EQ(pieces[2], "\xA2" "c");
}

} // namespace
