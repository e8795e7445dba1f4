#include "tools/book/commands.h"

#include "book/cp932.h"
#include "book/encoding.h"
#include "tools/book/booktext.h"
#include "tools/book/draft.h"
#include "tools/book/kvtml.h"
#include "tools/book/output.h"
#include "tools/book/sheet.h"
#include "tools/book/table.h"
#include "tools/book/words.h"

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <set>

namespace booktool {

namespace {

namespace fs = std::filesystem;
using book::Layout;

constexpr const char* kUsage =
    "usage: piyoran-book COMMAND [OPTION...] INPUT OUTPUT\n"
    "  from-sheet SHEET BOOK   a book from a spreadsheet saved as CSV or tab-separated text\n"
    "  from-words LIST BOOK    a vocabulary book from a word list (english, japanese, part of speech)\n"
    "  from-kvtml FILE BOOK    a vocabulary book from a KVTML 2 file (KWordQuiz, Parley)\n"
    "  to-sheet BOOK SHEET     the sheet of a book, in the columns from-sheet reads\n"
    "options:\n"
    "  --force                 replace OUTPUT when it exists\n"
    "  --replace               write \xE3\x80\x93 for a character code page 932 lacks, instead of stopping\n"
    "  --to-japanese           ask the English word, choose its meaning (the default)\n"
    "  --to-english            ask the meaning, choose the English word\n"
    "  --seed N                draw the wrong choices with seed N (default 1): same list and seed, same book\n"
    "  --title TEXT            the book's title (from-words, from-kvtml)\n"
    "  --heading TEXT          the heading line of a three-line book (from-words, from-kvtml)\n"
    "  --languages EN,JA       the two languages of a KVTML file, each by id, locale or name\n"
    "  --cp932                 to-sheet: write the sheet in code page 932, as Excel saves CSV, not UTF-8\n"
    "A BOOK named without an extension gets .txt (three-line) or .qt1 (long-line). A SHEET\n"
    "ending in .tsv or .tab is written tab-separated, any other comma-separated.\n"
    "Exit status: 0 written, 1 errors in the input (nothing written), 2 usage, an input that\n"
    "cannot be read or an output that cannot or may not be written.\n";

struct Options {
    std::string command;
    std::vector<std::string> files;
    bool force = false;
    bool replace = false;
    bool cp932 = false;
    std::optional<Direction> direction;
    std::uint32_t seed = 1;
    std::optional<std::string> title;
    std::optional<std::string> heading;
    std::string english;
    std::string japanese;
};

struct Usage {
    std::string problem;
};

// Options each command takes; a value follows the option or its "=".
const std::map<std::string, std::set<std::string>> kCommandOptions{
    {"from-sheet", {"--force", "--replace"}},
    {"from-words", {"--force", "--replace", "--to-japanese", "--to-english", "--seed", "--title", "--heading"}},
    {"from-kvtml",
     {"--force", "--replace", "--to-japanese", "--to-english", "--seed", "--title", "--heading", "--languages"}},
    {"to-sheet", {"--force", "--cp932"}},
};
const std::set<std::string> kWithValue{"--seed", "--title", "--heading", "--languages"};

std::uint32_t parseSeed(const std::string& text)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos
        || std::stoull(text) > UINT32_MAX)
        throw Usage{"--seed takes a whole number from 0 to " + std::to_string(UINT32_MAX)};
    return static_cast<std::uint32_t>(std::stoull(text));
}

