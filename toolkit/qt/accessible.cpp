#include "toolkit/qt/accessible.h"

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/qt/widget.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace toolkit {

namespace {

constexpr const char* kControlKey = "toolkit.control";

Control* controlOf(QObject* object)
{
    const QVariant control = object->property(kControlKey);
    return control.isValid() ? static_cast<Control*>(control.value<void*>()) : nullptr;
}

// Whether the control widget siblings[index] can be seen in its parent's
// area: shown, inside it, and not covered whole by a shown box above it
// (later siblings lie above). Only widgets are asked, never their controls,
// so this holds while a window's controls are being destroyed.
bool inSightAmong(const QObjectList& siblings, qsizetype index, const QRect& parentArea)
{
    const auto* widget = static_cast<const QWidget*>(siblings[index]);
    const QRect area = widget->geometry();
    if (widget->isHidden() || widget->isWindow() || !area.intersects(parentArea))
        return false;
    for (qsizetype above = index + 1; above < siblings.size(); ++above) {
        const auto* other = qobject_cast<const QWidget*>(siblings[above]);
        if (other && controlOf(siblings[above]) && !other->isHidden() && other->autoFillBackground()
            && other->geometry().contains(area))
            return false;
    }
    return true;
}

// A window or a panel: it offers the controls that can be seen in it, and
// nothing else of what it holds.
class SeenChildren : public QAccessibleWidget {
public:
    SeenChildren(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    int childCount() const override { return static_cast<int>(seen().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QWidgetList children = seen();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index])
                                                     : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? static_cast<int>(seen().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QWidgetList seen() const
    {
        QWidgetList seen;
        const QObjectList& children = widget()->children();
        for (qsizetype i = 0; i < children.size(); ++i)
            if (controlOf(children[i]) && inSightAmong(children, i, widget()->rect()))
                seen.append(static_cast<QWidget*>(children[i]));
        return seen;
    }
};

// A label, a multi-line box, a flat button or a picture, with nothing inside
// it for a screen reader. What it is is decided when asked, because a box
// becomes a button after its widget was made: a button (a check box where it
// stays down) that a screen reader presses as a learner clicks, else text to
// read, else a picture.
class Leaf : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    Leaf(QWidget* widget, Control& control) : QAccessibleWidget(widget), control_(control) {}
    using QAccessibleWidget::text;

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QAccessible::Role role() const override
    {
        if (pressable())
            return checkable() ? QAccessible::CheckBox : QAccessible::Button;
        if (qobject_cast<QLabel*>(widget()))
            return QAccessible::StaticText;
        if (qobject_cast<QPlainTextEdit*>(widget()))
            return QAccessible::EditableText;
        return QAccessible::Graphic;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (checkable()) {
            state.checkable = true;
            state.checked = static_cast<QAbstractButton*>(widget())->isChecked();
        } else if (role() == QAccessible::EditableText) {
            state.readOnly = true;
            state.multiLine = true;
        }
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (pressable() && widget()->isEnabled())
            names << pressAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != pressAction() || !pressable()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (!widget()->isEnabled() || !inSight(widget()))
            return;
        // Pressed once the screen reader's call has been answered: the click
        // may open a modal box, which would hold the answer back.
        Control* control = &control_;
        QMetaObject::invokeMethod(widget(), [control] { control->learnerClick(); }, Qt::QueuedConnection);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface && readable())
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The text as shown, to be read; nothing in it can be selected.
    QString text(int startOffset, int endOffset) const override
    {
        const QString all = shown();
        const auto end = endOffset < 0 || endOffset > all.size() ? all.size() : endOffset;
        const auto start = std::clamp<qsizetype>(startOffset, 0, end);
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    bool pressable() const { return control_.buttonNumber() != 0 || qobject_cast<QAbstractButton*>(widget()); }
    bool checkable() const
    {
        const auto* button = qobject_cast<QAbstractButton*>(widget());
        return button && button->isCheckable();
    }
    bool readable() const
    {
        const QAccessible::Role shownAs = role();
        return shownAs == QAccessible::StaticText || shownAs == QAccessible::EditableText;
    }
    QString shown() const
    {
        if (const auto* label = qobject_cast<QLabel*>(widget()))
            return label->text();
        if (const auto* box = qobject_cast<QPlainTextEdit*>(widget()))
            return box->toPlainText();
        return {};
    }

    Control& control_;
};

QAccessibleInterface* faceOf(const QString&, QObject* object)
{
    Control* control = controlOf(object);
    if (!control)
        return nullptr;
    QWidget* widget = widgetOf(*control);
    if (dynamic_cast<Form*>(control))
        return new SeenChildren(widget, QAccessible::Window);
    if (dynamic_cast<Panel*>(control))
        return new SeenChildren(widget, QAccessible::Pane);
    if (dynamic_cast<Label*>(control) || dynamic_cast<Memo*>(control) || dynamic_cast<SpeedButton*>(control)
        || dynamic_cast<Image*>(control))
        return new Leaf(widget, *control);
    // One-line boxes, push buttons, the file list and the filter selector
    // keep the faces Qt gives them.
    return nullptr;
}

} // namespace

void attachControl(QWidget* widget, Control* control)
{
    widget->setProperty(kControlKey, QVariant::fromValue(static_cast<void*>(control)));
}

bool inSight(QWidget* widget)
{
    for (; !widget->isWindow(); widget = widget->parentWidget()) {
        const QObjectList& siblings = widget->parentWidget()->children();
        if (!inSightAmong(siblings, siblings.indexOf(widget), widget->parentWidget()->rect()))
            return false;
    }
    return !widget->isHidden();
}

void installScreenReaderFaces()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(faceOf);
    installed = true;
}

} // namespace toolkit
