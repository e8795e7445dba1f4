#pragma once

// Private to the toolkit: the glue between a control and its Qt widget.

#include "toolkit/color.h"
#include "toolkit/qt/widget.h"
#include "toolkit/textlines.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <algorithm>
#include <string>

namespace toolkit {

class Control;

inline QString qs(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A line of text as a box shows it (a wrapped line of millions without a
// break would take Qt hours to lay out).
inline QString shownLine(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(shownLength(text)));
}

inline std::string utf8(const QString& text)
{
    return text.toStdString();
}

inline QColor qcolor(Color color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// Where a window of the given size stands centred in the screen's free
// area, moved inside it where it would cross an edge; a window larger than
// the area keeps its top-left corner, and with it the title bar, in view.
inline QPoint centredInside(const QRect& area, const QSize& size)
{
    const QPoint centred = area.center() - QPoint(size.width() / 2, size.height() / 2);
    return {std::max(area.left(), std::min(centred.x(), area.right() + 1 - size.width())),
            std::max(area.top(), std::min(centred.y(), area.bottom() + 1 - size.height()))};
}

// An event filter that lives as long as the object it watches: made with
// new on that object, which owns it from then on.
class Watcher : public QObject {
public:
    explicit Watcher(QObject* watched) : QObject(watched) { watched->installEventFilter(this); }
};

// A watcher that hands what it sees on a widget to the widget's control.
class ControlWatcher : public Watcher {
protected:
    ControlWatcher(Control& control, QObject* watched) : Watcher(watched), control_(control) {}
    Control& control_;
};

// Watches a widget's pointer and button events for its control. Pointer
// moves are taken here, so they never fall through to the window beneath.
class EventBridge : public ControlWatcher {
public:
    EventBridge(Control& control, QObject* watched, bool clicksOnRelease);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool clicksOnRelease_;
    bool pressed_ = false;
};

// Enter on the watched widget does what a learner's click on its control
// does (a focused button, the selected file of a list); on a box that acts
// as a button, Space too, while the box can be seen.
class KeyClicks : public ControlWatcher {
public:
    KeyClicks(Control& control, QObject* watched, bool box);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool box_;
};

} // namespace toolkit
