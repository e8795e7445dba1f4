#pragma once

#include <functional>

namespace toolkit {

// Runs the operation of one event. This is the only place where errors are
// caught: the operation stops where it failed, what it set stays, and the
// error box shows the message. An event that arrives while another event's
// operation is still running (a timer tick during a modal box) is dropped,
// so no operation ever runs inside another.
void dispatch(const std::function<void()>& operation);

// True while an event's operation is running.
bool dispatching();

} // namespace toolkit
