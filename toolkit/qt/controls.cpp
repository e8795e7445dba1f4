#include "toolkit/controls.h"

#include "toolkit/dispatch.h"
#include "toolkit/form.h"
#include "toolkit/qt/bridge.h"
#include "toolkit/textlines.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace toolkit {

namespace {

// A log this long is emptied by handing the box a new document (see below).
constexpr int kLongLog = 32;

// An empty document set up as the box's own: margin, text option, no undo.
QTextDocument* emptyDocumentLike(const QTextDocument& old, QObject* owner)
{
    auto* fresh = new QTextDocument(owner);
    fresh->setUndoRedoEnabled(false);
    fresh->setDefaultFont(old.defaultFont());
    fresh->setDocumentMargin(old.documentMargin());
    fresh->setDefaultTextOption(old.defaultTextOption());
    // Last: each setting above would lay the document out again.
    fresh->setDocumentLayout(new QPlainTextDocumentLayout(fresh));
    return fresh;
}

template <typename W>
W* as(QWidget* widget)
{
    return static_cast<W*>(widget);
}

} // namespace

// ---- Label

Label::Label(Control& parent, std::string name)
    : Control(&parent, std::move(name), nativeWidget(new QLabel(widgetOf(parent))))
{
    opaque_ = false;
    new EventBridge(*this, widgetOf(*this), true);
}

void Label::setOpaque(bool opaque)
{
    opaque_ = opaque;
    showColors();
}

void Label::setAlignment(bool centreHorizontally, bool centreVertically)
{
    Qt::Alignment alignment = centreHorizontally ? Qt::AlignHCenter : Qt::AlignLeft;
    alignment |= centreVertically ? Qt::AlignVCenter : Qt::AlignTop;
    as<QLabel>(widgetOf(*this))->setAlignment(alignment);
}

void Label::setWordWrap(bool wrap)
{
    as<QLabel>(widgetOf(*this))->setWordWrap(wrap);
}

void Label::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    showText();
}

void Label::showText()
{
    auto* label = as<QLabel>(widgetOf(*this));
    label->setText(shownLine(text()));
    if (autoSize_) {
        label->adjustSize();
        setBounds(left(), top(), label->width(), label->height());
    }
}

// ---- SpeedButton

SpeedButton::SpeedButton(Control& parent, std::string name)
    : Control(&parent, std::move(name), nativeWidget(new QToolButton(widgetOf(parent))))
{
    auto* button = as<QToolButton>(widgetOf(*this));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    opaque_ = false;
    QObject::connect(button, &QToolButton::clicked, button, [this] {
        // The button's own checked state follows ours, not Qt's toggling.
        as<QToolButton>(widgetOf(*this))->setChecked(down_);
        learnerClick();
    });
    new EventBridge(*this, button, false);
}

void SpeedButton::setGroup(int group)
{
    group_ = group;
    as<QToolButton>(widgetOf(*this))->setCheckable(group != 0);
}

void SpeedButton::setDown(bool down)
{
    down_ = down;
    as<QToolButton>(widgetOf(*this))->setChecked(down);
}

void SpeedButton::showText()
{
    as<QToolButton>(widgetOf(*this))->setText(qs(text()));
}

// ---- Button


Button::Button(Control& parent, std::string name)
    : Control(&parent, std::move(name), nativeWidget(new QPushButton(widgetOf(parent))))
{
    auto* button = as<QPushButton>(widgetOf(*this));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { learnerClick(); });
    new EventBridge(*this, button, false);
    new KeyClicks(*this, button, false);
}

void Button::showText()
{
    as<QPushButton>(widgetOf(*this))->setText(qs(text()));
}

// ---- Edit

namespace {
class KeyWatcher : public Watcher {
public:
    KeyWatcher(Edit& edit, QLineEdit* watched) : Watcher(watched), edit_(edit) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !edit_.onKeyPress)
            return false;
        auto* press = static_cast<QKeyEvent*>(event);
        char key = 0;
        if (press->key() == Qt::Key_Return || press->key() == Qt::Key_Enter)
            key = 13;
        else if (press->text().size() == 1 && press->text()[0].unicode() < 0x80
                 && press->text()[0].unicode() >= 0x20)
            key = static_cast<char>(press->text()[0].unicode());
        else
            return false;
        const char pressed = key;
        dispatch([&] { edit_.onKeyPress(key); });
        if (key == pressed)
            return false;
        if (key != 0)
            static_cast<QLineEdit*>(parent())->insert(QString(QChar(key)));
        return true;
    }

private:
    Edit& edit_;
};
} // namespace

Edit::Edit(Control& parent, std::string name)
    : Control(&parent, std::move(name), nativeWidget(new QLineEdit(widgetOf(parent))))
{
    auto* edit = as<QLineEdit>(widgetOf(*this));
    edit->setReadOnly(true);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& typed) {
        // Typing changes the text without going through setText.
        const std::string now = utf8(typed);
        if (now != text())
            Control::setText(now);
    });
    new EventBridge(*this, edit, true);
    new KeyWatcher(*this, edit);
}

void Edit::setEditable(bool editable)
{
    as<QLineEdit>(widgetOf(*this))->setReadOnly(!editable);
}

void Edit::setBorder(bool border)
{
    as<QLineEdit>(widgetOf(*this))->setFrame(border);
}

