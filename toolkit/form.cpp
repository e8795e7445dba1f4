// What a window is apart from the window system: which window is the active
// one, its release, its shortcuts and the names of its controls.

#include "toolkit/form.h"

#include "toolkit/dispatch.h"

namespace toolkit {

namespace {
// The window of the program that was last active; boxes are not windows of
// the program in this sense.
Form* lastActive = nullptr;
} // namespace

Form* activeWindow()
{
    return lastActive;
}

void Form::showCentred()
{
    placeCentred();
    show();
    // Window managers rarely give a splash the focus, and a page has none to
    // give; it stands for the program's active window all the same until
    // another window takes over.
    if (kind_ == Kind::Splash && !lastActive)
        lastActive = this;
}

void Form::stopBeingActive()
{
    if (lastActive == this)
        lastActive = nullptr;
}

void Form::closedByWindow()
{
    closed_ = true;
    stopBeingActive();
}

void Form::release()
{
    if (released_)
        return;
    released_ = true;
    stopBeingActive();
    hide();
    // The event in hand may still be this window's operation.
    destroyAfterEvent();
}

void Form::activated()
{
    if (lastActive == this)
        return;
    Form* previous = lastActive;
    lastActive = this;
    if (previous && previous->onDeactivate)
        dispatch(previous->onDeactivate);
    if (onActivate)
        dispatch(onActivate);
}

bool Form::pressShortcut(const std::string& key)
{
    const auto found = shortcuts_.find(key);
    if (found == shortcuts_.end())
        return false;
    dispatch(found->second);
    return true;
}

Control* Form::findControl(const std::string& name) const
{
    if (name == this->name())
        return const_cast<Form*>(this);
    for (Control* control : controls_)
        if (control->name() == name)
            return control;
    return nullptr;
}

} // namespace toolkit
