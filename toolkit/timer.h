#pragma once

#include <functional>
#include <memory>

namespace toolkit {

// While enabled, the tick operation runs every Interval milliseconds, on the
// user-interface thread between other operations. Changing either value
// restarts the count.
class Timer {
public:
    Timer();
    ~Timer();
    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // Runs the tick operation by hand, through the event dispatch, when the
    // timer is enabled; a disabled timer's tick does nothing. Under a test or
    // the scenario runner this is the only way a timer ticks
    // (Application::setManualTimers).
    void fire();

    std::function<void()> onTimer;

private:
    // Starts the count again, or stops it.
    void restart();

    struct Native;
    std::unique_ptr<Native> native_;
    int interval_ = 1000;
    bool enabled_ = true;
};

} // namespace toolkit
