#include "toolkit/timer.h"

#include "toolkit/application.h"
#include "toolkit/web/native.h"
#include "toolkit/web/page.h"

namespace toolkit {

struct Timer::Native {
    int id;
};

Timer::Timer() : native_(std::make_unique<Native>())
{
    native_->id = registerTimer(this);
}

Timer::~Timer()
{
    page_stop_timer(native_->id);
    forgetTimer(native_->id);
}

void Timer::restart()
{
    if (enabled_ && !Application::instance().manualTimers() && interval_ > 0)
        page_set_timer(native_->id, interval_);
    else
        page_stop_timer(native_->id);
}

} // namespace toolkit