Options parse(const std::vector<std::string>& args)
{
    Options options;
    if (args.empty())
        throw Usage{""};
    options.command = args[0];
    const auto known = kCommandOptions.find(options.command);
    if (known == kCommandOptions.end())
        throw Usage{"unknown command " + options.command};
    bool more = true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string arg = args[i];
        if (!more || arg.size() < 2 || arg[0] != '-') {
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            more = false;
            continue;
        }
        std::optional<std::string> value;
        if (const auto equals = arg.find('='); equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.resize(equals);
        }
        if (!known->second.count(arg))
            throw Usage{options.command + " takes no option " + arg};
        if (kWithValue.count(arg) && !value) {
            if (i + 1 >= args.size())
                throw Usage{arg + " needs a value"};
            value = args[++i];
        } else if (!kWithValue.count(arg) && value) {
            throw Usage{arg + " takes no value"};
        }
        if (arg == "--force") {
            options.force = true;
        } else if (arg == "--replace") {
            options.replace = true;
        } else if (arg == "--cp932") {
            options.cp932 = true;
        } else if (arg == "--to-japanese" || arg == "--to-english") {
            const Direction direction = arg == "--to-japanese" ? Direction::ToJapanese : Direction::ToEnglish;
            if (options.direction && *options.direction != direction)
                throw Usage{"--to-japanese and --to-english exclude each other"};
            options.direction = direction;
        } else if (arg == "--seed") {
            options.seed = parseSeed(*value);
        } else if (arg == "--title") {
            options.title = *value;
        } else if (arg == "--heading") {
            options.heading = *value;
        } else if (arg == "--languages") {
            const auto comma = value->find(',');
            if (comma == std::string::npos)
                throw Usage{"--languages takes two languages with a comma between: EN,JA"};
            options.english = value->substr(0, comma);
            options.japanese = value->substr(comma + 1);
        }
    }
    if (options.files.size() != 2)
        throw Usage{options.command + " takes an input file and an output file"};
    return options;
}

// What one command does with its input, once read; it reports into
// diagnostics and gives the draft of the book, or nullopt.
using Maker = std::function<std::optional<Draft>(const std::string& bytes, const Options&, Diagnostics&)>;

// Every book goes out this way: named by the extension rule, checked by
// piyoran-check's rules, and written whole, or not at all after an error.
int writeBook(const std::string& bytes, const Options& options, const Maker& make, std::ostream& out,
              std::ostream& err)
{
    const std::string& target = options.files[1];
    Diagnostics diagnostics(options.files[0]);
    std::optional<Draft> draft = make(bytes, options, diagnostics);
    std::optional<BookName> name;
    if (draft)
        name = bookName(target, draft->layout, diagnostics);
    check::Report report;
    if (name)
        report = checkDraft(*draft, name->path, diagnostics);
    err << diagnostics.text();
    if (!name || diagnostics.hasErrors()) {
        err << "piyoran-book: " << diagnostics.count(Severity::Error)
            << (diagnostics.count(Severity::Error) == 1 ? " error" : " errors") << "; no book written\n";
        return 1;
    }
    if (const std::string failed = writeWhole(name->path, bookBytes(*draft), options.force); !failed.empty()) {
        err << "piyoran-book: " << name->path << ": " << failed << '\n';
        return 2;
    }
    out << "wrote " << name->path << ": " << check::layoutName(report.layout) << ", " << report.questions
        << (report.questions == 1 ? " question" : " questions") << '\n';
    return 0;
}

std::optional<Draft> fromSheet(const std::string& bytes, const Options& options, Diagnostics& diagnostics)
{
    const std::optional<Table> table = readTable(bytes, options.replace, diagnostics);
    if (!table)
        return std::nullopt;
    return draftFromSheet(*table, diagnostics);
}

// Text given on the command line, as book text.
std::optional<BookLine> optionText(const std::optional<std::string>& text, const char* option, bool replace,
                                   Diagnostics& diagnostics)
{
    if (!text)
        return std::nullopt;
    const Origin origin{0, 0, std::string("the ") + option + " option"};
    const auto bytes = fromUtf8(*text, origin, replace, diagnostics);
    return bytes ? std::optional<BookLine>(BookLine{*bytes, origin}) : std::nullopt;
}

