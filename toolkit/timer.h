#pragma once

#include <functional>
#include <memory>

class QTimer;

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
    // timer is enabled; a disabled timer's tick does nothing.
    void fire();

    // Under a test or the scenario runner timers never tick by themselves.
    static void setManual(bool manual);

    std::function<void()> onTimer;

private:
    void restart();

    std::unique_ptr<QTimer> timer_;
    int interval_ = 1000;
    bool enabled_ = true;
};

} // namespace toolkit
