// piyoran-bench: the program's speed and footprint on Qt's offscreen
// platform, as medians of repeated runs, against their targets.
//
//   start-up       fresh processes of piyoran-bench-probe, timed from just
//                  before the parent spawns them to the main window's first
//                  frame (FormCreate run); a bare Qt window the same way
//   open           FileListBox1Click on a 200-question book, three-line and
//                  long-line, up to the first question shown; and on a
//                  50 MiB three-line book, which opens with its first 200
//   pick           a right pick on a one-step question through the click,
//                  scoring, advance and display; and the last question's,
//                  which runs the end of the pass and its box
//   background     the background button's operation on a 4000 x 3000 and a
//                  730 x 420 JPEG; and, for comparison, decoding the 12 MP
//                  picture at full size and scaling it to 730 x 420 after
//   memory         VmHWM of a fresh process after a whole run
//
// Painting is not part of any in-process figure: the window is painted
// between iterations, with the clock stopped. Google Benchmark's own flags
// (--benchmark_filter=…, --benchmark_format=json) work as usual; the
// summary table at the end compares the medians with the targets.

#include "app/orvel.h"
#include "app/startup.h"
#include "bench/fixtures.h"
#include "bench/measures.h"
#include "book/format.h"
#include "toolkit/application.h"
#include "toolkit/boxes.h"
#include "toolkit/jpeg.h"
#include "toolkit/timer.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using bench::median;
using bench::monotonicNs;

constexpr int kStartupRuns = 31;
constexpr int kStartupWarmUps = 3;
constexpr int kMemoryRuns = 5;

// ---------------------------------------------------------------- helpers

std::map<std::string, long long> parseWords(const std::string& line)
{
    std::map<std::string, long long> values;
    std::istringstream words(line);
    for (std::string word; words >> word;) {
        const std::size_t equals = word.find('=');
        if (equals != std::string::npos)
            values[word.substr(0, equals)] = std::atoll(word.c_str() + equals + 1);
    }
    return values;
}

struct Spawned {
    long long startNs = 0; // taken by the parent just before the spawn
    std::map<std::string, long long> values;
    bool ok = false;
};

