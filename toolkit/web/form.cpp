#include "toolkit/form.h"

#include "toolkit/dispatch.h"
#include "toolkit/web/native.h"
#include "toolkit/web/page.h"

#include <map>

namespace toolkit {

namespace {
// Windows released while an event was handled, destroyed before the next.
std::vector<Form*> releasedWindows;

std::map<const Form*, std::vector<Control*>>& tabOrders()
{
    static std::map<const Form*, std::vector<Control*>> orders;
    return orders;
}
} // namespace

const std::vector<Control*>& tabOrderOf(const Form& window)
{
    return tabOrders()[&window];
}

Form::Form(std::string name, Kind kind)
    : Control(nullptr, std::move(name), pageWindow(kind == Kind::Splash ? "splash" : "main")), kind_(kind)
{
}

Form::~Form()
{
    stopBeingActive();
    tabOrders().erase(this);
    page_destroy(idOf(*this));
}

void Form::showText()
{
    page_set_text(idOf(*this), text().c_str());
}

void Form::setClientSize(int width, int height)
{
    page_set_client_size(idOf(*this), width, height);
    setBounds(left(), top(), width, height);
}

void Form::setIcon(const std::string&)
{
    // The page's icons are the site's (icons/, the manifest).
}

void Form::placeCentred()
{
    // The page centres every window on its stage.
}

void Form::paintNow()
{
    // The page draws once the program gives it back control.
}

void Form::close()
{
    if (closed_)
        return;
    page_close_form(idOf(*this));
    closedByWindow();
    // A tab cannot close itself: the page says the program has ended.
    if (kind_ == Kind::Main)
        page_end();
}

void Form::destroyAfterEvent()
{
    // The window goes before the next event.
    releasedWindows.push_back(this);
}

void destroyReleasedWindows()
{
    std::vector<Form*> going;
    going.swap(releasedWindows);
    for (Form* window : going)
        delete window;
}

void Form::activate()
{
    // A page has no window manager: the window shown last is the active one
    // at once.
    if (!released_)
        activated();
}

bool Form::savePicture(const std::string& path)
{
    // The page's windows are drawn by the browser: a picture of them is a
    // screenshot, which only what drives the browser can take (a test's
    // driver); the page waits for it.
    return page_save_picture(path.c_str()) != 0;
}

void Form::setTabOrder(const std::vector<Control*>& order)
{
    tabOrders()[this] = order;
}

void Form::focus(Control& control)
{
    page_focus(idOf(control));
}

void Form::addShortcut(const std::string& key, std::function<void()> operation)
{
    // The page sends the function keys to the program (events.cpp).
    shortcuts_[key] = operation;
}

} // namespace toolkit
