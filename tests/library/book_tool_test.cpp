// piyoran-book on files written here: bad sheets and what each is told,
// hostile files, vocabulary books from word lists and KVTML, the safety of
// the write, and every bundled book through a sheet and back.

#include "book/cp932.h"
#include "book/format.h"
#include "tools/book/commands.h"
#include "tools/check/check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const std::string kColumns = "question 1,question 2,right,wrong 1,wrong 2,wrong 3,wrong 4\n";
const std::string kLongColumns = "question,right,wrong 1,wrong 2,wrong 3,wrong 4\n";
const std::string kGeta = "\x81\xAC"; // 〓 in code page 932

std::string cp932(const std::string& utf8) { return book::encodeCp932(utf8).value(); }

struct Result {
    int status;
    std::string out;
    std::string err;
};

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class BookTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path()
                  / ("piyoran-book-" + std::to_string(getpid()) + "-" + test->test_suite_name() + "-" + test->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }

    static Result run(const std::vector<std::string>& args)
    {
        std::ostringstream out;
        std::ostringstream err;
        const int status = booktool::run(args, out, err);
        return {status, out.str(), err.str()};
    }

    // The names in the folder, sorted: what a run left behind.
    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

// ---- Bad sheets: each gets its status and its message, naming the row and
// column; after an error nothing but the sheet is in the folder.

TEST_F(BookTool, BadSheetsAndWhatEachIsTold)
{
    struct Case {
        std::string sheet;
        int status;
        std::string told;
        std::string book = "out";
    };
    const std::string title = "title,T\n";
    const std::vector<Case> cases = {
        {title + kColumns + "\"He ( ) tall,,is,are,am,be,do\n", 1,
         "row 3, column A: error: unbalanced quotes: the double quote that opens this cell is never closed"},
        {title + kColumns + "\"He\" tall,,is,are,am,be,do\n", 1,
         "row 3, column A: error: unbalanced quotes: text follows the double quote that closes this cell"},
        {title + kColumns + "He ( ) tall.,,is,are,am,be\n", 1,
         "row 3, column G (wrong 4): error: choice line 5 of question 1 has no item"},
        {title + kColumns + "He ( ) tall.,,is,are,is,be,do\n", 1,
         "row 3, column E (wrong 2): error: choice line 3 of question 1: \"is\" is the same as the right answer"},
        {title + kColumns + "He ( ) tall.,,\"is, are\",am,be,do,does\n", 1,
         "row 3, column C (right): error: the choice lines of question 1 hold 2, 1, 1, 1, 1 items"},
        {title + kColumns + "He ( ) tall.,,is,are,are,be,do\n", 0,
         "row 3, column E (wrong 2): warning: choice lines 2 and 3 of question 1, both hold \"are\""},
        {"title,中学１年　英文法のまとめ　be動詞と一般動詞\n" + kColumns + "q,,is,are,am,be,do\n", 0,
         "row 1, column B (title): warning: the title \"中学１年　英文法のまとめ　be動詞と一般動詞\" is about"},
        {title + kColumns + "q,,is,are,am,be,do😀\n", 1,
         "row 3, column G: error: the character \"😀\" (U+1F600) is not in code page 932"},
        // A character that cannot be written does not hide what follows.
        {title + kColumns + "😀,,a,b,c,d,e\nq,,is,are,is,be,do\n", 1,
         "row 4, column E (wrong 2): error: choice line 3 of question 2"},
        {title + "q,,is,are,am,be,do\n", 1, "row 2: error: this row should name the columns"},
        {title + "question 1,right,wrong 1,wrong 2,wrong 3\nq,a,b,c,d\n", 1,
         "row 2: error: no column named \"wrong 4\""},
        {title + "question,question 1,right,wrong 1,wrong 2,wrong 3,wrong 4\n", 1,
         "row 2, column B: error: columns of both layouts"},
        {title + "right,wrong 1,wrong 2,wrong 3,wrong 4\n", 1, "row 2: error: no question column"},
        {title + "heading,H\n" + kLongColumns + "q,a,b,c,d,e\n", 1,
         "row 2, column B (heading): error: a long-line book has no heading line"},
        {title + kColumns + "\"two\nlines\",,a,b,c,d,e\n", 1,
         "row 3, column A (question 1): error: the cell holds a line break"},
        {title + "title,U\n" + kColumns + "q,,a,b,c,d,e\n", 1, "row 2, column A: error: a second title row (the first is row 1)"},
        {title + "question 1,memo,right,wrong 1,wrong 2,wrong 3,wrong 4\nq,mine,a,b,c,d,e\n", 0,
         "row 3, column B (memo): warning: this column is not read"},
        {title + kLongColumns + "q,a,b,c,d,e\n", 1,
         "error: the sheet makes a long-line book, and the name \"out.txt\" is that of a three-line book", "out.txt"},
        {title + kColumns + "q,,a,b,c,d,e\n", 1, "error: a book's name ends in .txt", "out.csv"},
        {title + kColumns, 1, "error: no complete question block"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sheet);
        const std::string sheet = write("bad.csv", c.sheet);
        const Result result = run({"from-sheet", sheet, path(c.book)});
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(sheet + ": " + c.told), std::string::npos) << result.err;
        if (c.status != 0) {
            EXPECT_EQ(files(), std::vector<std::string>{"bad.csv"});
        }
        for (const std::string& name : files())
            if (name != "bad.csv")
                fs::remove(path(name));
    }
}

