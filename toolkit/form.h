#pragma once

#include "toolkit/control.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace toolkit {

// A window. Its caption is its text, its colour that of its bare surface,
// and pointer moves over that bare surface (not over a control) run
// onMouseMove. onActivate runs when it becomes the active window after
// another window of the program was (never on return from a modal box);
// onDeactivate runs when another window of the program becomes active.
class Form : public Control {
public:
    enum class Kind { Main, Splash };

    Form(std::string name, Kind kind);
    ~Form() override;

    void setClientSize(int width, int height);
    // The window's icon: an XPM picture built into the program.
    void setIcon(const std::string& resource);
    void showCentred();
    // Paints the window now, before the event loop runs.
    void paintNow();
    // Closes the window; closing the main window ends the program once the
    // running operation has returned.
    void close();
    bool closed() const { return closed_; }
    // Destroys the window, which must have been made with new, once the
    // event in hand has been handled. From the call on, the window takes no
    // more events, and a second call does nothing: the window system may
    // still activate a window that is on its way out.
    void release();
    bool released() const { return released_; }
    // Makes this the active window, as the window system does when it is
    // shown.
    void activate();
    // Saves a picture of the window as it would be seen.
    bool savePicture(const std::string& path);
    // Sets the keyboard order of the box controls.
    void setTabOrder(const std::vector<Control*>& order);
    void focus(Control& control);

    // A key that works anywhere in the window, such as "F1"; its operation
    // runs through the event dispatch.
    void addShortcut(const std::string& key, std::function<void()> operation);
    // Presses such a key as a learner would; false when there is none.
    bool pressShortcut(const std::string& key);

    std::function<void()> onActivate;
    std::function<void()> onDeactivate;

    // Every control of the window, in the order they were made.
    const std::vector<Control*>& controls() const { return controls_; }
    Control* findControl(const std::string& name) const;

protected:
    void showText() override;

private:
    friend class Control;
    friend class FormWatcher;
    void adopt(Control& control) { controls_.push_back(&control); }
    void activated();
    void closedByWindow();
    // The window system's part of showCentred() and release().
    void placeCentred();
    void destroyAfterEvent();
    // Closed, released or destroyed, it is no longer the active window.
    void stopBeingActive();

    std::vector<Control*> controls_;
    std::map<std::string, std::function<void()>> shortcuts_;
    Kind kind_;
    bool closed_ = false;
    bool released_ = false;
};

// The window of the program that was last active, or nullptr; boxes are not
// windows of the program in this sense.
Form* activeWindow();

} // namespace toolkit
