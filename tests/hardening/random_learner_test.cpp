// The random learner: seeded random sequences of what a learner and the
// program's timers can do, played through the scenario runner against the
// real main window, with the run-state rules checked after every action.
//
// The learner clicks any control that is shown and enabled, hovers anywhere,
// picks right or wrong (with the pointer or F1 to F5), opens any book of a mixed set (malformed ones and
// files that are not books included), types into the mask box, answers
// every box at random, lets the timers tick, and the file system loses and
// regains a book now and then. Controls that lie outside the window's
// visible area can still be reached from the keyboard; the program's own
// guarantees about positions assume that only the program runs some of them
// (the scoring, and "<" and ">" where they break the tie between position
// and count), so pressing one of those then marks the run until the next
// reset: its range errors are let through and positions not checked.
//
// Environment: PIYORAN_LEARNER_SEEDS=FIRST-LAST (or one seed) and
// PIYORAN_LEARNER_ACTIONS=N choose what to play; a failure names its seed
// and prints the last actions as scenario lines.

#include "app/orvel.h"
#include "app/startup.h"
#include "book/format.h"
#include "tests/hardening/app_folder.h"
#include "tests/hardening/drill_checks.h"
#include "tools/script/runner.h"
#include "tools/script/scripted_boxes.h"
#include "toolkit/application.h"
#include "toolkit/dispatch.h"
#include "toolkit/timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kVisibleWidth = 861;
constexpr int kVisibleHeight = 418;

// Answers every confirmation box at random; otherwise the runner's boxes.
class RandomBoxes : public script::ScriptedBoxes {
public:
    RandomBoxes(std::ostream& out, std::mt19937& random) : ScriptedBoxes(out), random_(random) {}
    int confirmation(const std::string& text, toolkit::BoxButtons buttons) override
    {
        static const int answers[] = {toolkit::mrYes, toolkit::mrYes, toolkit::mrNo, toolkit::mrCancel};
        queueAnswer(answers[std::uniform_int_distribution<int>(0, 3)(random_)]);
        return ScriptedBoxes::confirmation(text, buttons);
    }

private:
    std::mt19937& random_;
};

// The mixed set of books: the test books, malformed ones made here, and two
// categories of the bundled library.
class LearnerFolder {
public:
    LearnerFolder() : folder_("learner")
    {
        for (const char* category : {"001", "002", "003", "004"})
            folder_.copy(PIYORAN_TEST_APP_DIR "/" + std::string(category), category);
        folder_.copy(PIYORAN_SOURCE_DIR "/data/image", "image");
        folder_.copy(PIYORAN_SOURCE_DIR "/data/006", "006");
        folder_.copy(PIYORAN_SOURCE_DIR "/data/008", "008");
        fs::create_directories(folder_ / "007");
        fs::create_directories(folder_ / "009");

        using hardening::cp932Book;
        using hardening::numberedBook;
        folder_.write("005/no_blocks.txt", cp932Book({"題", "見出し", "a", "b", "c"}));
        folder_.write("005/single_line.txt", cp932Book({"一行"}));
        auto empty = numberedBook(3);
        empty[2 + 8 + 4] = "";
        folder_.write("005/empty_choice_line.txt", cp932Book(empty));
        auto unequal = numberedBook(4, 2);
        unequal[2 + 8 * 2 + 5] = "wrongB3-1";
        unequal[2 + 8 * 3 + 7] = "wrongD4-1,wrongD4-2,wrongD4-3";
        folder_.write("005/unequal_items.txt", cp932Book(unequal));
        folder_.write("005/many_201.qt2", cp932Book([] {
                          auto lines = hardening::longLineBook(201);
                          lines.push_back("");
                          return lines;
                      }()));
        std::string lead = cp932Book(numberedBook(3));
        for (const char* line : {"right2-1", "wrongB3-1"}) {
            const std::size_t at = lead.find(line);
            lead.insert(at + std::string(line).size(), "\x82");
        }
        lead.insert(lead.find("wrongA1-1"), "\x83,");
        folder_.write("005/lone_lead_bytes.txt", lead + "\x81");
        std::string nul = cp932Book(numberedBook(4));
        nul.insert(nul.find("wrongC3-1"), std::string("\0\0", 2));
        folder_.write("005/nul_bytes.txt", nul);
        folder_.write("005/long_2_8n.qt3", cp932Book(hardening::longLineBook(4)));
        std::mt19937 bytes(7);
        std::string garbage;
        for (int i = 0; i < 3000; ++i)
            garbage += static_cast<char>(bytes() & 0xFF);
        folder_.write("005/garbage.txt", garbage);
        folder_.write("005/garbage.qt1", garbage);
        folder_.write("005/picture.qt4", hardening::readFile(PIYORAN_SOURCE_DIR "/data/image/Sea1.jpg"));
        folder_.write("005/notes.ppm", "P3\n1 1\n255\n0 0 0\n");
        restoreVanishing();
    }

