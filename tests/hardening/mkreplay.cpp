// mkreplay: writes a scenario that works through every book of a library
// folder as a learner does, replay included, and then leaves.
//   mkreplay APP_DIR > SCRIPT
//
// For each category folder 001 to 009 (007's button is hidden and is run
// from code), and each file of its list in the list's order: open it with a
// fixed seed, answer every step wrong once and then right, accept the replay
// of the missed questions, answer every step right, and see the goodbye. In
// a book with a step whose five choices hold no wrong item every step is
// answered right at once, and there is no replay. A file that is no book is
// opened and shows its message. The background buttons are clicked in turn
// on the way, and the program is left by its exit button.

#include "book/encoding.h"
#include "book/format.h"
#include "toolkit/files.h"
#include "tools/check/check.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <strings.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Category {
    const char* folder;
    const char* button;
};

const Category kCategories[] = {
    {"001", "SpeedButton3"}, {"002", "SpeedButton4"}, {"003", "SpeedButton5"},
    {"004", "SpeedButton6"}, {"005", "SpeedButton7"}, {"006", "SpeedButton8"},
    {"007", "SpeedButton9"}, {"008", "SpeedButton10"}, {"009", "SpeedButton15"},
};

const char* const kBackgrounds[] = {"SpeedButton14", "SpeedButton13", "SpeedButton12", "SpeedButton2"};

struct Book {
    int steps = 0;          // picks right needed for one pass
    bool allWrongable = true; // every step offers a wrong item
};

// The steps of a book as the program reads it; none when it is no book the
// drill can be worked through.
Book readBook(const fs::path& file)
{
    Book found;
    const book::Layout layout = book::layoutOf(file.filename().string());
    if (layout == book::Layout::NotABook)
        return found;
    const auto lines = book::splitLines(book::toCp932Book(toolkit::readFile(file.string())).bytes);
    const int questions = std::min(book::questionCount(static_cast<int>(lines.size()), layout), 200);
    for (int q = 1; q <= questions; ++q) {
        std::vector<std::vector<std::string>> choices;
        for (int c = 1; c <= 5; ++c)
            choices.push_back(book::splitItems(lines[static_cast<std::size_t>(book::choiceLine(q, c))]));
        const std::size_t steps = choices[0].size();
        for (const auto& items : choices)
            if (items.size() != steps || steps == 0)
                return {};
        for (std::size_t s = 0; s < steps; ++s) {
            bool wrongable = false;
            for (int c = 1; c < 5; ++c)
                wrongable = wrongable || choices[static_cast<std::size_t>(c)][s] != choices[0][s];
            found.allWrongable = found.allWrongable && wrongable;
        }
        found.steps += static_cast<int>(steps);
    }
    return found;
}

// The files of the book list, in its order: sorted without regard to case.
std::vector<std::string> listed(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && check::listedByBookList(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int folded = strcasecmp(a.c_str(), b.c_str());
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: mkreplay APP_DIR > SCRIPT\n";
        return 2;
    }
    const fs::path app = argv[1];
    std::ostream& out = std::cout;
    out << "# Every book of " << app.string() << ", with its replay.\n";
    int seed = 1;
    int books = 0;
    std::size_t background = 0;
    for (const Category& category : kCategories) {
        for (const std::string& name : listed(app / category.folder)) {
            const Book book = readBook(app / category.folder / name);
            out << "\n# " << category.folder << '/' << name << '\n';
            // The hidden button of 007 is run from code; the others clicked.
            out << (category.folder == std::string("007") ? "invoke " : "click ") << category.button
                << "\nexpect FileListBox1.Visible = true\n";
            out << "click " << kBackgrounds[background++ % 4] << "\nexpect no box\n";
            if (book.steps == 0) {
                // Not a book the drill works through: opened, and nothing
                // to start.
                out << "choose " << name << "\nexpect box info\nexpect no box\nexpect QuestionCount = 0\n";
                continue;
            }
            ++books;
            out << "seed " << seed++ << '\n' << (book.allWrongable ? "answer yes\n" : "") << "choose " << name << '\n';
            out << "expect no box\nexpect RetryMode = 0\n";
            for (int step = 0; step < book.steps; ++step)
                out << (book.allWrongable ? "pick wrong\n" : "") << "pick right\n";
            if (book.allWrongable) {
                // Every question was missed: the replay runs them all again.
                out << "expect box confirm\nexpect RetryMode = 1\n";
                for (int step = 0; step < book.steps; ++step)
                    out << "pick right\n";
            }
            out << "expect box info お疲れさまでした。\nexpect no box\n";
            out << "expect QuestionCount = 0\nexpect Label8.Caption = Menu\n";
        }
    }
    out << "\n# Leaving by the exit button.\nanswer yes\nclick owari\n";
    out << "expect box confirm\nexpect box info\nexpect no box\n";
    std::cerr << "mkreplay: " << books << " books\n";
    return books > 0 ? 0 : 1;
}