// The head of a vocabulary book: the options first, then what the input
// says, then a title from the input's file name and the usual heading.
Head vocabularyHead(const HeadRows& rows, const std::string& inputTitle, const std::string& input, Layout layout,
                    const Options& options, Diagnostics& diagnostics)
{
    Head head;
    const Direction direction = options.direction.value_or(Direction::ToJapanese);
    Diagnostics quiet(input);
    const std::string stem = fromUtf8(fs::path(input).stem().string(), {}, true, quiet).value_or("");
    head.title = optionText(options.title, "--title", options.replace, diagnostics)
                     .value_or(rows.title.value_or(BookLine{inputTitle.empty() ? stem : inputTitle,
                                                            {0, 0, "the title of " + input}}));
    const std::optional<BookLine> heading = optionText(options.heading, "--heading", options.replace, diagnostics);
    const std::optional<BookLine> given = heading ? heading : rows.heading;
    if (layout == Layout::ThreeLine)
        head.heading = given.value_or(BookLine{defaultHeading(direction), {0, 0, "the usual heading"}});
    else if (given)
        diagnostics.warning(given->origin, "not used: a long-line book has no heading line");
    if (rows.note && layout == Layout::LongLine)
        head.note = *rows.note;
    else if (rows.note)
        diagnostics.warning(rows.note->origin, "not used: only a long-line book has a note line");
    return head;
}

// The layout of a vocabulary book: the one its name tells, three-line when
// it tells none.
Layout vocabularyLayout(const Options& options)
{
    const Layout told = book::layoutOf(options.files[1]);
    return told == Layout::NotABook ? Layout::ThreeLine : told;
}

std::optional<Draft> fromWords(const std::string& bytes, const Options& options, Diagnostics& diagnostics)
{
    const std::optional<Table> table = readTable(bytes, options.replace, diagnostics);
    if (!table)
        return std::nullopt;
    const std::optional<WordList> list = wordsFromTable(*table, diagnostics);
    if (!list)
        return std::nullopt;
    const Layout layout = vocabularyLayout(options);
    const Head head = vocabularyHead(list->head, "", options.files[0], layout, options, diagnostics);
    return vocabularyBook(list->words, layout, options.direction.value_or(Direction::ToJapanese), options.seed,
                          head, diagnostics);
}

std::optional<Draft> fromKvtml(const std::string& bytes, const Options& options, Diagnostics& diagnostics)
{
    const std::optional<KvtmlDocument> document = readKvtml(bytes, diagnostics);
    if (!document)
        return std::nullopt;
    const auto words = kvtmlWords(*document, options.english, options.japanese, options.replace, diagnostics);
    if (!words)
        return std::nullopt;
    const Layout layout = vocabularyLayout(options);
    const std::string title = fromUtf8(document->title, {0, 0, "the title"}, options.replace, diagnostics).value_or("");
    const Head head = vocabularyHead({}, title, options.files[0], layout, options, diagnostics);
    return vocabularyBook(*words, layout, options.direction.value_or(Direction::ToJapanese), options.seed, head,
                          diagnostics);
}

// Why the book that a sheet would give back is not the book: the first
// line that does not pass through the sheet's encoding, or else the first
// place where the books part.
std::string whyNotTheSame(const std::string& book, const std::optional<Draft>& back, Layout layout, bool cp932)
{
    const std::vector<std::string> a = book::splitLines(book);
    for (std::size_t i = 0; i < a.size() && !cp932; ++i) {
        std::vector<std::size_t> lacking;
        if (book::encodeCp932(book::decodeCp932(a[i]), &lacking) != a[i] || !lacking.empty())
            return "line " + std::to_string(i + 1)
                   + " does not come back the same through a UTF-8 sheet: it holds bytes that are no code page "
                     "932 character, or a character that code page 932 writes in two ways; --cp932 writes the "
                     "sheet in code page 932, byte for byte";
    }
    if (!back)
        return "the sheet does not read back as this book";
    const std::vector<std::string> b = book::splitLines(bookBytes(*back));
    if (a == b)
        return "its line ends are not all CR LF, or it holds a NUL byte, and a sheet keeps neither; "
               "piyoran-check shows where";
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const std::string line = "line " + std::to_string(i + 1);
    if (i >= b.size())
        return line + " and the lines after it come after the last question block: the program never reads "
                      "them, and a sheet has no place for them; remove them (piyoran-check shows them)";
    if (layout == Layout::LongLine && i + 1 == b.size())
        return line + ", the line after the last question block of a long-line book, is never read, and a "
                      "sheet keeps it only empty";
    if (i >= a.size())
        return "the book ends before " + line + ": it lacks its heading line, or a long-line book the line "
                                                "after its last block";
    return line + " does not come back the same through the sheet";
}

