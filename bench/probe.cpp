// piyoran-bench-probe: the program, or a bare Qt window, started as a fresh
// process on behalf of piyoran-bench, which times it from outside.
//
//   piyoran-bench-probe main      does what app/main.cpp does, and exits as
//                                 soon as the main window's first frame has
//                                 been painted and its activation (FormCreate)
//                                 has run
//   piyoran-bench-probe bare      a bare QWidget of the main window's size,
//                                 shown and timed the same way: the reference
//   piyoran-bench-probe run DIR   a whole run against the books in DIR (see
//                                 runWhole below), then exits
//
// Each mode prints one line on standard output of "key=value" words: the
// CLOCK_MONOTONIC readings (in nanoseconds, comparable with the parent's)
// and the peak resident memory (VmHWM, in KiB).

#include "app/orvel.h"
#include "bench/measures.h"
#include "app/startup.h"
#include "book/format.h"
#include "toolkit/application.h"
#include "toolkit/boxes.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

using bench::monotonicNs;

// Prints the line and leaves at once: what comes after the measured moment
// (tearing the windows down) is no part of the figure.
[[noreturn]] void report(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
    _exit(0);
}

// Watches every event of the application for the first paint event of the
// window named `window` (a top-level widget). The first frame is complete
// once the event that carried that paint has been handled, so the end is
// taken from a queued call that runs right after it.
class FirstFrame : public QObject {
public:
    FirstFrame(QString window, std::function<bool()> ready)
        : window_(std::move(window)), ready_(std::move(ready))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (paintNs_ == 0 && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow() && watched->objectName() == window_) {
            paintNs_ = monotonicNs();
            QMetaObject::invokeMethod(this, [this] { finish(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void finish()
    {
        if (ready_ && !ready_()) {
            QTimer::singleShot(0, this, [this] { finish(); });
            return;
        }
        report("paint=" + std::to_string(paintNs_) + " frame=" + std::to_string(monotonicNs())
               + " hwm=" + std::to_string(bench::peakResidentKiB()));
    }

    QString window_;
    std::function<bool()> ready_;
    long long paintNs_ = 0;
};

int startMain(int argc, char** argv)
{
    toolkit::Application application(argc, argv);
    TOrvelform* main = nullptr;
    FirstFrame watcher(QStringLiteral("Orvelform"), [&] { return main && app::activated(*main); });
    const auto window = app::startUp(application);
    main = window.get();
    return application.run();
}

int startBare(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setObjectName(QStringLiteral("Bare"));
    window.resize(861, 418);
    FirstFrame watcher(QStringLiteral("Bare"), nullptr);
    window.show();
    return QApplication::exec();
}

// Answers every box at once, as a learner who always says yes.
class YesBoxes : public toolkit::BoxService {
public:
    void information(const std::string&) override { ++shown; }
    int confirmation(const std::string&, toolkit::BoxButtons) override
    {
        ++shown;
        return toolkit::mrYes;
    }
    void error(const std::string& text) override
    {
        std::fprintf(stderr, "piyoran-bench-probe: error box: %s\n", text.c_str());
        ++errors;
    }
    int shown = 0;
    int errors = 0;
};

// The slot showing the right (or a wrong) item for the step on screen.
int slotFor(TOrvelform& form, bool right)
{
    const int q = form.QuestionOrder[form.CurrentPos];
    const auto key = book::splitItems(form.BookLines[book::keyLine(q)]);
    const std::string& rightItem = key.at(static_cast<std::size_t>(form.KeyStep));
    for (int k = 1; k <= 5; ++k)
        if (!form.slot(k).text().empty() && (form.SlotItems[static_cast<std::size_t>(k)] == rightItem) == right)
            return k;
    return 0;
}

// A whole run as a learner makes it, with the window painted between the
// clicks: start, the first category, the 200-question book, every question
// answered (every seventh one first missed), the replay of the missed ones
// accepted and answered, then the exit button and its two boxes.
int runWhole(int argc, char** argv, const std::string& dir)
{
    toolkit::Application application(argc, argv);
    application.setExeDir(dir);
    YesBoxes boxes;
    application.setBoxService(&boxes);
    const auto form = app::startUp(application);
    // A learner starts once the main window is active: its activation sets
    // the run state up, and would empty a book opened before it. Under a
    // busy X server it can come after the first events are handled.
    if (!app::waitUntilActivated(application, *form, std::chrono::seconds(10))) {
        std::fprintf(stderr, "piyoran-bench-probe: the main window never became active\n");
        return 1;
    }

    form->SpeedButton3.learnerClick();
    application.processEvents();
    toolkit::FileListBox& list = form->FileListBox1;
    for (int i = 0; i < list.itemCount(); ++i)
        if (list.item(i) == "book200.txt")
            list.pointerMoved(4, i * toolkit::FileListBox::kRowHeight + toolkit::FileListBox::kRowHeight / 2);
    list.learnerClick();
    application.processEvents();
    if (form->BookLines.count() == 0) {
        std::fprintf(stderr, "piyoran-bench-probe: the book did not open\n");
        return 1;
    }

    int picks = 0;
    // Ends when the run is over: the board is reset and the menu is back.
    while (form->BookLines.count() > 0 && form->QuestionCount > 0 && picks < 2000) {
        if (form->RetryMode == 0 && form->CurrentPos % 7 == 0 && form->Attempt == 1) {
            if (const int wrong = slotFor(*form, false))
                form->slot(wrong).learnerClick();
            application.processEvents();
        }
        const int right = slotFor(*form, true);
        if (right == 0) {
            std::fprintf(stderr, "piyoran-bench-probe: no right slot\n");
            return 1;
        }
        form->slot(right).learnerClick();
        ++picks;
        application.processEvents();
        if (boxes.errors > 0)
            return 1;
    }
    form->owari.learnerClick();
    application.processEvents();
    if (!form->closed()) {
        std::fprintf(stderr, "piyoran-bench-probe: the window did not close\n");
        return 1;
    }
    report("picks=" + std::to_string(picks) + " boxes=" + std::to_string(boxes.shown)
           + " hwm=" + std::to_string(bench::peakResidentKiB()));
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    int qtArgc = 1;
    if (mode == "main")
        return startMain(qtArgc, argv);
    if (mode == "bare")
        return startBare(qtArgc, argv);
    if (mode == "run" && argc > 2)
        return runWhole(qtArgc, argv, argv[2]);
    std::fprintf(stderr, "usage: piyoran-bench-probe main | bare | run DIR\n");
    return 2;
}
