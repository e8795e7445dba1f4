// What a control is and does apart from the window system: its state, the
// way its events enter the dispatch. Showing it is the window system's side.

#include "toolkit/control.h"

#include "toolkit/dispatch.h"
#include "toolkit/form.h"

namespace toolkit {

Form& Control::form()
{
    Control* control = this;
    while (control->parent_)
        control = control->parent_;
    return static_cast<Form&>(*control);
}

void Control::setText(const std::string& text)
{
    text_ = text;
    showText();
    if (namedByCaption() || buttonNumber_ != 0)
        showAccessibleName();
}

void Control::setRole(const std::string& role)
{
    role_ = role;
    showAccessibleName();
}

void Control::showText() {}

void Control::setColor(Color color)
{
    // The same palette again would change nothing but cost a palette change
    // through the widget and all its children (a pick sets five slots white).
    if (colorsShown_ && color == color_)
        return;
    color_ = color;
    showColors();
}

void Control::setFontColor(Color color)
{
    if (colorsShown_ && color == fontColor_)
        return;
    fontColor_ = color;
    showColors();
}

void Control::setLeft(int left)
{
    setBounds(left, top_, width_, height_);
}

void Control::setWidth(int width)
{
    setBounds(left_, top_, width, height_);
}

bool Control::reachable() const
{
    for (const Control* control = this; control; control = control->parent_)
        if (!control->visible_ || !control->enabled_)
            return false;
    return true;
}

void Control::learnerClick()
{
    if (!form().released())
        dispatch([this] { click(); });
}

void Control::pointerMoved(int x, int y)
{
    if (onMouseMove && !form().released())
        dispatch([this, x, y] { onMouseMove(x, y); });
}

} // namespace toolkit