    const fs::path& path() const { return folder_.path(); }
    fs::path vanishing() const { return folder_ / "005/vanishing.txt"; }

    void restoreVanishing() const
    {
        fs::remove_all(vanishing());
        folder_.write("005/vanishing.txt", hardening::cp932Book(hardening::numberedBook(2)));
    }

    // The file disappears, or a folder takes its name.
    void vanish(bool asFolder) const
    {
        fs::remove_all(vanishing());
        if (asFolder)
            fs::create_directories(vanishing() / "inside");
    }

    // Whether a book file may give range errors: read afresh, as the
    // program reads it.
    bool malformed(const fs::path& file) const
    {
        std::error_code error;
        if (!fs::is_regular_file(file, error))
            return false;
        return !hardening::wellFormedBook(hardening::readFile(file), book::layoutOf(file.string()));
    }

private:
    hardening::AppFolder folder_;
};

// Where a control lies within the window, its parents' places added.
bool inVisibleArea(const toolkit::Control& control)
{
    int x = 0, y = 0;
    for (const toolkit::Control* c = &control; c && c->parent(); c = c->parent()) {
        x += c->left();
        y += c->top();
    }
    return control.width() > 0 && control.height() > 0 && x < kVisibleWidth && y < kVisibleHeight
           && x + control.width() > 0 && y + control.height() > 0;
}

struct Outcome {
    int actions = 0;
    std::map<std::string, int> counts; // what the learner got done, by kind
    std::string failure;
};

class Learner {
public:
    Learner(unsigned seed, int actions, const LearnerFolder& folder)
        : seed_(seed), actions_(actions), folder_(folder), random_(seed), boxes_(log_, random_)
    {
    }

