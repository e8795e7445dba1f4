#include "toolkit/timer.h"

#include "toolkit/dispatch.h"

namespace toolkit {

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

void Timer::fire()
{
    if (enabled_ && onTimer)
        dispatch(onTimer);
}

} // namespace toolkit
