#include "toolkit/timer.h"

#include "toolkit/dispatch.h"

#include <QTimer>

namespace toolkit {

namespace {
bool manualTicks = false;
}

void Timer::setManual(bool manual)
{
    manualTicks = manual;
}

Timer::Timer() : timer_(std::make_unique<QTimer>())
{
    QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] { fire(); });
}

Timer::~Timer() = default;

void Timer::setInterval(int milliseconds)
{
    interval_ = milliseconds;
    restart();
}

void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    restart();
}

void Timer::restart()
{
    if (enabled_ && !manualTicks && interval_ > 0)
        timer_->start(interval_);
    else
        timer_->stop();
}

void Timer::fire()
{
    if (enabled_ && onTimer)
        dispatch(onTimer);
}

} // namespace toolkit
