#pragma once

#include "book/format.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The rules of piyoran-check: what an author should hear about a quiz book
// before learners open it. Pure functions on the book's name and bytes; the
// book itself is read with the program's own rules (book/format.h).
namespace check {

enum class Severity {
    Error,   // breaks a run or loses a question
    Warning, // the book works, but learners see less than the author wrote
};

struct Finding {
    Severity severity;
    int line;            // 1-based, as an editor numbers lines; 0 for the whole file
    std::string message; // English, UTF-8
};

struct Report {
    book::Layout layout = book::Layout::NotABook;
    int blocks = 0;                // complete question blocks
    int questions = 0;             // questions asked: the blocks, at most 200
    std::vector<int> steps;        // steps of each asked question, in book order
    std::vector<Finding> findings; // whole-file findings first, then by line

    // The text of each asked question as learners see it, its seen lines
    // joined by a line feed (code page 932).
    std::vector<std::string> texts;
    // A vocabulary book is one whose every question asks for the meaning of
    // one English word or phrase (its first question line) or for the word
    // of a Japanese meaning (its key): the words it asks each way.
    bool vocabulary = false;
    std::vector<std::string> englishToJapanese;
    std::vector<std::string> japaneseToEnglish;

    int count(Severity severity) const;
    bool hasErrors() const { return count(Severity::Error) > 0; }
};

// Every finding about a book whose file is called fileName (folders may be
// part of it; the extension tells the layout) and holds these bytes. A book
// saved as UTF-8 is converted first, as the program converts it.
Report checkBook(std::string_view fileName, std::string_view bytes);

// A text box of the main window, as far as widths go.
struct Box {
    int width;     // pixels the text may take
    int pixelSize; // character height of its font
    bool bold;
};

// The boxes a book's text is shown in.
inline constexpr Box kTitleBox{449, 21, true};    // the title label
inline constexpr Box kHeadingBox{675, 23, false}; // heading line of a three-line book
inline constexpr Box kQuestionBox{647, 23, false}; // first and second question lines
inline constexpr Box kChoiceBox{311, 27, false};  // a choice slot

// An estimate, in pixels, of how wide code page 932 text is drawn in a
// proportional Gothic font of this size, without any font at hand. It leans
// wide: a double-byte character counts as a full square; a single byte as
// 0.3 of one (blank, i, l, punctuation), 0.9 (m, w, M, W, @), 0.68 (other
// capitals and digits) or 0.55 (the rest); bold adds a twentieth.
int estimatedWidth(std::string_view text, int pixelSize, bool bold);

// True when the book list of the program shows a file of this name: its
// name ends in .txt, .ppm or .qt1 to .qt9 in any case and does not start
// with a dot.
bool listedByBookList(std::string_view fileName);

// The files under a folder, its sub-folders included, that the checker
// looks at: those the book list shows and those whose extension makes them
// a book; hidden files and folders (a name starting with a dot) are passed
// over. Sorted by path. Throws std::filesystem::filesystem_error when the
// folder cannot be read.
std::vector<std::filesystem::path> filesToCheck(const std::filesystem::path& folder);

// 1-based line number of the first seen line of question q.
int questionLineNumber(book::Layout layout, int q);

// "three-line", "long-line" or "not a book".
std::string layoutName(book::Layout layout);

// The report as printed: a heading line with the path, the layout and the
// question count, then one indented line per finding.
std::string formatReport(const std::string& path, const Report& report);

} // namespace check
