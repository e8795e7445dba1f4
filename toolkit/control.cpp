#include "toolkit/control.h"

#include "toolkit/accessible.h"
#include "toolkit/dispatch.h"
#include "toolkit/focusmark.h"
#include "toolkit/form.h"
#include "toolkit/qtbridge.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace toolkit {

Control::Control(Control* parent, std::string name, QWidget* widget)
    : name_(std::move(name)), parent_(parent), widget_(widget)
{
    widget_->setObjectName(qs(name_));
    attachControl(widget_, this);
    if (parent_) {
        form().adopt(*this);
        markFocus(form().widget(), widget_);
    }
}

Control::~Control()
{
    // A form's controls die before the form; their widgets go with them.
    if (parent_)
        delete widget_;
}

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

void Control::setButtonNumber(int number)
{
    if (buttonNumber_ == 0)
        new KeyClicks(*this, widget_, true);
    buttonNumber_ = number;
    showAccessibleName();
}

void Control::showAccessibleName()
{
    if (buttonNumber_ != 0 && !text_.empty()) {
        widget_->setAccessibleName(shownLine(std::to_string(buttonNumber_) + ": " + text_));
        return;
    }
    const bool byCaption = namedByCaption() && !text_.empty();
    widget_->setAccessibleName(shownLine(byCaption || role_.empty() ? text_ : role_));
}

std::string Control::accessibleName() const
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget_);
    return face ? utf8(face->text(QAccessible::Name)) : std::string();
}

std::string Control::accessibleDescription() const
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget_);
    return face ? utf8(face->text(QAccessible::Description)) : std::string();
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

void Control::showColors()
{
    QPalette palette = widget_->palette();
    const QColor back = qcolor(color_);
    const QColor fore = qcolor(fontColor_);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        if (opaque_) {
            palette.setColor(group, QPalette::Window, back);
            palette.setColor(group, QPalette::Base, back);
            palette.setColor(group, QPalette::Button, back);
        }
        if (group != QPalette::Disabled) {
            palette.setColor(group, QPalette::WindowText, fore);
            palette.setColor(group, QPalette::Text, fore);
            palette.setColor(group, QPalette::ButtonText, fore);
        }
    }
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(opaque_);
    colorsShown_ = true;
}

void Control::setFont(const Font& font)
{
    QFont qfont(qs(font.face));
    qfont.setPixelSize(font.pixelSize);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    widget_->setFont(qfont);
}

void Control::setVisible(bool visible)
{
    visible_ = visible;
    widget_->setVisible(visible);
}

void Control::setEnabled(bool enabled)
{
    enabled_ = enabled;
    widget_->setEnabled(enabled);
}

void Control::setLeft(int left)
{
    setBounds(left, top_, width_, height_);
}

void Control::setWidth(int width)
{
    setBounds(left_, top_, width, height_);
}

void Control::setBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    widget_->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

void Control::setHint(const std::string& hint)
{
    hint_ = hint;
    widget_->setToolTip(qs(hint));
    widget_->setAccessibleDescription(qs(hint));
}

void Control::setHandPointer()
{
    widget_->setCursor(Qt::PointingHandCursor);
}

void Control::bringToFront()
{
    widget_->raise();
}

void Control::sendToBack()
{
    widget_->lower();
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

KeyClicks::KeyClicks(Control& control, QObject* watched, bool box)
    : QObject(watched), control_(control), box_(box)
{
    watched->installEventFilter(this);
}

bool KeyClicks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && !(box_ && key == Qt::Key_Space))
        return false;
    // A held key clicks once: its repeats are taken and do nothing. A box
    // that the pointer cannot reach, under another, is not clicked either.
    if (!static_cast<QKeyEvent*>(event)->isAutoRepeat() && (!box_ || inSight(static_cast<QWidget*>(watched))))
        control_.learnerClick();
    return true;
}

EventBridge::EventBridge(Control& control, QObject* watched, bool clicksOnRelease)
    : QObject(watched), control_(control), clicksOnRelease_(clicksOnRelease)
{
    watched->installEventFilter(this);
    if (auto* widget = qobject_cast<QWidget*>(watched))
        widget->setMouseTracking(true);
}

bool EventBridge::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPoint at = move->position().toPoint();
        control_.pointerMoved(at.x(), at.y());
        return move->buttons() == Qt::NoButton;
    }
    case QEvent::MouseButtonPress:
        if (clicksOnRelease_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            pressed_ = true;
        break;
    case QEvent::MouseButtonRelease:
        if (clicksOnRelease_ && pressed_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            pressed_ = false;
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                control_.learnerClick();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace toolkit
