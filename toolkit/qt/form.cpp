#include "toolkit/form.h"

#include "toolkit/dispatch.h"
#include "toolkit/qt/bridge.h"
#include "toolkit/qt/xpm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

namespace toolkit {

class FormWatcher : public Watcher {
public:
    explicit FormWatcher(Form& form) : Watcher(widgetOf(form)), form_(form)
    {
        widgetOf(form)->setMouseTracking(true);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != widgetOf(form_) || form_.released())
            return false;
        switch (event->type()) {
        case QEvent::WindowActivate:
            form_.activated();
            break;
        case QEvent::MouseMove: {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            form_.pointerMoved(at.x(), at.y());
            break;
        }
        case QEvent::Close:
            form_.closedByWindow();
            break;
        default:
            break;
        }
        return false;
    }

private:
    Form& form_;
};

Form::Form(std::string name, Kind kind) : Control(nullptr, std::move(name), nativeWidget(new QWidget)), kind_(kind)
{
    QWidget* window = widgetOf(*this);
    if (kind == Kind::Splash) {
        window->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    } else {
        window->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                               | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    }
    new FormWatcher(*this);
}

Form::~Form()
{
    stopBeingActive();
    delete widgetOf(*this);
}

void Form::showText()
{
    widgetOf(*this)->setWindowTitle(qs(text()));
}

void Form::setClientSize(int width, int height)
{
    widgetOf(*this)->setFixedSize(width, height);
    setBounds(left(), top(), width, height);
}

void Form::setIcon(const std::string& resource)
{
    widgetOf(*this)->setWindowIcon(QIcon(QPixmap::fromImage(xpmResource(resource))));
}

void Form::placeCentred()
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        widgetOf(*this)->move(centredInside(screen->availableGeometry(), widgetOf(*this)->size()));
}

void Form::paintNow()
{
    widgetOf(*this)->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Form::close()
{
    widgetOf(*this)->close();
}

void Form::destroyAfterEvent()
{
    QMetaObject::invokeMethod(qApp, [this] { delete this; }, Qt::QueuedConnection);
}

void Form::activate()
{
    widgetOf(*this)->activateWindow();
}

bool Form::savePicture(const std::string& path)
{
    return widgetOf(*this)->grab().save(qs(path), "PNG");
}

void Form::setTabOrder(const std::vector<Control*>& order)
{
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(widgetOf(*order[i]), widgetOf(*order[i + 1]));
}

void Form::focus(Control& control)
{
    widgetOf(control)->setFocus(Qt::OtherFocusReason);
}

void Form::addShortcut(const std::string& key, std::function<void()> operation)
{
    shortcuts_[key] = operation;
    auto* shortcut = new QShortcut(QKeySequence(qs(key)), widgetOf(*this));
    shortcut->setContext(Qt::WindowShortcut);
    // A held key runs the operation once, not again with every repeat.
    shortcut->setAutoRepeat(false);
    QObject::connect(shortcut, &QShortcut::activated, shortcut, [this, key] { pressShortcut(key); });
}

} // namespace toolkit