TEST_F(BookTool, ReplaceWritesGetaForWhatCodePage932Lacks)
{
    const std::string sheet = write("s.csv", "title,T\n" + kColumns + "q,,is,are,am,be,do😀\n");
    const Result result = run({"from-sheet", "--replace", sheet, path("out")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("warning: the character \"😀\" (U+1F600) is not in code page 932 and is written as"),
              std::string::npos);
    EXPECT_NE(readBytes(path("out.txt")).find("\r\ndo" + kGeta + "\r\n"), std::string::npos);
}

// The same sheet saved by different spreadsheets makes the same book.
TEST_F(BookTool, SeparatorsAndEncodingsMakeTheSameBook)
{
    const struct {
        std::string name;
        std::string bytes;
    } sheets[] = {
        {"comma.csv", "title,中１\nheading,選びなさい。\n" + kColumns + "I (  ) a student.,私は生徒です。,am,is,are,\"\"\"be, not\"\"\",does\n"},
        {"mark.csv", "\xEF\xBB\xBFtitle;中１\r\nheading;選びなさい。\r\nquestion 1;question 2;right;wrong 1;wrong 2;wrong 3;wrong 4\r\n"
                     "I (  ) a student.;私は生徒です。;am;is;are;\"\"\"be, not\"\"\";does\r\n"},
        {"excel.tsv", cp932("title\t中１\r\nheading\t選びなさい。\r\nquestion 1\tquestion 2\tright\twrong 1\twrong 2\twrong 3\twrong 4\r\n"
                            "I (  ) a student.\t私は生徒です。\tam\tis\tare\t\"\"\"be, not\"\"\"\tdoes\r\n")},
    };
    std::vector<std::string> books;
    for (const auto& sheet : sheets) {
        const Result result = run({"from-sheet", write(sheet.name, sheet.bytes), path(sheet.name + ".txt")});
        ASSERT_EQ(result.status, 0) << sheet.name << result.err;
        books.push_back(readBytes(path(sheet.name + ".txt")));
    }
    for (const std::string& book : books)
        EXPECT_EQ(book, books.front());
    // The comma of the cell in quotes is part of the item in quotes.
    EXPECT_EQ(book::splitItems(book::splitLines(books.front())[8]), std::vector<std::string>{"be, not"});
}

// ---- Hostile files: each refused or converted with a message, at once.

TEST_F(BookTool, HostileFilesAreRefusedOrConverted)
{
    const std::string block = "q,,a,b,c,d,e";
    std::string entityBomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml [\n<!ENTITY l0 \"ha\">\n";
    for (int level = 1; level <= 10; ++level)
        entityBomb += "<!ENTITY l" + std::to_string(level) + " \"" + [&] {
            std::string refs;
            for (int i = 0; i < 10; ++i)
                refs += "&l" + std::to_string(level - 1) + ";";
            return refs;
        }() + "\">\n";
    entityBomb += "]>\n<kvtml version=\"2.0\"><information><title>&l10;</title></information></kvtml>\n";
    struct Case {
        std::string name;
        std::string bytes;
        std::string command;
        int status;
        std::string told;
    };
    const std::vector<Case> cases = {
        {"empty.csv", "", "from-sheet", 1, "error: the file is empty"},
        {"blank.csv", "\xEF\xBB\xBF\r\n,,\r\n", "from-sheet", 1, "error: the file is empty"},
        {"huge.csv", "title," + std::string(50u << 20, 'a') + "\n", "from-sheet", 1,
         "row 1, column B: error: the cell holds 52428800 bytes"},
        {"nul.csv", "title,T\n" + kColumns + "q,,a\0b,b,c,d,e\n"s, "from-sheet", 1,
         "row 3, column C: error: a NUL byte (code 0)"},
        {"lead.csv", "title,T\n" + kColumns + "\x96\xE2,,a\x82,b,c,d,e\n", "from-sheet", 1,
         "row 3, column C: error: byte 2 (0x82, a lead byte without its second byte) is no code page 932 character"},
        {"utf16.csv", "\xFF\xFEt\0i\0"s, "from-sheet", 1, "error: the file is saved as UTF-16"},
        {"words.csv", "", "from-words", 1, "error: the file is empty"},
        {"bomb.kvtml", entityBomb, "from-kvtml", 1, "line 3: error: the file declares an entity (\"l0\")"},
        {"system.kvtml",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml [\n<!ENTITY x SYSTEM \"/etc/passwd\">\n]>\n"
         "<kvtml version=\"2.0\"><information><title>&x;</title></information></kvtml>\n",
         "from-kvtml", 1, "line 3: error: the file declares an entity (\"x\")"},
        {"parameter.kvtml",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml [\n<!ENTITY % p SYSTEM \"http://localhost/p.dtd\"> %p;\n]>\n"
         "<kvtml version=\"2.0\"/>\n",
         "from-kvtml", 1, "line 3: error: the file declares an entity (\"p\")"},
        {"undeclared.kvtml",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml SYSTEM \"kvtml2.dtd\">\n<kvtml version=\"2.0\">&x;</kvtml>\n",
         "from-kvtml", 1, "line 3: error: the entity &x; is not defined in the file"},
        {"deep.kvtml", "<kvtml version=\"2.0\">" + [] {
             std::string open;
             for (int i = 0; i < 100000; ++i)
                 open += "<a>";
             return open;
         }(), "from-kvtml", 1, "line 1: error: elements are nested more than 64 deep"},
        {"broken.kvtml", "<kvtml version=\"2.0\"><entries>", "from-kvtml", 1, "line 1: error: not well-formed XML"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string input = write(c.name, c.bytes);
        const Result result = run({c.command, input, path("out")});
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(input + ": " + c.told), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(path("out.txt")));
        fs::remove(input);
    }
    // Mixed line ends are read as line ends, and a device is no file.
    const std::string mixed = write("mixed.csv", "title,T\r\n" + kColumns + block + "\r" + block + "\n" + block);
    EXPECT_EQ(run({"from-sheet", mixed, path("out")}).status, 0);
    EXPECT_EQ(book::splitLines(readBytes(path("out.txt"))).size(), 2u + 3 * 8);
    const Result device = run({"from-sheet", "/dev/zero", path("zero")});
    EXPECT_EQ(device.status, 2);
    EXPECT_NE(device.err.find("cannot read /dev/zero: not a regular file"), std::string::npos) << device.err;
}

// ---- Writing: whole or not at all, and never over a file without --force.

TEST_F(BookTool, AnExistingFileIsReplacedOnlyWithForce)
{
    const std::string sheet = write("s.csv", "title,T\n" + kColumns + "q,,a,b,c,d,e\n");
    const std::string book = write("b.txt", "a book of the teacher's");
    Result result = run({"from-sheet", sheet, book});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("b.txt exists already; give --force to replace it"), std::string::npos);
    EXPECT_EQ(readBytes(book), "a book of the teacher's");
    result = run({"from-sheet", "--force", sheet, book});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readBytes(book).substr(0, 3), "T\r\n");
    // No temporary file is left beside it.
    EXPECT_EQ(files(), (std::vector<std::string>{"b.txt", "s.csv"}));
    // A folder that cannot be written to keeps nothing either.
    if (getuid() != 0) {
        fs::create_directory(path("locked"));
        fs::permissions(path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
        result = run({"from-sheet", sheet, path("locked/b.txt")});
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("cannot make a file in its folder"), std::string::npos) << result.err;
        fs::permissions(path("locked"), fs::perms::owner_all);
        EXPECT_TRUE(fs::is_empty(path("locked")));
    }
}

// ---- Vocabulary books.

const std::string kWordList = "english,japanese,part of speech\n"
                              "library,図書館,名詞\nhospital,病院,名詞\nstation,駅,名詞\nkitchen,台所,名詞\n"
                              "school,学校,名詞\nright,右,名詞\n"
                              "run,走る,動詞\neat,食べる,動詞\nlook at,～を見る,動詞\nswim,泳ぐ,動詞\n"
                              "sing,歌う,動詞\nright,正しい,形容詞\n";

// The blocks of a book: question line 1 and the items of the five choice
// lines, each a single item.
struct Question {
    std::string asked;
    std::vector<std::string> choices;
};
std::vector<Question> questions(const std::string& bytes)
{
    const auto lines = book::splitLines(bytes);
    std::vector<Question> found;
    for (int q = 1; q <= book::questionCount(static_cast<int>(lines.size()), book::Layout::ThreeLine); ++q) {
        Question question{lines[static_cast<std::size_t>(book::firstQuestionLine(q))], {}};
        for (int c = 1; c <= 5; ++c) {
            const auto items = book::splitItems(lines[static_cast<std::size_t>(book::choiceLine(q, c))]);
            EXPECT_EQ(items.size(), 1u) << lines[static_cast<std::size_t>(book::choiceLine(q, c))];
            question.choices.push_back(items.empty() ? "" : items[0]);
        }
        found.push_back(question);
    }
    return found;
}

TEST_F(BookTool, WordListsMakeVocabularyBooks)
{
    const std::string list = write("words.csv", kWordList);
    ASSERT_EQ(run({"from-words", list, path("a")}).status, 0);
    ASSERT_EQ(run({"from-words", "--seed", "1", list, path("b")}).status, 0);
    ASSERT_EQ(run({"from-words", "--seed=2", list, path("c")}).status, 0);
    const std::string first = readBytes(path("a.txt"));
    EXPECT_FALSE(check::checkBook(path("a.txt"), first).hasErrors()) << "a written book passes piyoran-check";
    EXPECT_EQ(readBytes(path("b.txt")), first) << "the default seed is 1, and one seed makes one book";
    EXPECT_NE(readBytes(path("c.txt")), first) << "another seed draws other wrong choices";

    const auto lines = book::splitLines(first);
    EXPECT_EQ(lines[0], "words");
    EXPECT_EQ(lines[3], cp932("（名詞）")) << "the part of speech under the word";
    std::set<std::string> nouns;
    for (const char* noun : {"図書館", "病院", "駅", "台所", "学校", "右"})
        nouns.insert(cp932(noun));
    const std::string correct = cp932("正しい");
    const auto asked = questions(first);
    ASSERT_EQ(asked.size(), 12u);
    for (const Question& q : asked) {
        SCOPED_TRACE(q.asked);
        EXPECT_EQ(std::set<std::string>(q.choices.begin(), q.choices.end()).size(), 5u);
    }
    // Enough nouns: every wrong choice of a noun is a noun's meaning.
    for (const std::size_t noun : {0, 5})
        for (std::size_t k = 1; k < 5; ++k)
            EXPECT_TRUE(nouns.count(asked[noun].choices[k])) << asked[noun].asked;
    // right (名詞) never offers 正しい, a meaning of right too, as wrong.
    EXPECT_NE(asked[5].choices[0], correct);
    for (std::size_t k = 1; k < 5; ++k)
        EXPECT_NE(asked[5].choices[k], correct);

    // The other way: the phrase "look at" is one choice.
    const Result english = run({"from-words", "--to-english", list, path("d")});
    ASSERT_EQ(english.status, 0) << english.err;
    const auto reversed = questions(readBytes(path("d.txt")));
    EXPECT_EQ(reversed[8].choices[0], "look at");
    EXPECT_NE(english.err.find("row 13, column C (part of speech): warning: too few words of this part of speech"),
              std::string::npos) << english.err;
}

TEST_F(BookTool, AListTooShortForFiveChoicesIsRefused)
{
    const struct {
        std::string list;
        std::string told;
    } cases[] = {
        {"a,あ\nb,い\nc,う\nd,え\n", "error: the list holds 4 different Japanese answers"},
        {"a,あ\nb,い\nc,う\nd,え\ne,あ\n", "error: the list holds 4 different Japanese answers"},
        // Five meanings, but two of them are right for the word "a".
        {"a,あ\na,い\nb,う\nc,え\nd,お\n", "row 1, column A (english): error: only 3 other meanings"},
        {"a,\nb,い\n", "row 1, column B (japanese): error: a word needs its English and its Japanese"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        const std::string list = write("short.csv", c.list);
        const Result result = run({"from-words", list, path("out")});
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find(list + ": " + c.told), std::string::npos) << result.err;
    }
}

TEST_F(BookTool, KvtmlFilesMakeVocabularyBooks)
{
    std::string entries;
    const char* words[][2] = {{"dog", "犬"}, {"cat", "猫"}, {"bird", "鳥"}, {"fish", "魚"}, {"horse", "馬"}};
    for (int i = 0; i < 5; ++i)
        entries += "<entry id=\"" + std::to_string(i) + "\"><translation id=\"0\"><text>" + words[i][1]
                   + "</text></translation><translation id=\"1\"><text>" + words[i][0]
                   + "</text></translation></entry>\n";
    const std::string file = write(
        "animals.kvtml",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">\n"
        "<kvtml version=\"2.0\">\n<information><title>Animals &amp; Co</title></information>\n"
        "<identifiers><identifier id=\"0\"><name>日本語</name><locale>ja</locale></identifier>"
        "<identifier id=\"1\"><name>English</name><locale>en</locale></identifier></identifiers>\n"
        "<entries>\n" + entries + "<entry id=\"9\"><translation id=\"1\"><text>lonely</text></translation></entry>\n"
        "</entries>\n<wordtypes><container><name>名詞</name><entry id=\"0\"/><entry id=\"1\"/></container></wordtypes>\n"
        "</kvtml>\n");
    Result result = run({"from-kvtml", file, path("a")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("warning: 1 entry lacks a text in English or 日本語 and is left out"), std::string::npos);
    const std::string book = readBytes(path("a.txt"));
    EXPECT_FALSE(check::checkBook(path("a.txt"), book).hasErrors());
    const auto lines = book::splitLines(book);
    EXPECT_EQ(lines[0], "Animals & Co");
    const auto asked = questions(book);
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[0].asked, "dog");
    EXPECT_EQ(asked[0].choices[0], cp932("犬"));
    EXPECT_EQ(lines[3], cp932("（名詞）"));
    EXPECT_EQ(lines[3 + 8 * 2], "") << "bird has no word type";

    // The languages by option: the asked word in the first one named.
    result = run({"from-kvtml", "--languages", "ja,English", "--title=Tiere", file, path("b")});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto other = questions(readBytes(path("b.txt")));
    EXPECT_EQ(other[0].asked, cp932("犬"));
    EXPECT_EQ(other[0].choices[0], "dog");
    EXPECT_EQ(book::splitLines(readBytes(path("b.txt")))[0], "Tiere");
    result = run({"from-kvtml", "--languages", "fr,en", file, path("c")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("the file has 0 (日本語, ja), 1 (English, en)"), std::string::npos) << result.err;
}

// ---- The command line.

TEST_F(BookTool, CommandLine)
{
    const struct {
        std::vector<std::string> args;
        int status;
        std::string told;
    } cases[] = {
        {{}, 2, "usage: piyoran-book COMMAND"},
        {{"make", "a", "b"}, 2, "unknown command make"},
        {{"from-sheet", "a"}, 2, "from-sheet takes an input file and an output file"},
        {{"from-sheet", "--seed", "3", "a", "b"}, 2, "from-sheet takes no option --seed"},
        {{"from-words", "--seed", "x", "a", "b"}, 2, "--seed takes a whole number"},
        {{"from-words", "--to-english", "--to-japanese", "a", "b"}, 2, "exclude each other"},
        {{"to-sheet", "/nonexistent/a.txt", "b.csv"}, 2, "cannot read /nonexistent/a.txt: no such file"},
    };
    for (const auto& c : cases) {
        const Result result = run(c.args);
        EXPECT_EQ(result.status, c.status);
        EXPECT_NE(result.err.find(c.told), std::string::npos) << result.err;
    }
    EXPECT_EQ(run({"--help"}).status, 0);
}

// ---- Every bundled book through a sheet and back, byte for byte, in both
// encodings of the sheet; the books are those found in data/ when the test
// runs, by the checker's own rule.

TEST_F(BookTool, EveryBundledBookSurvivesTheRoundTrip)
{
    int books = 0;
    for (const fs::path& book : check::filesToCheck(PIYORAN_SOURCE_DIR "/data")) {
        if (book::layoutOf(book.string()) == book::Layout::NotABook)
            continue;
        ++books;
        SCOPED_TRACE(book.string());
        for (const std::string encoding : {"--utf-8", "--cp932"}) {
            const std::string sheet = path("sheet.csv");
            const std::string back = path("back" + book.extension().string());
            std::vector<std::string> args{"to-sheet", "--force", book.string(), sheet};
            if (encoding == "--cp932")
                args.push_back(encoding);
            Result result = run(args);
            ASSERT_EQ(result.status, 0) << result.err;
            result = run({"from-sheet", "--force", sheet, back});
            ASSERT_EQ(result.status, 0) << result.err;
            EXPECT_EQ(result.err, "") << "a bundled book checks clean";
            EXPECT_EQ(readBytes(back), readBytes(book));
        }
    }
    EXPECT_GT(books, 0);
    std::cout << books << " bundled books\n";
}

TEST_F(BookTool, ABookASheetCannotHoldIsNotTurnedIntoOne)
{
    const std::string block = "q\r\n\r\n\r\na\r\nb\r\nc\r\nd\r\ne\r\n";
    const struct {
        std::string name;
        std::string bytes;
        std::string told;
    } cases[] = {
        {"extra.txt", "T\r\nH\r\n" + block + "left over\r\n", "line 11 and the lines after it come after the last"},
        {"lf.txt", "T\nH\n" + block, "its line ends are not all CR LF"},
        {"end.qt1", "n\r\nT\r\n" + block + "not empty\r\n", "line 11, the line after the last question block"},
        {"bad.txt", "T\r\n\x82\r\n" + block, "line 2 does not come back the same through a UTF-8 sheet"},
        {"notes.ppm", "T\r\n", "not a book by its name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Result result = run({"to-sheet", write(c.name, c.bytes), path("s.csv")});
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find(c.told), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(path("s.csv")));
    }
}

// The example sheets of the README make books without a finding.
TEST_F(BookTool, TheExampleSheetsMakeCleanBooks)
{
    int sheets = 0;
    for (const auto& entry : fs::directory_iterator(PIYORAN_SOURCE_DIR "/docs/examples")) {
        if (entry.path().extension() != ".csv")
            continue;
        ++sheets;
        const Result result = run({"from-sheet", entry.path().string(), path(entry.path().stem().string())});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "") << entry.path();
    }
    EXPECT_GT(sheets, 0);
}

} // namespace
