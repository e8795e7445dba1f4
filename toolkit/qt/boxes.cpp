// The window system's boxes: Qt dialogs, modal and centred on the screen.

#include "toolkit/application.h"
#include "toolkit/boxes.h"
#include "toolkit/qt/bridge.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace toolkit {

namespace {

// Carriage returns alone break lines in the box, as line feeds do.
QString boxText(const std::string& text)
{
    QString shown = qs(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void centre(QDialog& dialog)
{
    dialog.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(centredInside(screen->availableGeometry(), dialog.size()));
}

// The confirmation box: Enter answers はい, Escape キャンセル when it is
// offered (else いいえ), and closing the box counts as キャンセル.
class ConfirmationDialog : public QDialog {
public:
    ConfirmationDialog(const std::string& text, BoxButtons buttons)
    {
        setWindowTitle(QStringLiteral("確認"));
        setModal(true);
        auto* icon = new QLabel;
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
        icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(size, size));
        auto* message = new QLabel(boxText(text));
        auto* row = new QHBoxLayout;
        row->addWidget(icon, 0, Qt::AlignTop);
        row->addWidget(message, 1);
        auto* box = new QDialogButtonBox;
        addButton(box, QStringLiteral("はい(&Y)"), mrYes)->setDefault(true);
        addButton(box, QStringLiteral("いいえ(&N)"), mrNo);
        if (buttons == BoxButtons::YesNoCancel)
            addButton(box, QStringLiteral("キャンセル"), mrCancel);
        escapeResult_ = buttons == BoxButtons::YesNoCancel ? mrCancel : mrNo;
        auto* column = new QVBoxLayout(this);
        column->addLayout(row);
        column->addWidget(box, 0, Qt::AlignHCenter);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) {
            done(escapeResult_);
            return;
        }
        QDialog::keyPressEvent(event);
    }
    void reject() override { done(mrCancel); }

private:
    QPushButton* addButton(QDialogButtonBox* box, const QString& caption, int result)
    {
        QPushButton* button = box->addButton(caption, QDialogButtonBox::ActionRole);
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        return button;
    }

    int escapeResult_ = mrNo;
};

void messageBox(QMessageBox::Icon icon, const std::string& text)
{
    QMessageBox box(icon, qs(Application::instance().title()), boxText(text), QMessageBox::Ok);
    box.exec();
}

class QtBoxes : public BoxService {
public:
    void information(const std::string& text) override { messageBox(QMessageBox::NoIcon, text); }
    void error(const std::string& text) override { messageBox(QMessageBox::Critical, text); }
    int confirmation(const std::string& text, BoxButtons buttons) override
    {
        ConfirmationDialog dialog(text, buttons);
        centre(dialog);
        return dialog.exec();
    }
};

} // namespace

BoxService& windowSystemBoxes()
{
    static QtBoxes boxes;
    return boxes;
}

} // namespace toolkit