void Edit::showText()
{
    auto* edit = as<QLineEdit>(widgetOf(*this));
    const QString shown = shownLine(text());
    if (edit->text() != shown) {
        edit->setText(shown);
        edit->setCursorPosition(0);
    }
}

// ---- Memo

Memo::Memo(Control& parent, std::string name)
    : Control(&parent, std::move(name), nativeWidget(new QPlainTextEdit(widgetOf(parent))))
{
    auto* memo = as<QPlainTextEdit>(widgetOf(*this));
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setTextInteractionFlags(Qt::NoTextInteraction);
    memo->setFocusPolicy(Qt::StrongFocus);
    memo->document()->setDocumentMargin(1);
    // The box is only ever written by the program: no undo history.
    memo->document()->setUndoRedoEnabled(false);
    memo->viewport()->setCursor(Qt::ArrowCursor);
    new EventBridge(*this, memo->viewport(), true);
}

void Memo::setCentred(bool centred)
{
    auto* memo = as<QPlainTextEdit>(widgetOf(*this));
    QTextOption option = memo->document()->defaultTextOption();
    option.setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
    memo->document()->setDefaultTextOption(option);
    showText();
}

void Memo::showText()
{
    // The box shows its text lines as the blocks of its document; an empty
    // box has one empty block. Only the blocks that differ from the lines
    // are replaced, so a long log whose one line changed, or that grew by a
    // line, is not laid out again as a whole.
    auto* memo = as<QPlainTextEdit>(widgetOf(*this));
    QTextDocument* document = memo->document();
    std::vector<std::string> wanted = textLines(text());
    if (wanted.empty())
        wanted.emplace_back();

    const int had = static_cast<int>(shown_.size());
    const int want = static_cast<int>(wanted.size());
    int same = 0;
    while (same < had && same < want && shown_[same] == wanted[same])
        ++same;
    int sameAtEnd = 0;
    while (sameAtEnd < std::min(had, want) - same && shown_[had - 1 - sameAtEnd] == wanted[want - 1 - sameAtEnd])
        ++sameAtEnd;
    const int oldEnd = had - sameAtEnd;  // blocks [same, oldEnd) are replaced
    const int newEnd = want - sameAtEnd; // by lines [same, newEnd)
    const auto joined = [&](int from, int to) {
        QString text;
        for (int i = from; i < to; ++i) {
            if (i > from)
                text += QLatin1Char('\n');
            text += shownLine(wanted[i]);
        }
        return text;
    };

    if (want == 1 && wanted[0].empty() && had >= kLongLog && document->blockCount() == had) {
        // Emptying a long log (the answer log at the end of a pass) would
        // free the layout of every line there and then, most of the pick's
        // time; the box takes a new empty document, and the old one is
        // freed once the event loop has nothing else to do. Its parent is
        // the viewport, so the box does not delete it at once and it goes
        // with the box at the latest.
        QTextDocument* fresh = emptyDocumentLike(*document, memo);
        document->setParent(memo->viewport());
        memo->setDocument(fresh);
        document->deleteLater();
    } else if (oldEnd - same > want || document->blockCount() != had) {
        // Most of the box goes (a log cleared): writing it anew is quicker
        // than taking it apart block by block.
        const QTextOption option = document->defaultTextOption();
        memo->setPlainText(joined(0, want));
        document->setDefaultTextOption(option);
    } else if (same < oldEnd || same < newEnd) {
        const QString middle = joined(same, newEnd);
        QTextCursor cursor(document);
        // One edit: the document is laid out once, when it ends.
        cursor.beginEditBlock();
        if (same < oldEnd) {
            // Replace the text of whole blocks; with nothing to put in their
            // place, the line break on one side goes too.
            const QTextBlock first = document->findBlockByNumber(same);
            const QTextBlock last = document->findBlockByNumber(oldEnd - 1);
            int from = first.position();
            int to = last.position() + last.length() - 1;
            if (same == newEnd) {
                if (oldEnd < had)
                    to += 1;
                else
                    from -= 1;
            }
            cursor.setPosition(from);
            cursor.setPosition(to, QTextCursor::KeepAnchor);
            if (same == newEnd)
                cursor.removeSelectedText();
            else
                cursor.insertText(middle);
        } else if (same < had) {
            // New lines before block `same`.
            cursor.setPosition(document->findBlockByNumber(same).position());
            cursor.insertText(middle + QLatin1Char('\n'));
        } else {
            // New lines after the last block.
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(QLatin1Char('\n') + middle);
        }
        cursor.endEditBlock();
    }
    shown_ = std::move(wanted);
    // The newest line is the one in view, as an edit box scrolls to it.
    memo->verticalScrollBar()->setValue(memo->verticalScrollBar()->maximum());
}

// ---- Panel

Panel::Panel(Control& parent, std::string name)
    : Control(&parent, std::move(name), nativeWidget(new QFrame(widgetOf(parent))))
{
    new EventBridge(*this, widgetOf(*this), true);
}

void Panel::setBevel(Bevel outer, Bevel inner, int width)
{
    auto* frame = as<QFrame>(widgetOf(*this));
    const Bevel shown = outer != Bevel::None ? outer : inner;
    frame->setFrameShape(shown == Bevel::None ? QFrame::NoFrame : QFrame::Panel);
    frame->setFrameShadow(shown == Bevel::Lowered ? QFrame::Sunken : QFrame::Raised);
    frame->setLineWidth(width);
}

} // namespace toolkit
