#include "toolkit/qt/focusmark.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace toolkit {

namespace {

constexpr const char* kMarkName = "toolkit-focus-mark";
// The ring straddles the control's edge: a yellow band between two black
// lines reads on the navy choices, the black question lines and the light
// book list alike.
constexpr int kOutside = 2;

// One mark per window, above the controls, letting the pointer through.
class FocusMark : public QWidget {
public:
    explicit FocusMark(QWidget* window) : QWidget(window)
    {
        setObjectName(kMarkName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
                byKeyboard_ = true;
            break;
        }
        case QEvent::FocusIn:
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
                byKeyboard_ = false;
            follow(static_cast<QWidget*>(watched));
            break;
        case QEvent::FocusOut:
            hide();
            break;
        default:
            break;
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect all = rect();
        ring(painter, all, 1, Qt::black);
        ring(painter, all.adjusted(1, 1, -1, -1), 2, QColor(255, 204, 0));
        ring(painter, all.adjusted(3, 3, -3, -3), 1, Qt::black);
    }

private:
    static void ring(QPainter& painter, const QRect& outer, int width, const QColor& color)
    {
        painter.fillRect(outer.x(), outer.y(), outer.width(), width, color);
        painter.fillRect(outer.x(), outer.bottom() - width + 1, outer.width(), width, color);
        painter.fillRect(outer.x(), outer.y(), width, outer.height(), color);
        painter.fillRect(outer.right() - width + 1, outer.y(), width, outer.height(), color);
    }

    void follow(QWidget* focused)
    {
        const QRect area(focused->mapTo(parentWidget(), QPoint(0, 0)), focused->size());
        if (!byKeyboard_ || !focused->isVisible() || !parentWidget()->rect().intersects(area)) {
            hide();
            return;
        }
        setGeometry(area.adjusted(-kOutside, -kOutside, kOutside, kOutside));
        raise();
        show();
    }

    bool byKeyboard_ = false;
};

} // namespace

void markFocus(QWidget* window, QWidget* control)
{
    auto* mark = static_cast<FocusMark*>(window->findChild<QWidget*>(kMarkName, Qt::FindDirectChildrenOnly));
    if (!mark)
        mark = new FocusMark(window);
    control->installEventFilter(mark);
}

} // namespace toolkit
