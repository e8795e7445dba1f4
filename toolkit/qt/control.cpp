#include "toolkit/control.h"

#include "toolkit/qt/accessible.h"
#include "toolkit/dispatch.h"
#include "toolkit/qt/focusmark.h"
#include "toolkit/form.h"
#include "toolkit/qt/bridge.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace toolkit {

Control::Control(Control* parent, std::string name, std::unique_ptr<Native> native)
    : name_(std::move(name)), parent_(parent), native_(std::move(native))
{
    native_->widget->setObjectName(qs(name_));
    attachControl(native_->widget, this);
    if (parent_) {
        form().adopt(*this);
        markFocus(widgetOf(form()), native_->widget);
    }
}

Control::~Control()
{
    // A form's controls die before the form; their widgets go with them.
    if (parent_)
        delete native_->widget;
}

void Control::setButtonNumber(int number)
{
    if (buttonNumber_ == 0)
        new KeyClicks(*this, native_->widget, true);
    buttonNumber_ = number;
    showAccessibleName();
}

void Control::showAccessibleName()
{
    if (buttonNumber_ != 0 && !text_.empty()) {
        native_->widget->setAccessibleName(shownLine(std::to_string(buttonNumber_) + ": " + text_));
        return;
    }
    const bool byCaption = namedByCaption() && !text_.empty();
    native_->widget->setAccessibleName(shownLine(byCaption || role_.empty() ? text_ : role_));
}

std::string Control::accessibleName() const
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(native_->widget);
    return face ? utf8(face->text(QAccessible::Name)) : std::string();
}

std::string Control::accessibleDescription() const
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(native_->widget);
    return face ? utf8(face->text(QAccessible::Description)) : std::string();
}

void Control::showColors()
{
    QPalette palette = native_->widget->palette();
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
    native_->widget->setPalette(palette);
    native_->widget->setAutoFillBackground(opaque_);
    colorsShown_ = true;
}

void Control::setFont(const Font& font)
{
    QFont qfont(qs(font.face));
    qfont.setPixelSize(font.pixelSize);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    native_->widget->setFont(qfont);
}

void Control::setVisible(bool visible)
{
    visible_ = visible;
    native_->widget->setVisible(visible);
}

void Control::setEnabled(bool enabled)
{
    enabled_ = enabled;
    native_->widget->setEnabled(enabled);
}

void Control::setBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    native_->widget->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

void Control::setHint(const std::string& hint)
{
    hint_ = hint;
    native_->widget->setToolTip(qs(hint));
    native_->widget->setAccessibleDescription(qs(hint));
}

void Control::setHandPointer()
{
    native_->widget->setCursor(Qt::PointingHandCursor);
}

void Control::bringToFront()
{
    native_->widget->raise();
}

void Control::sendToBack()
{
    native_->widget->lower();
}

KeyClicks::KeyClicks(Control& control, QObject* watched, bool box)
    : ControlWatcher(control, watched), box_(box)
{
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
    : ControlWatcher(control, watched), clicksOnRelease_(clicksOnRelease)
{
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
