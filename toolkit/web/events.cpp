// Where the page's events enter the program: each is handed to its control,
// window or timer, which runs its operation through the event dispatch, as
// the desktop's widgets do.

#include "toolkit/controls.h"
#include "toolkit/filelist.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"
#include "toolkit/web/native.h"
#include "toolkit/web/page.h"

#include <map>
#include <string>

namespace toolkit {

namespace {

std::map<int, Control*>& controls()
{
    static std::map<int, Control*> byId;
    return byId;
}

std::map<int, Timer*>& timers()
{
    static std::map<int, Timer*> byId;
    return byId;
}

int nextId = 0;

// Tab and Shift+Tab move the focus along the window's keyboard order,
// passing over what a learner cannot reach.
void moveFocus(Form& window, Control* from, bool backwards)
{
    const std::vector<Control*>& order = tabOrderOf(window);
    if (order.empty())
        return;
    const int count = static_cast<int>(order.size());
    int at = -1;
    for (int i = 0; i < count; ++i)
        if (order[static_cast<std::size_t>(i)] == from)
            at = i;
    for (int step = 1; step <= count; ++step) {
        const int next = at < 0 && backwards ? count - step : ((at + (backwards ? -step : step)) % count + count) % count;
        Control* candidate = order[static_cast<std::size_t>(next)];
        if (candidate->reachable()) {
            window.focus(*candidate);
            return;
        }
    }
}

// The keys the desktop's widgets react to: Enter on a button, the book list
// or a box picked by clicking (Space on those two too), the function keys
// anywhere in the window, the arrows in the book list, Tab everywhere.
void keyPressed(Control* focused, int code, bool shift)
{
    Form* window = focused ? &focused->form() : activeWindow();
    if (!window || window->released())
        return;
    if (code >= page::F1 && code < page::F1 + 12) {
        window->pressShortcut("F" + std::to_string(code - page::F1 + 1));
        return;
    }
    if (code == page::Tab) {
        moveFocus(*window, focused, shift);
        return;
    }
    if (!focused || !focused->reachable())
        return;
    if (auto* list = dynamic_cast<FileListBox*>(focused)) {
        if (code == page::Up || code == page::Down) {
            const int next = list->itemIndex() + (code == page::Down ? 1 : -1);
            if (next >= 0 && next < list->itemCount())
                list->setItemIndex(next);
        } else if (code == page::Enter) {
            list->learnerClick();
        }
        return;
    }
    if (auto* edit = dynamic_cast<Edit*>(focused)) {
        if (code == page::Enter)
            edit->typeKey(13);
        return;
    }
    const bool clickable = dynamic_cast<Button*>(focused) || focused->buttonNumber() != 0;
    if (clickable && (code == page::Enter || code == page::Space))
        focused->learnerClick();
}

} // namespace

void registerControl(int id, Control* control)
{
    controls()[id] = control;
}

void forgetControl(int id)
{
    controls().erase(id);
}

Control* controlById(int id)
{
    const auto found = controls().find(id);
    return found == controls().end() ? nullptr : found->second;
}

std::unique_ptr<Control::Native> pageElement(const char* kind, const Control& parent)
{
    const int id = ++nextId;
    page_create(id, kind, idOf(parent));
    auto native = std::make_unique<Control::Native>();
    native->id = id;
    return native;
}

std::unique_ptr<Control::Native> pageWindow(const char* role)
{
    const int id = ++nextId;
    page_create_form(id, role);
    auto native = std::make_unique<Control::Native>();
    native->id = id;
    return native;
}

int registerTimer(Timer* timer)
{
    const int id = ++nextId;
    timers()[id] = timer;
    return id;
}

void forgetTimer(int id)
{
    timers().erase(id);
}

} // namespace toolkit

// The page runtime's one way into the program (runtime.js, connect()).
extern "C" EMSCRIPTEN_KEEPALIVE void piyoranEvent(int id, int kind, int x, int y)
{
    using namespace toolkit;
    destroyReleasedWindows();
    if (kind == page::Tick) {
        const auto found = timers().find(id);
        if (found != timers().end())
            found->second->fire();
        return;
    }
    Control* control = controlById(id);
    switch (kind) {
    case page::Click:
        // A click on a bare window does nothing, as on the desktop.
        if (control && control->parent())
            control->learnerClick();
        break;
    case page::Move:
        if (control)
            control->pointerMoved(x, y);
        break;
    case page::Key:
        keyPressed(control, x, y != 0);
        break;
    case page::Char:
        if (auto* edit = dynamic_cast<Edit*>(control))
            edit->typeKey(static_cast<char>(x));
        break;
    default:
        break;
    }
}
