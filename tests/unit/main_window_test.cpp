// The main window as a screen reader and the keyboard meet it.

#include "app/orvel.h"
#include "app/texts.h"
#include "toolkit/application.h"
#include "toolkit/qt/widget.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

constexpr int kClientHeight = 418;

// Shown to a learner: visible all the way up, and above the bottom edge.
bool seen(toolkit::Control& control)
{
    int top = control.top();
    for (toolkit::Control* parent = control.parent(); parent && parent->parent(); parent = parent->parent())
        top += parent->top();
    for (toolkit::Control* at = &control; at; at = at->parent())
        if (!at->visible())
            return false;
    return top < kClientHeight;
}

} // namespace

TEST(MainWindow, EveryControlInViewHasANameAndItsHintAsDescription)
{
    TOrvelform form{toolkit::Application::instance().exeDir()};
    // Show what a run shows, so the counters and strips are checked too.
    for (toolkit::Control* shown : std::initializer_list<toolkit::Control*>{
             &form.seikai, &form.gotou, &form.Nokori, &form.Label10, &form.Edit1, &form.Edit6,
             &form.Chushi, &form.FileListBox1, &form.SpeedButton11, &form.Panel1})
        shown->show();
    int checked = 0;
    for (toolkit::Control* control : form.controls()) {
        if (!seen(*control))
            continue;
        ++checked;
        EXPECT_FALSE(control->accessibleName().empty()) << control->name();
        EXPECT_EQ(control->accessibleDescription(), control->hint()) << control->name();
    }
    EXPECT_GE(checked, 35);
    EXPECT_EQ(form.Memo4.accessibleName(), "選択肢 1");
    EXPECT_EQ(form.Memo10.accessibleName(), "選択肢 5");
    EXPECT_EQ(form.owari.accessibleName(), "終了");
    // A label that is named by its caption follows the caption.
    form.Nokori.setText("残    9");
    EXPECT_EQ(form.Nokori.accessibleName(), "残    9");
    form.Label9.setText("");
    EXPECT_EQ(form.Label9.accessibleName(), "結果");
}