// Runs the probe with these arguments as a fresh process and reads its line.
Spawned spawnProbe(const std::string& probe, const std::vector<std::string>& args)
{
    Spawned result;
    int out[2];
    if (pipe(out) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    std::vector<char*> argv{const_cast<char*>(probe.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    result.startNs = monotonicNs();
    const int failed = posix_spawn(&pid, probe.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed) {
        close(out[0]);
        return result;
    }
    std::string line;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        line.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.values = parseWords(line);
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && !result.values.empty();
    return result;
}

QImage toQImage(const toolkit::RgbImage& decoded)
{
    // As the picture box does with a decoded picture.
    QImage picture(decoded.width, decoded.height, QImage::Format_RGB888);
    for (int row = 0; row < decoded.height; ++row)
        std::copy_n(decoded.pixels.data() + static_cast<std::size_t>(row) * decoded.width * 3,
                    static_cast<std::size_t>(decoded.width) * 3, picture.scanLine(row));
    return picture;
}

// ---------------------------------------------------------------- the world

// Boxes that answer at once: information and errors acknowledged, every
// confirmation answered はい. An error box fails the benchmark that showed it.
class BenchBoxes : public toolkit::BoxService {
public:
    void information(const std::string&) override {}
    int confirmation(const std::string&, toolkit::BoxButtons) override { return toolkit::mrYes; }
    void error(const std::string& text) override { lastError = text; }
    std::string lastError;
};

struct World {
    std::string folder;  // laid out as the program's folder
    std::string probe;   // piyoran-bench-probe
    std::string bigJpeg; // the 4000 x 3000 picture's bytes
    toolkit::Application* application = nullptr;
    TOrvelform* form = nullptr;
    BenchBoxes boxes;
};

World world;

// The first category's list, as a learner gets it: cancelling the run in
// progress (はい), else the category button.
void showBookList()
{
    TOrvelform& form = *world.form;
    if (form.Chushi.visible())
        form.Chushi.learnerClick();
    if (!form.FileListBox1.visible())
        form.SpeedButton3.learnerClick();
}

// Puts the pointer over the book in the list, which selects it.
bool pointAtBook(const std::string& file)
{
    toolkit::FileListBox& list = world.form->FileListBox1;
    for (int i = 0; i < list.itemCount(); ++i)
        if (list.item(i) == file) {
            list.pointerMoved(4, i * toolkit::FileListBox::kRowHeight + toolkit::FileListBox::kRowHeight / 2);
            return list.itemIndex() == i;
        }
    return false;
}

bool openBook(const std::string& file)
{
    showBookList();
    if (!pointAtBook(file))
        return false;
    world.form->FileListBox1.learnerClick();
    return world.form->BookLines.count() > 0 && world.form->QuestionCount > 0;
}

// The slot whose item is the right one for the step on screen, or 0.
int rightSlot()
{
    TOrvelform& form = *world.form;
    const int q = form.QuestionOrder[form.CurrentPos];
    const auto key = book::splitItems(form.BookLines[book::keyLine(q)]);
    if (form.KeyStep < 0 || form.KeyStep >= static_cast<int>(key.size()))
        return 0;
    for (int k = 1; k <= 5; ++k)
        if (world.form->SlotItems[static_cast<std::size_t>(k)] == key[static_cast<std::size_t>(form.KeyStep)])
            return k;
    return 0;
}

// The next right pick would end the pass.
bool atLastQuestion()
{
    const TOrvelform& form = *world.form;
    return form.RetryMode == 0 && form.AskedCount == form.QuestionCount;
}

bool failed(benchmark::State& state)
{
    if (world.boxes.lastError.empty())
        return false;
    state.SkipWithError(("error box: " + world.boxes.lastError).c_str());
    world.boxes.lastError.clear();
    return true;
}

// ---------------------------------------------------------------- benchmarks

void startup(benchmark::State& state, const char* mode)
{
    for (auto _ : state) {
        const Spawned run = spawnProbe(world.probe, {mode});
        if (!run.ok || !run.values.count("frame")) {
            state.SkipWithError("the probe failed");
            return;
        }
        state.SetIterationTime(static_cast<double>(run.values.at("frame") - run.startNs) * 1e-9);
        state.counters["first_paint_ms"] = static_cast<double>(run.values.at("paint") - run.startNs) * 1e-6;
        state.counters["hwm_MiB"] = static_cast<double>(run.values.at("hwm")) / 1024.0;
    }
}

void openBenchmark(benchmark::State& state, const char* file)
{
    for (auto _ : state) {
        state.PauseTiming();
        showBookList();
        const bool pointed = pointAtBook(file);
        world.application->processEvents();
        state.ResumeTiming();
        world.form->FileListBox1.learnerClick();
        if (!pointed || world.form->QuestionCount != 200 || failed(state)) {
            state.SkipWithError("the book did not open with 200 questions");
            return;
        }
    }
}

void rightPick(benchmark::State& state, const char* file)
{
    for (auto _ : state) {
        state.PauseTiming();
        if (world.form->QuestionCount == 0 || world.form->BookLines.count() == 0 || atLastQuestion())
            openBook(file);
        const int k = rightSlot();
        world.application->processEvents();
        state.ResumeTiming();
        if (k == 0) {
            state.SkipWithError("no right slot");
            return;
        }
        world.form->slot(k).learnerClick();
        if (failed(state))
            return;
    }
}

void lastPick(benchmark::State& state, const char* file)
{
    for (auto _ : state) {
        state.PauseTiming();
        openBook(file);
        while (!atLastQuestion()) {
            const int k = rightSlot();
            if (k == 0)
                break;
            world.form->slot(k).learnerClick();
        }
        const int k = rightSlot();
        world.application->processEvents();
        state.ResumeTiming();
        if (k == 0 || !atLastQuestion()) {
            state.SkipWithError("did not reach the last question");
            return;
        }
        world.form->slot(k).learnerClick();
        // The pass has ended: the board is reset and the menu is back.
        if (world.form->QuestionCount != 0 || !world.form->owari.visible()) {
            state.SkipWithError("the pass did not end");
            return;
        }
        if (failed(state))
            return;
    }
}

void background(benchmark::State& state, toolkit::SpeedButton TOrvelform::*button, int width)
{
    toolkit::SpeedButton& clicked = world.form->*button;
    for (auto _ : state) {
        state.PauseTiming();
        world.application->processEvents();
        state.ResumeTiming();
        clicked.learnerClick();
        if (failed(state))
            return;
    }
    state.counters["decoded_width"] = world.form->Image1.pictureWidth();
    state.counters["source_width"] = width;
}

void decodeScaled(benchmark::State& state)
{
    for (auto _ : state) {
        QImage picture = toQImage(toolkit::decodeJpeg(world.bigJpeg, 730, 420));
        benchmark::DoNotOptimize(picture.constBits());
    }
}

void decodeFullThenScale(benchmark::State& state)
{
    for (auto _ : state) {
        const QImage full = toQImage(toolkit::decodeJpeg(world.bigJpeg));
        QImage picture = full.scaled(730, 420, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

// ---------------------------------------------------------------- report

// The console report, keeping each benchmark's median.
class MedianKeeper : public benchmark::ConsoleReporter {
public:
    MedianKeeper() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                skipped.push_back(run.benchmark_name());
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                const std::string& name = run.run_name.function_name;
                medianMs[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
                for (const auto& [counter, value] : run.counters)
                    medianCounters[name + ":" + counter] = value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medianMs;
    std::map<std::string, double> medianCounters;
    std::vector<std::string> skipped;
};

std::string figure(double value, const char* unit)
{
    char text[64];
    if (value < 0)
        return "-";
    std::snprintf(text, sizeof text, value < 1 ? "%.3f %s" : value < 10 ? "%.2f %s" : "%.1f %s", value, unit);
    return text;
}

struct Row {
    std::string what;
    std::string measured;
    std::string target;
    bool met;
};

void printRows(const std::vector<Row>& rows)
{
    std::printf("\n%-48s %-14s %-12s %s\n", "figure (median)", "measured", "target", "");
    for (const Row& row : rows)
        std::printf("%-48s %-14s %-12s %s\n", row.what.c_str(), row.measured.c_str(), row.target.c_str(),
                    row.target.empty() || row.target[0] == '(' ? ""
                    : row.measured == "-"                      ? "not run"
                    : row.met                                  ? "met"
                                                               : "MISSED");
}

std::string exeFolder()
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}


// Only the whole run's peak memory, on the platform the environment names
// (run.sh uses this under Xvfb).
int wholeRunOnly()
{
    const std::string folder = bench::makeTempFolder();
    std::filesystem::create_directories(folder + "/001");
    bench::writeFile(folder + "/001/book200.txt", bench::threeLineBook(200));
    std::vector<double> mib;
    for (int i = 0; i < kMemoryRuns; ++i) {
        const Spawned run = spawnProbe(exeFolder() + "/piyoran-bench-probe", {"run", folder});
        if (run.ok && run.values.count("hwm"))
            mib.push_back(static_cast<double>(run.values.at("hwm")) / 1024.0);
    }
    bench::removeTree(folder);
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("peak memory (VmHWM) after a whole run, platform %s: %s (median of %zu)\n",
                platform ? platform : "default", figure(median(mib), "MiB").c_str(), mib.size());
    return mib.size() == kMemoryRuns && median(mib) <= 40 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--whole-run-only")
        return wholeRunOnly();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    world.folder = bench::makeTempFolder();
    if (!std::getenv("XDG_RUNTIME_DIR"))
        setenv("XDG_RUNTIME_DIR", world.folder.c_str(), 1);
    world.probe = exeFolder() + "/piyoran-bench-probe";
    std::filesystem::create_directories(world.folder + "/001");
    std::filesystem::create_directories(world.folder + "/image");
    bench::writeFile(world.folder + "/001/book200.txt", bench::threeLineBook(200));
    bench::writeFile(world.folder + "/001/book200.qt1", bench::longLineBook(200));
    bench::writeFile(world.folder + "/001/book50MiB.txt", bench::enormousThreeLineBook(50u << 20));
    world.bigJpeg = bench::photoJpeg(4000, 3000);
    // Sky and Blue show these: the 12-megapixel picture and one of the
    // window's own size.
    bench::writeFile(world.folder + "/image/violet.jpg", world.bigJpeg);
    bench::writeFile(world.folder + "/image/Water1.jpg", bench::photoJpeg(730, 420));
    std::printf("fixtures in %s: 12 MP JPEG of %.1f MiB\n", world.folder.c_str(),
                static_cast<double>(world.bigJpeg.size()) / (1024.0 * 1024.0));

    int qtArgc = 1;
    toolkit::Application application(qtArgc, argv);
    application.setExeDir(world.folder);
    application.setManualTimers(true);
    application.setBoxService(&world.boxes);
    const auto form = app::startUp(application);
    application.processEvents();
    world.application = &application;
    world.form = form.get();

    // The first fresh processes fill the file-system and font caches.
    for (int i = 0; i < kStartupWarmUps; ++i) {
        spawnProbe(world.probe, {"main"});
        spawnProbe(world.probe, {"bare"});
    }

    using benchmark::RegisterBenchmark;
    RegisterBenchmark("startup/main_window", startup, "main")
        ->UseManualTime()->Iterations(1)->Repetitions(kStartupRuns)
        ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    RegisterBenchmark("startup/bare_qt_window", startup, "bare")
        ->UseManualTime()->Iterations(1)->Repetitions(kStartupRuns)
        ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    RegisterBenchmark("open/three_line_200", openBenchmark, "book200.txt")
        ->UseRealTime()->Iterations(200)->Repetitions(7)->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("open/long_line_200", openBenchmark, "book200.qt1")
        ->UseRealTime()->Iterations(200)->Repetitions(7)->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("open/three_line_50MiB", openBenchmark, "book50MiB.txt")
        ->UseRealTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
    RegisterBenchmark("pick/right", rightPick, "book200.txt")
        ->UseRealTime()->Iterations(400)->Repetitions(7)->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("pick/right_ending_the_pass", lastPick, "book200.txt")
        ->UseRealTime()->Iterations(20)->Repetitions(7)->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("background/4000x3000", background, &TOrvelform::SpeedButton14, 4000)
        ->UseRealTime()->Iterations(20)->Repetitions(7)->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
    RegisterBenchmark("background/730x420", background, &TOrvelform::SpeedButton13, 730)
        ->UseRealTime()->Iterations(100)->Repetitions(7)->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
    RegisterBenchmark("decode_4000x3000/scaled_while_decoding", decodeScaled)
        ->UseRealTime()->Iterations(20)->Repetitions(7)->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
    RegisterBenchmark("decode_4000x3000/full_size_then_scaled", decodeFullThenScale)
        ->UseRealTime()->Iterations(5)->Repetitions(7)->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);

    MedianKeeper reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // Peak memory of whole runs, each in a fresh process.
    std::vector<double> wholeRunMiB;
    for (int i = 0; i < kMemoryRuns; ++i) {
        const Spawned run = spawnProbe(world.probe, {"run", world.folder});
        if (run.ok && run.values.count("hwm"))
            wholeRunMiB.push_back(static_cast<double>(run.values.at("hwm")) / 1024.0);
    }
    const auto measured = [&](const std::string& name) {
        const auto found = reporter.medianMs.find(name);
        return found == reporter.medianMs.end() ? -1.0 : found->second;
    };
    const auto counter = [&](const std::string& name) {
        const auto found = reporter.medianCounters.find(name);
        return found == reporter.medianCounters.end() ? -1.0 : found->second;
    };
    std::vector<Row> rows;
    bool allMet = reporter.skipped.empty();
    // A figure with an upper limit, or none (limit < 0).
    const auto row = [&](const char* what, double value, const char* unit, double limit) {
        const bool met = value >= 0 && value <= limit;
        char target[32] = "";
        if (limit >= 0)
            std::snprintf(target, sizeof target, "<= %g %s", limit, unit);
        rows.push_back({what, figure(value, unit), target, met});
        if (limit >= 0 && value >= 0)
            allMet = allMet && met;
    };

    // A ratio of two figures of this run, with its target (shown only when
    // both were measured, as a figure without a value has no limit).
    const auto ratioRow = [&](const char* what, double ratio, const char* target, bool met) {
        rows.push_back({what, figure(ratio, "x"), target, met});
        allMet = allMet && met;
    };

    // Start-up against a bare Qt window timed the same way in the same run:
    // the ratio is what is asked of the program, the times say how loaded
    // the machine was.
    const double startup = measured("startup/main_window");
    const double bare = measured("startup/bare_qt_window");
    if (startup > 0 && bare > 0)
        ratioRow("start-up / a bare Qt window's start-up", startup / bare, "<= 1.5 x", startup <= 1.5 * bare);
    row("start-up to the main window's first frame", startup, "ms", -1);
    row("  of which to its first paint event", counter("startup/main_window:first_paint_ms"), "ms", -1);
    row("start-up to a bare Qt window's first frame", bare, "ms", -1);
    row("open a 200-question three-line book", measured("open/three_line_200"), "ms", 2);
    row("open a 200-question long-line book", measured("open/long_line_200"), "ms", 2);
    row("open a 50 MiB three-line book", measured("open/three_line_50MiB"), "ms", 1000);
    row("right pick, one-step question", measured("pick/right"), "ms", 0.15);
    row("right pick ending the pass", measured("pick/right_ending_the_pass"), "ms", 0.3);
    row("background change, 4000 x 3000 JPEG", measured("background/4000x3000"), "ms", 40);
    row("background change, 730 x 420 JPEG", measured("background/730x420"), "ms", -1);
    const double scaled = measured("decode_4000x3000/scaled_while_decoding");
    const double full = measured("decode_4000x3000/full_size_then_scaled");
    row("12 MP decoded scaled to 1000 x 750 by libjpeg", scaled, "ms", -1);
    row("12 MP decoded full size, then scaled to 730 x 420", full, "ms", -1);
    if (scaled > 0 && full > 0)
        ratioRow("  full-then-scaled / scaled-while-decoding", full / scaled, ">= 3 x", full >= 3 * scaled);
    row("peak memory (VmHWM) after a whole run", median(wholeRunMiB), "MiB", 40);
    row("peak memory (VmHWM) at the first frame", counter("startup/main_window:hwm_MiB"), "MiB", -1);
    if (wholeRunMiB.size() != kMemoryRuns)
        allMet = false;
    printRows(rows);
    for (const std::string& name : reporter.skipped)
        std::printf("failed: %s\n", name.c_str());

    bench::removeTree(world.folder);
    return allMet ? 0 : 1;
}
