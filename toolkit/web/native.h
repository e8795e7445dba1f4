#pragma once

// Private to the toolkit's web side: the page element behind a control, and
// the tables through which the page's events find their control or timer.

#include "toolkit/control.h"

#include <memory>
#include <string>
#include <vector>

namespace toolkit {

class Timer;

struct Control::Native {
    int id;
    // What the control last told screen readers.
    std::string accessibleName;
    // A label's alignment and wrapping, which the page takes together.
    bool centreH = false;
    bool centreV = false;
    bool wrap = false;
};

// A new element of the page runtime's kind ("label", "memo" ...) in the
// parent's element.
std::unique_ptr<Control::Native> pageElement(const char* kind, const Control& parent);
// A new window of the page: "main" or "splash".
std::unique_ptr<Control::Native> pageWindow(const char* role);

// Shows a control's text in its element, each line cut to what a box can
// show.
void showTextOnPage(const Control& control, const std::string& text);

inline int idOf(const Control& control)
{
    return control.native().id;
}

// The controls and timers the page's events are meant for, by id.
void registerControl(int id, Control* control);
void forgetControl(int id);
Control* controlById(int id);
int registerTimer(Timer* timer);
void forgetTimer(int id);

// Destroys the windows released since the last call (Form::release).
void destroyReleasedWindows();

// The keyboard order of a window's box controls (Form::setTabOrder).
const std::vector<Control*>& tabOrderOf(const Form& window);

} // namespace toolkit
