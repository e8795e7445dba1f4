// piyoran-bench-x: start-up on a real X server, to the main window mapped.
//
//   piyoran-bench-x [--repeat N] [--warm-up N] [--settle MS] NAME=COMMAND...
//
// Each round starts every COMMAND once, in turn, as a fresh process, so the
// programs are compared in the same run under the same conditions. The time
// runs from just before the spawn to the moment this watcher is woken by the
// X server's MapNotify for the program's main window: a top-level window that
// is not override-redirect, whose _NET_WM_PID is the process, whose type is
// normal (not a splash or a dialog), and which is at least 200 x 150. The
// watcher selects SubstructureNotify on the root window and sleeps in poll()
// until the server writes, so its cost is the same for every program. After
// SETTLE milliseconds the process's VmHWM is read, and it is terminated.
//
// Prints, for each program, the median, minimum and maximum of the mapped
// times and the median VmHWM; the warm-up rounds (which fill the caches a
// first start needs) are not counted.

#include "bench/measures.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using bench::median;
using bench::monotonicNs;

struct Program {
    std::string name;
    std::vector<std::string> argv;
    std::vector<double> mappedMs;
    std::vector<double> hwmMiB;
    int failures = 0;
};

class Watcher {
public:
    explicit Watcher(Display* display) : display_(display), root_(DefaultRootWindow(display))
    {
        XSelectInput(display_, root_, SubstructureNotifyMask);
        pidAtom_ = XInternAtom(display_, "_NET_WM_PID", False);
        typeAtom_ = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
        normalAtom_ = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_NORMAL", False);
        nameAtom_ = XInternAtom(display_, "_NET_WM_NAME", False);
        utf8Atom_ = XInternAtom(display_, "UTF8_STRING", False);
        XSync(display_, False);
    }

    // Discards whatever the server has said so far.
    void drain()
    {
        XSync(display_, False);
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
        }
    }

    // Waits until pid maps its main window; returns the monotonic time at
    // which the watcher learnt of it, or 0 at the deadline or if pid ends.
    long long waitForMainWindow(pid_t pid, long long deadlineNs, std::string& seen)
    {
        const int fd = ConnectionNumber(display_);
        while (monotonicNs() < deadlineNs) {
            long long wokeNs = monotonicNs();
            if (!XPending(display_)) {
                pollfd waiting{fd, POLLIN, 0};
                const int ready = poll(&waiting, 1, 50);
                wokeNs = monotonicNs();
                if (ready <= 0) {
                    if (waitpid(pid, nullptr, WNOHANG) == pid)
                        return 0;
                    continue;
                }
            }
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type == MapNotify && !event.xmap.override_redirect
                    && isMainWindow(event.xmap.window, pid, seen))
                    return wokeNs;
            }
        }
        return 0;
    }