namespace {

// The controls that take keys: text boxes, push buttons, the book list and
// the filter selector. Labels, flat buttons, panels and the picture do not.
bool takesKeys(toolkit::Control& control)
{
    return dynamic_cast<toolkit::Edit*>(&control) || dynamic_cast<toolkit::Memo*>(&control)
           || dynamic_cast<toolkit::Button*>(&control) || dynamic_cast<toolkit::FileListBox*>(&control)
           || dynamic_cast<toolkit::FilterComboBox*>(&control);
}

bool shownAllTheWayUp(toolkit::Control& control)
{
    for (toolkit::Control* at = &control; at; at = at->parent())
        if (!at->visible())
            return false;
    return true;
}

toolkit::Control* controlOf(TOrvelform& form, QWidget* widget)
{
    for (toolkit::Control* control : form.controls())
        if (toolkit::widgetOf(*control) == widget)
            return control;
    return nullptr;
}

// What the Tab key reaches from FileEdit, pressed by a learner until the
// focus is back in FileEdit: one round of the window. A focus on a widget
// that is no control ends the round with a null entry.
std::vector<toolkit::Control*> tabRound(TOrvelform& form)
{
    form.focus(form.FileEdit);
    QApplication::processEvents();
    std::vector<toolkit::Control*> round;
    for (int presses = 0; presses < 200; ++presses) {
        QWidget* focused = QApplication::focusWidget();
        toolkit::Control* control = focused ? controlOf(form, focused) : nullptr;
        if (!round.empty() && control == &form.FileEdit)
            break;
        round.push_back(control);
        if (!control)
            break;
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    return round;
}

// The round as names, for the failure messages.
std::string names(const std::vector<toolkit::Control*>& round)
{
    std::string text;
    for (toolkit::Control* control : round)
        text += (control ? control->name() : std::string("(no control)")) + " ";
    return text;
}

// Tab reaches every control a learner sees and can use from the keyboard,
// each once a round, and rests on nothing that is hidden or that takes no
// keys. Never-seen controls below the window keep their places in the
// round: that is how the learner reaches ">" and "<". Boxes stacked in one
// column (the same kind, left edge and width: the five choices, the lines
// of the question) are reached top to bottom, one right after another
// among the controls a learner sees.
void expectTabReachesWhatALearnerSees(TOrvelform& form, const std::string& state)
{
    SCOPED_TRACE(state);
    const std::vector<toolkit::Control*> round = tabRound(form);
    SCOPED_TRACE("round: " + names(round));
    ASSERT_FALSE(round.empty());
    ASSERT_NE(round.back(), nullptr) << "the focus left the window's controls";
    ASSERT_LT(round.size(), 200u) << "Tab never came back to FileEdit";

    for (toolkit::Control* control : round) {
        EXPECT_EQ(std::count(round.begin(), round.end(), control), 1) << control->name() << " twice a round";
        EXPECT_TRUE(takesKeys(*control)) << control->name() << " takes the focus but no keys";
        EXPECT_TRUE(shownAllTheWayUp(*control)) << control->name() << " is hidden yet takes the focus";
        EXPECT_TRUE(control->enabled()) << control->name();
    }

    std::vector<toolkit::Control*> seenRound;
    for (toolkit::Control* control : round)
        if (seen(*control))
            seenRound.push_back(control);
    int usable = 0;
    for (toolkit::Control* control : form.controls()) {
        if (!seen(*control) || !takesKeys(*control) || !control->enabled())
            continue;
        ++usable;
        EXPECT_NE(std::find(seenRound.begin(), seenRound.end(), control), seenRound.end())
            << control->name() << " is seen but Tab never reaches it";
    }
    EXPECT_GE(usable, 10) << "the window shows too few boxes for this check to mean anything";

    int stacked = 0;
    for (std::size_t i = 0; i + 1 < seenRound.size(); ++i) {
        toolkit::Control& above = *seenRound[i];
        toolkit::Control* below = nullptr;
        for (toolkit::Control* other : seenRound) {
            const bool sameColumn = typeid(*other) == typeid(above) && other->left() == above.left()
                                    && other->width() == above.width() && other->parent() == above.parent();
            if (sameColumn && other->top() > above.top() && (!below || other->top() < below->top()))
                below = other;
        }
        if (!below)
            continue;
        ++stacked;
        EXPECT_EQ(seenRound[i + 1], below) << below->name() << " is the next below " << above.name()
                                           << " but is not reached right after it";
    }
    EXPECT_GE(stacked, 5) << "too few stacked boxes for this check to mean anything";
}

} // namespace

TEST(MainWindow, TabReachesWhatALearnerSeesAndNothingHidden)
{
    TOrvelform form{toolkit::Application::instance().exeDir()};
    form.showCentred();
    form.activate();
    QApplication::processEvents();
    expectTabReachesWhatALearnerSees(form, "at start");

    // The book list of a category, over the choices.
    for (toolkit::Control* shown :
         std::initializer_list<toolkit::Control*>{&form.FileListBox1, &form.SpeedButton11, &form.Panel1})
        shown->show();
    expectTabReachesWhatALearnerSees(form, "with the book list shown");

    // A run: the list gone, the counters and the mark strips shown.
    for (toolkit::Control* hidden :
         std::initializer_list<toolkit::Control*>{&form.FileListBox1, &form.SpeedButton11, &form.Panel1})
        hidden->hide();
    for (toolkit::Control* shown : std::initializer_list<toolkit::Control*>{
             &form.seikai, &form.gotou, &form.Nokori, &form.Label10, &form.Edit1, &form.Edit6, &form.Chushi})
        shown->show();
    expectTabReachesWhatALearnerSees(form, "during a run");
}

// The window shown and active, with the focus where it starts.
void showActive(TOrvelform& form)
{
    form.showCentred();
    form.focus(form.FileEdit);
    form.activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(toolkit::widgetOf(form)));
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

TEST(MainWindow, KeysPassOverTheNeverSeenFilterSelector)
{
    TOrvelform form{toolkit::Application::instance().exeDir()};
    showActive(form);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), toolkit::widgetOf(form.FilterComboBox1));
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_End, Qt::Key_PageDown, Qt::Key_A, Qt::Key_F4})
        press(key);
    press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form.FilterComboBox1.itemIndex(), 0);
    EXPECT_EQ(form.FileListBox1.mask(), texts::kBookMask);
    // It keeps its place in the keyboard order.
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), toolkit::widgetOf(form.Memo1));
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), toolkit::widgetOf(form.FilterComboBox1));
}

// Whether the picture differs from the plain one on the right edge of the
// control, where the focus mark lies and no text is drawn.
bool markedAt(const QImage& picture, const QImage& plain, const toolkit::Control& control)
{
    const QPoint inside(control.left() + control.width() - 1, control.top() + control.height() / 2);
    return picture.pixel(inside) != plain.pixel(inside);
}

TEST(MainWindow, TheKeyboardFocusIsMarkedWhereItCanBeSeen)
{
    TOrvelform form{toolkit::Application::instance().exeDir()};
    showActive(form);
    const QImage plain = toolkit::widgetOf(form)->grab().toImage();
    // From FileEdit past the never-seen selector to the answer line.
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), toolkit::widgetOf(form.Memo1));
    EXPECT_TRUE(markedAt(toolkit::widgetOf(form)->grab().toImage(), plain, form.Memo1));
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), toolkit::widgetOf(form.Edit2));
    QImage picture = toolkit::widgetOf(form)->grab().toImage();
    EXPECT_TRUE(markedAt(picture, plain, form.Edit2));
    EXPECT_FALSE(markedAt(picture, plain, form.Memo1));
    // A click that moves the focus leaves no mark.
    QTest::mouseClick(toolkit::widgetOf(form.Edit3), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), toolkit::widgetOf(form.Edit3));
    picture = toolkit::widgetOf(form)->grab().toImage();
    EXPECT_FALSE(markedAt(picture, plain, form.Edit3));
    EXPECT_FALSE(markedAt(picture, plain, form.Edit2));
}
