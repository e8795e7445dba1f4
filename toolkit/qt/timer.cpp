#include "toolkit/timer.h"

#include "toolkit/application.h"

#include <QTimer>

namespace toolkit {

struct Timer::Native {
    QTimer qt;
};

Timer::Timer() : native_(std::make_unique<Native>())
{
    QObject::connect(&native_->qt, &QTimer::timeout, &native_->qt, [this] { fire(); });
}

Timer::~Timer() = default;

void Timer::restart()
{
    if (enabled_ && !Application::instance().manualTimers() && interval_ > 0)
        native_->qt.start(interval_);
    else
        native_->qt.stop();
}

} // namespace toolkit