    Outcome play()
    {
        toolkit::Application::instance().setBoxService(&boxes_);
        startProgram();
        for (int i = 0; i < actions_ && outcome_.failure.empty(); ++i) {
            if (form_->closed())
                startProgram();
            act();
            if (!recent_.empty()) {
                recent_.back() += log_.str();
                log_.str("");
            }
            ++outcome_.actions;
            check();
        }
        if (!outcome_.failure.empty()) {
            std::ostringstream why;
            why << "seed " << seed_ << ", action " << outcome_.actions << ": " << outcome_.failure
                << "\nthe last actions, as scenario lines:\n";
            for (const std::string& line : recent_)
                why << line;
            outcome_.failure = why.str();
        }
        runner_.reset();
        form_.reset();
        toolkit::Application::instance().setBoxService(nullptr);
        return outcome_;
    }

private:
    void startProgram()
    {
        runner_.reset();
        form_.reset();
        // The book list starts in the current folder: one of the learner's.
        fs::current_path(folder_.path() / "001");
        form_ = app::startUp(toolkit::Application::instance());
        toolkit::Application::instance().processEvents();
        runner_ = std::make_unique<script::Runner>(*form_, boxes_, log_);
        ++outcome_.counts["program runs"];
        resetSeen_ = false;
        positionsKept_ = true;
        loadedBook_.clear();
        // Right after each reset: the timer stopped, the counters back.
        TOrvelform& form = *form_;
        auto reset = form.Kesu.onClick;
        form.Kesu.onClick = [this, &form, reset] {
            reset();
            resetSeen_ = true;
            positionsKept_ = true;
            const std::string broken = hardening::brokenAfterReset(form);
            if (!broken.empty() && outcome_.failure.empty())
                outcome_.failure = "right after a reset: " + broken;
        };
        note("(the program starts)");
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Plays one scenario line through the runner. Returns false when the
    // line did not hold (a pick with no such slot, say).
    bool line(const std::string& text)
    {
        std::istringstream in(text);
        std::vector<script::Line> lines;
        std::ostringstream unusable;
        if (!script::parseScript(in, lines, unusable)) {
            outcome_.failure = "unusable scenario line '" + text + "': " + unusable.str();
            return false;
        }
        note(text);
        const bool held = runner_->run(lines) == script::kHeld;
        // The boxes and what failed, after the line that made them.
        recent_.back() += log_.str();
        log_.str("");
        return held;
    }

    void note(const std::string& text)
    {
        recent_.push_back(text + "\n");
        if (recent_.size() > 60)
            recent_.pop_front();
    }

    std::vector<toolkit::Control*> reachableControls(bool visibleArea)
    {
        std::vector<toolkit::Control*> found;
        for (toolkit::Control* control : form_->controls())
            if (control->reachable() && inVisibleArea(*control) == visibleArea && control->onClick)
                found.push_back(control);
        return found;
    }

    void act()
    {
        TOrvelform& form = *form_;
        // Every opening shuffles from a seed of this sequence, so a failure
        // plays the same again.
        form.Randomizer.fixNextSeed(static_cast<std::uint32_t>(random_()));
        expectedErrors_.clear();
        const int roll = below(100);
        if (roll < 22) {
            if (line("pick right"))
                ++outcome_.counts["right picks"];
        } else if (roll < 29) {
            if (line("pick wrong"))
                ++outcome_.counts["wrong picks"];
        } else if (roll < 32) {
            // F1 to F5 pick a choice slot from the keyboard.
            line("press F" + std::to_string(1 + below(5)));
        } else if (roll < 46) {
            const auto controls = reachableControls(true);
            if (!controls.empty())
                click(*controls[static_cast<std::size_t>(below(static_cast<int>(controls.size())))]);
        } else if (roll < 50) {
            const auto controls = reachableControls(false);
            if (!controls.empty()) {
                toolkit::Control& control = *controls[static_cast<std::size_t>(below(static_cast<int>(controls.size())))];
                if (!keepsPositions(control))
                    positionsKept_ = false;
                click(control);
            }
        } else if (roll < 60) {
            hover();
        } else if (roll < 72) {
            choose();
        } else if (roll < 80) {
            line("tick Timer1 " + std::to_string(1 + below(20)));
        } else if (roll < 85) {
            line("tick Timer4 " + std::to_string(1 + below(25)));
        } else if (roll < 88) {
            typeMask();
        } else if (roll < 89) {
            const int entry = below(form.FilterComboBox1.entryCount());
            note("(the filter selector takes entry " + std::to_string(entry) + ")");
            toolkit::dispatch([&form, entry] { form.FilterComboBox1.choose(entry); });
        } else if (roll < 90) {
            const int how = below(3);
            if (how == 0)
                folder_.restoreVanishing();
            else
                folder_.vanish(how == 2);
            note(how == 0 ? "(vanishing.txt is back)" : how == 1 ? "(vanishing.txt is deleted)"
                                                                 : "(a folder named vanishing.txt replaces it)");
        } else {
            // Hover the book list, or anywhere in the window.
            hover();
        }
    }

    // Whether pressing this keyboard-only button now leaves the program's
    // guarantee about positions standing. In a pass, ">" moves the position
    // and the count of questions asked together, and "<" moves the position
    // back one while the count goes on, so the position never passes the
    // count, which ends the pass at the last position; but "<" at the first
    // position of a normal pass wraps to the last one with the count still
    // low, and the next leave goes past it. With no run, either button moves
    // the position and the count, and the next opening starts from them. A
    // scoring run by itself records a missed question with no question left.
    bool keepsPositions(const toolkit::Control& control) const
    {
        const TOrvelform& form = *form_;
        if (&control == &form.BitBtn3)
            return form.QuestionCount != 0;
        if (&control == &form.BitBtn9)
            return form.QuestionCount != 0 && !(form.RetryMode == 0 && form.CurrentPos == 1);
        return &control != &form.Button1;
    }

    void click(toolkit::Control& control)
    {
        // A click on the list opens the book the pointer selected.
        if (&control == &form_->FileListBox1)
            beforeOpening();
        line("click " + control.name());
    }

    void hover()
    {
        TOrvelform& form = *form_;
        std::vector<toolkit::Control*> targets = {&form};
        for (toolkit::Control* control : form.controls())
            if (control->reachable() && control->onMouseMove)
                targets.push_back(control);
        toolkit::Control& target = *targets[static_cast<std::size_t>(below(static_cast<int>(targets.size())))];
        const int width = &target == &form ? kVisibleWidth : std::max(target.width(), 1);
        const int height = &target == &form ? kVisibleHeight : std::max(target.height(), 1);
        line("hover " + target.name() + " " + std::to_string(below(width)) + " " + std::to_string(below(height)));
    }

    void choose()
    {
        toolkit::FileListBox& list = form_->FileListBox1;
        if (!list.reachable() || list.itemCount() == 0) {
            // Show a category instead, when the menu offers one.
            std::vector<toolkit::SpeedButton*> categories;
            for (toolkit::SpeedButton* button : form_->categoryButtons())
                if (button->reachable())
                    categories.push_back(button);
            if (!categories.empty())
                line("click " + categories[static_cast<std::size_t>(below(static_cast<int>(categories.size())))]->name());
            return;
        }
        const std::string item = list.item(below(list.itemCount()));
        const fs::path file = fs::path(list.directory()) / item;
        noteOpening(file);
        line("choose " + item);
    }

    void beforeOpening()
    {
        const std::string selected = form_->FileListBox1.fileName();
        noteOpening(selected);
    }

    // What opening this file may show: the range error for a malformed
    // book, the file error for one that is gone. The lines of a book stay
    // loaded after its opening failed part way, and so does what they may
    // show.
    void noteOpening(const fs::path& file)
    {
        const bool isBook = !file.empty() && book::layoutOf(file.string()) != book::Layout::NotABook;
        std::error_code error;
        const bool gone = isBook && !fs::is_regular_file(file, error);
        if (gone)
            expectedErrors_.push_back(file.string());
        loadedBook_ = isBook ? file.string() : std::string();
        loadedMalformed_ = isBook && folder_.malformed(file);
        ++outcome_.counts[!isBook ? "openings of other files" : gone ? "openings of vanished books"
                          : loadedMalformed_                     ? "openings of malformed books"
                                                                 : "openings of well-formed books"];
    }

    void typeMask()
    {
        static const char* const masks[] = {
            "*.txt;*.ppm;*.qt1;*.qt2;*.qt3;*.qt4;*.qt5;*.qt6;*.qt7;*.qt8;*.qt9", "*.txt", "*.*", "*.qt?", "../005",
            "../004/", "no_such_name"};
        const int which = below(7);
        line(std::string("type FileEdit ") + masks[which]);
        if (which == 6)
            expectedErrors_.push_back("入出力エラーです: no_such_name");
        line("key FileEdit 13");
    }

    void check()
    {
        if (!outcome_.failure.empty())
            return;
        auto& shown = boxes_.shown();
        for (; checkedBoxes_ < shown.size(); ++checkedBoxes_) {
            const script::ShownBox& box = shown[checkedBoxes_];
            ++outcome_.counts[box.kind + " boxes"];
            if (box.kind == "confirm" && box.text.find("間違った問題だけ") != std::string::npos)
                ++outcome_.counts[box.answer == toolkit::mrYes ? "replays accepted" : "replays declined"];
            if (box.kind != "error")
                continue;
            ++outcome_.counts[hardening::isRangeError(box.text)              ? "range errors"
                              : box.text.rfind("入出力エラー", 0) == 0 ? "input/output errors"
                              : box.text.rfind("ファイル ", 0) == 0    ? "file errors"
                                                                       : "other errors"];
            if (hardening::isRangeError(box.text) && !loadedMalformed_)
                ++outcome_.counts["range errors of well-formed books, after keyboard-only buttons"];
            if (!allowedError(box.text)) {
                outcome_.failure = "an error box: " + box.text + (loadedBook_.empty() ? "" : " (book " + loadedBook_ + ")");
                return;
            }
        }
        if (shown.size() > 1000) {
            shown.clear();
            boxes_.nextUnexpected() = 0;
            checkedBoxes_ = 0;
        }
        if (boxes_.unanswered()) {
            outcome_.failure = "a confirmation box was left unanswered";
            return;
        }
        const std::string broken = hardening::brokenInvariant(*form_, resetSeen_, positionsKept_);
        if (!broken.empty())
            outcome_.failure = broken;
    }

    bool allowedError(const std::string& text) const
    {
        for (const std::string& expected : expectedErrors_)
            if (hardening::isFileError(text, expected) || text == expected + ".")
                return true;
        return hardening::isRangeError(text) && (loadedMalformed_ || !positionsKept_);
    }

    unsigned seed_;
    int actions_;
    const LearnerFolder& folder_;
    std::mt19937 random_;
    std::ostringstream log_;
    RandomBoxes boxes_;
    std::unique_ptr<TOrvelform> form_;
    std::unique_ptr<script::Runner> runner_;
    std::deque<std::string> recent_;
    Outcome outcome_;
    std::size_t checkedBoxes_ = 0;
    bool resetSeen_ = false;
    bool positionsKept_ = true;
    std::string loadedBook_;
    bool loadedMalformed_ = false;
    std::vector<std::string> expectedErrors_;
};

std::pair<unsigned, unsigned> seedRange()
{
    const char* text = std::getenv("PIYORAN_LEARNER_SEEDS");
    if (!text)
        return {1, 20};
    const std::string seeds = text;
    const std::size_t dash = seeds.find('-');
    if (dash == std::string::npos)
        return {static_cast<unsigned>(std::stoul(seeds)), static_cast<unsigned>(std::stoul(seeds))};
    return {static_cast<unsigned>(std::stoul(seeds.substr(0, dash))),
            static_cast<unsigned>(std::stoul(seeds.substr(dash + 1)))};
}

int actionsPerSeed()
{
    const char* text = std::getenv("PIYORAN_LEARNER_ACTIONS");
    return text ? std::stoi(text) : 5000;
}

} // namespace

TEST(RandomLearner, KeepsTheRunStateRulesWhateverTheLearnerDoes)
{
    const LearnerFolder folder;
    toolkit::Application::instance().setExeDir(folder.path().string());
    toolkit::Application::instance().setManualTimers(true);

    const auto [first, last] = seedRange();
    const int actions = actionsPerSeed();
    const auto started = std::chrono::steady_clock::now();
    int total = 0;
    std::map<std::string, int> counts;
    for (unsigned seed = first; seed <= last; ++seed) {
        const Outcome outcome = Learner(seed, actions, folder).play();
        total += outcome.actions;
        for (const auto& [kind, count] : outcome.counts)
            counts[kind] += count;
        ASSERT_EQ(outcome.failure, "");
        EXPECT_EQ(outcome.actions, actions);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << total << " actions over seeds " << first << " to " << last << " in " << seconds << " s\n";
    for (const auto& [kind, count] : counts)
        std::cout << "  " << kind << ": " << count << '\n';
    // The sequences reach the parts that matter.
    if (total >= 10000) {
        for (const char* kind : {"openings of well-formed books", "openings of malformed books",
                                 "openings of other files", "right picks", "replays accepted", "replays declined"})
            EXPECT_GT(counts[kind], 0) << kind;
    }
}