private:
    bool isMainWindow(Window window, pid_t pid, std::string& seen)
    {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display_, window, &attributes))
            return false;
        if (attributes.width < 200 || attributes.height < 150)
            return false;
        long windowPid = -1;
        if (unsigned char* data = property(window, pidAtom_, XA_CARDINAL)) {
            windowPid = *reinterpret_cast<long*>(data);
            XFree(data);
        }
        if (windowPid != pid)
            return false;
        Atom atomType;
        int format;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        bool normal = true;
        if (XGetWindowProperty(display_, window, typeAtom_, 0, 16, False, XA_ATOM, &atomType, &format, &count,
                               &after, &data)
                == Success
            && data) {
            normal = false;
            const Atom* types = reinterpret_cast<Atom*>(data);
            for (unsigned long i = 0; i < count; ++i)
                normal = normal || types[i] == normalAtom_;
            XFree(data);
        }
        if (!normal)
            return false;
        std::string title;
        if (XGetWindowProperty(display_, window, nameAtom_, 0, 256, False, utf8Atom_, &atomType, &format, &count,
                               &after, &data)
                == Success
            && data) {
            title.assign(reinterpret_cast<const char*>(data), count);
            XFree(data);
        }
        seen = "\"" + title + "\" " + std::to_string(attributes.width) + "x" + std::to_string(attributes.height);
        return true;
    }

    unsigned char* property(Window window, Atom atom, Atom type)
    {
        Atom actual;
        int format;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, window, atom, 0, 1, False, type, &actual, &format, &count, &after, &data)
                != Success
            || count == 0) {
            if (data)
                XFree(data);
            return nullptr;
        }
        return data;
    }

    Display* display_;
    Window root_;
    Atom pidAtom_, typeAtom_, normalAtom_, nameAtom_, utf8Atom_;
};

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// One start of the program: the mapped time in ms (or -1), and its VmHWM.
double measure(Watcher& watcher, Program& program, int settleMs, bool counted)
{
    std::vector<char*> argv;
    for (std::string& arg : program.argv)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    watcher.drain();
    pid_t pid = 0;
    const long long startNs = monotonicNs();
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        std::fprintf(stderr, "piyoran-bench-x: cannot start %s: %s\n", argv[0], std::strerror(failed));
        ++program.failures;
        return -1;
    }
    std::string seen;
    const long long mappedNs = watcher.waitForMainWindow(pid, startNs + 30'000'000'000LL, seen);
    if (mappedNs == 0) {
        std::fprintf(stderr, "piyoran-bench-x: %s mapped no main window\n", program.name.c_str());
        ++program.failures;
        stop(pid);
        return -1;
    }
    const double ms = static_cast<double>(mappedNs - startNs) * 1e-6;
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long hwm = bench::peakResidentKiB(std::to_string(pid));
    stop(pid);
    std::printf("  %-10s %8.1f ms  VmHWM %6.1f MiB  %s%s\n", program.name.c_str(), ms, hwm / 1024.0,
                seen.c_str(), counted ? "" : "  (warm-up)");
    std::fflush(stdout);
    if (counted) {
        program.mappedMs.push_back(ms);
        if (hwm > 0)
            program.hwmMiB.push_back(hwm / 1024.0);
    }
    return ms;
}

int usage()
{
    std::fprintf(stderr, "usage: piyoran-bench-x [--repeat N] [--warm-up N] [--settle MS] NAME=COMMAND...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int repeat = 15, warmUps = 2, settleMs = 1000;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--repeat" || arg == "--warm-up" || arg == "--settle") && i + 1 < argc) {
            const int value = std::atoi(argv[++i]);
            (arg == "--repeat" ? repeat : arg == "--warm-up" ? warmUps : settleMs) = value;
            continue;
        }
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos || equals == 0)
            return usage();
        Program program;
        program.name = arg.substr(0, equals);
        std::istringstream words(arg.substr(equals + 1));
        for (std::string word; words >> word;)
            program.argv.push_back(word);
        if (program.argv.empty())
            return usage();
        programs.push_back(std::move(program));
    }
    if (programs.empty() || repeat < 1)
        return usage();

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "piyoran-bench-x: no X display (DISPLAY=%s)\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
        return 2;
    }
    Watcher watcher(display);
    for (int round = 0; round < warmUps + repeat; ++round)
        for (Program& program : programs)
            measure(watcher, program, settleMs, round >= warmUps);

    // The ratio first: it is what is asked of the program; the times after it
    // say how loaded the machine was.
    std::printf("\n");
    if (programs.size() >= 2) {
        const double first = median(programs[0].mappedMs);
        const double second = median(programs[1].mappedMs);
        if (first > 0 && second > 0)
            std::printf("%s / %s = %.2f (target: at most 0.25)\n", programs[0].name.c_str(),
                        programs[1].name.c_str(), first / second);
    }
    std::printf("\n%-12s %14s %10s %10s %14s\n", "program", "mapped median", "min", "max", "VmHWM median");
    bool ok = true;
    for (const Program& program : programs) {
        const auto [low, high] = std::minmax_element(program.mappedMs.begin(), program.mappedMs.end());
        std::printf("%-12s %11.1f ms %7.1f ms %7.1f ms %10.1f MiB\n", program.name.c_str(),
                    median(program.mappedMs), program.mappedMs.empty() ? -1.0 : *low,
                    program.mappedMs.empty() ? -1.0 : *high, median(program.hwmMiB));
        ok = ok && program.failures == 0;
    }
    XCloseDisplay(display);
    return ok ? 0 : 1;
}