int toSheet(const std::string& raw, const Options& options, std::ostream& out, std::ostream& err)
{
    const std::string& input = options.files[0];
    const std::string& target = options.files[1];
    Diagnostics diagnostics(input);
    const Layout layout = book::layoutOf(input);
    if (layout == Layout::NotABook) {
        diagnostics.error({}, "not a book by its name: books end in .txt (three-line layout) or .qt1 to .qt9 "
                              "(long-line layout)");
        err << diagnostics.text();
        return 1;
    }
    // Read as the program reads it: a book saved as UTF-8 is converted.
    const book::BookText text = book::toCp932Book(raw);
    if (text.found != book::Encoding::Cp932)
        diagnostics.warning({}, std::string("the book is saved as ") + book::encodingName(text.found)
                                    + "; the sheet holds it as the program reads it, in code page 932");
    const std::vector<std::string> lines = book::splitLines(text.bytes);
    const std::string extension = fs::path(target).extension().string();
    const char separator = extension == ".tsv" || extension == ".tab" ? '\t' : ',';
    const std::string sheet = writeTable(sheetFromBook(lines, layout), separator,
                                         options.cp932 ? SheetEncoding::Cp932 : SheetEncoding::Utf8WithBom);

    // The way back, exactly as from-sheet goes it: the sheet must give the
    // same bytes, or it is not written.
    Diagnostics back(target);
    const std::optional<Table> table = readTable(sheet, false, back);
    const std::optional<Draft> draft = table ? draftFromSheet(*table, back) : std::nullopt;
    if (!draft || bookBytes(*draft) != text.bytes) {
        diagnostics.error({}, "a sheet cannot hold this book as it is: "
                                  + whyNotTheSame(text.bytes, draft, layout, options.cp932));
        err << diagnostics.text() << "piyoran-book: no sheet written\n";
        return 1;
    }
    err << diagnostics.text();
    if (const std::string failed = writeWhole(target, sheet, options.force); !failed.empty()) {
        err << "piyoran-book: " << target << ": " << failed << '\n';
        return 2;
    }
    const int questions = book::questionCount(static_cast<int>(lines.size()), layout);
    out << "wrote " << target << ": " << questions << (questions == 1 ? " question" : " questions") << ", "
        << (options.cp932 ? "code page 932" : "UTF-8") << '\n';
    return 0;
}

} // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty() && (args[0] == "-h" || args[0] == "--help")) {
        out << kUsage;
        return 0;
    }
    Options options;
    try {
        options = parse(args);
    } catch (const Usage& usage) {
        if (!usage.problem.empty())
            err << "piyoran-book: " << usage.problem << '\n';
        err << kUsage;
        return 2;
    }
    // Refused before any work; the write itself refuses again, should the
    // file appear meanwhile.
    std::error_code error;
    if (!options.force && fs::exists(fs::symlink_status(options.files[1], error))) {
        err << "piyoran-book: " << options.files[1] << " exists already; give --force to replace it\n";
        return 2;
    }
    std::string problem;
    const std::optional<std::string> bytes = readInput(options.files[0], problem);
    if (!bytes) {
        err << "piyoran-book: cannot read " << options.files[0] << ": " << problem << '\n';
        return 2;
    }
    if (options.command == "to-sheet")
        return toSheet(*bytes, options, out, err);
    const Maker make = options.command == "from-sheet"   ? Maker(fromSheet)
                       : options.command == "from-words" ? Maker(fromWords)
                                                         : Maker(fromKvtml);
    return writeBook(*bytes, options, make, out, err);
}

} // namespace booktool
