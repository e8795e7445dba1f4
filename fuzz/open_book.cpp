// Any file opened as a book through the real main window, offscreen: the
// bytes are written as a book of each layout into a category folder of its
// own, the learner shows that category and clicks the book, works a few
// steps (right and wrong picks, ">", "<", timer ticks) and the board is
// reset. A well-formed book must give no error box at all, a malformed one
// none but the list's range error, and the run state must keep its rules
// after every event.

#include "app/orvel.h"
#include "app/startup.h"
#include "drill/right_item.h"
#include "tests/hardening/drill_checks.h"
#include "toolkit/application.h"
#include "toolkit/boxes.h"
#include "toolkit/timer.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Box {
    std::string kind;
    std::string text;
};

class FuzzBoxes : public toolkit::BoxService {
public:
    void information(const std::string& text) override { shown.push_back({"info", text}); }
    int confirmation(const std::string& text, toolkit::BoxButtons) override
    {
        shown.push_back({"confirm", text});
        return answer;
    }
    void error(const std::string& text) override { shown.push_back({"error", text}); }

    std::vector<Box> shown;
    int answer = toolkit::mrNo;
};

struct World {
    std::unique_ptr<toolkit::Application> application;
    std::unique_ptr<TOrvelform> form;
    FuzzBoxes boxes;
    fs::path appDir;
    fs::path category;
    // The category button makes its folder the process's current folder;
    // libFuzzer reads its corpus relative to the one it started in.
    fs::path startFolder;
};

World* world = nullptr;
int qtArgc = 1;
char qtName[] = "fuzz_open_book";
char* qtArgv[] = {qtName, nullptr};

void removeAppDir()
{
    if (world) {
        std::error_code ignored;
        fs::remove_all(world->appDir, ignored);
    }
}

[[noreturn]] void fail(const std::string& what, const std::string& step)
{
    std::fprintf(stderr, "broken after %s: %s\n", step.c_str(), what.c_str());
    for (const Box& box : world->boxes.shown)
        std::fprintf(stderr, "  %s: %s\n", box.kind.c_str(), box.text.c_str());
    std::abort();
}

// What a malformed book may show: the list's range error. A well-formed one
// may show it only once the back button has moved the position away from
// the count of questions asked: the next leave can then go past the last
// position the shuffle set.
struct Play {
    bool wellFormed = true;
    bool positionsKept = true;
};

// PIYORAN_FUZZ_TRACE=1 prints every step with the run state after it.
bool tracing()
{
    static const bool on = getenv("PIYORAN_FUZZ_TRACE") != nullptr;
    return on;
}

void trace(const std::string& step)
{
    const TOrvelform& f = *world->form;
    std::fprintf(stderr, "%-22s pos %d asked %d count %d book %d step %d done %d attempt %d keys %d retry %d missnext %d\n",
                 step.c_str(), f.CurrentPos, f.AskedCount, f.QuestionCount, f.BookQuestions, f.KeyStep,
                 f.QuestionDone, f.Attempt, f.AnswerKey.count(), f.RetryMode, f.MissNext);
    for (const Box& box : world->boxes.shown)
        std::fprintf(stderr, "    %s: %s\n", box.kind.c_str(), box.text.c_str());
}

// After each event: the boxes it showed and the run state.
void check(const std::string& step, const Play& play)
{
    if (tracing())
        trace(step);
    for (const Box& box : world->boxes.shown) {
        if (box.kind != "error")
            continue;
        if (play.wellFormed && play.positionsKept)
            fail("an error box on a well-formed book: " + box.text, step);
        if (!hardening::isRangeError(box.text))
            fail("an error box other than the range error: " + box.text, step);
    }
    world->boxes.shown.clear();
    const std::string broken = hardening::brokenInvariant(*world->form, true, play.positionsKept);
    if (!broken.empty())
        fail(broken, step);
}

void pick(bool right, const Play& play)
{
    if (const auto k = drill::slotShowing(*world->form, right))
        world->form->slot(*k).learnerClick();
    check(right ? "pick right" : "pick wrong", play);
}

void playBook(std::string_view bytes, const std::string& name)
{
    TOrvelform& form = *world->form;
    for (const auto& entry : fs::directory_iterator(world->category))
        fs::remove_all(entry.path());
    {
        std::ofstream out(world->category / name, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    Play play;
    play.wellFormed = hardening::wellFormedBook(bytes, book::layoutOf(name));
    // The list's folder is the process's current folder, as the program
    // left it (the fuzzer's own folder is put back after each input).
    fs::current_path(world->category);
    // Shuffles seeded from the input, so that a finding plays the same again.
    std::uint32_t seed = 2166136261u;
    for (const char c : bytes)
        seed = (seed ^ static_cast<unsigned char>(c)) * 16777619u;
    form.Randomizer.fixNextSeed(seed + static_cast<std::uint32_t>(name.size()));

    // Back to the menu, then the category; Enter in FileEdit reads the
    // folder again (the list does not re-read the folder it shows).
    form.menushow.learnerClick();
    form.SpeedButton3.learnerClick();
    if (!form.FileListBox1.reachable())
        fail("the category did not show its list", "the category button");
    form.FileEdit.typeKey(13);
    check("the category button", play);
    if (form.FileListBox1.itemCount() != 1)
        fail("the list does not show the one book", "the category button");

    form.FileListBox1.pointerMoved(4, toolkit::FileListBox::kRowHeight / 2);
    form.FileListBox1.learnerClick();
    check("opening " + name, play);

    for (const bool right : {false, true, false, false, true, true})
        pick(right, play);
    form.BitBtn3.learnerClick();
    check(">", play);
    pick(true, play);
    form.Timer1.fire();
    check("Timer1", play);
    form.Timer4.fire();
    check("Timer4", play);
    form.BitBtn9.learnerClick();
    play.positionsKept = false;
    check("<", play);
    for (const bool right : {true, false, true, true})
        pick(right, play);
    form.BitBtn3.learnerClick();
    check(">", play);

    form.Kesu.learnerClick();
    play.positionsKept = true;
    check("the reset", play);
    const std::string afterReset = hardening::brokenAfterReset(form);
    if (!afterReset.empty())
        fail(afterReset, "the reset");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    world = new World;
    char folder[] = "/tmp/piyoran-fuzz-XXXXXX";
    if (!mkdtemp(folder))
        std::abort();
    world->appDir = folder;
    world->startFolder = fs::current_path();
    world->category = world->appDir / "001";
    fs::create_directories(world->category);
    if (!getenv("XDG_RUNTIME_DIR")) {
        fs::create_directories(world->appDir / "runtime");
        fs::permissions(world->appDir / "runtime", fs::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", (world->appDir / "runtime").c_str(), 1);
    }
    std::atexit(removeAppDir);

    world->application = std::make_unique<toolkit::Application>(qtArgc, qtArgv);
    world->application->setExeDir(world->appDir.string());
    world->application->setManualTimers(true);
    world->application->setBoxService(&world->boxes);
    world->form = app::startUp(*world->application);
    world->application->processEvents();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Whether a replay is accepted follows from the input, so that a
    // finding plays the same again.
    world->boxes.answer = size % 2 == 0 ? toolkit::mrNo : toolkit::mrYes;
    playBook(bytes, "book.txt");
    playBook(bytes, "book.qt1");
    fs::current_path(world->startFolder);
    return 0;
}
