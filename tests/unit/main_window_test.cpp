// The main window as a screen reader and the keyboard meet it.

#include "app/orvel.h"
#include "app/texts.h"
#include "toolkit/application.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

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
    TOrvelform form;
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

TEST(MainWindow, TabMovesThroughTheBoxControlsInTheirOrder)
{
    TOrvelform form;
    const std::vector<toolkit::Control*> order = {
        &form.FileEdit, &form.FileListBox1, &form.FilterComboBox1, &form.Memo1, &form.Edit2,
        &form.Edit3, &form.Edit4, &form.BitBtn3, &form.Edit5, &form.Edit21, &form.BitBtn9,
        &form.Edit14, &form.Edit15, &form.Edit16, &form.Edit17, &form.Edit18, &form.Button1,
        &form.Button2, &form.Kesu, &form.BitBtn11, &form.BitBtn12, &form.Button6, &form.Memo2,
        &form.Memo3, &form.Memo5, &form.Memo6, &form.Memo4, &form.Memo7, &form.Memo8,
        &form.Memo9, &form.Memo10, &form.Kotaekieru, &form.menushow, &form.menunotshow,
        &form.Edit1, &form.Edit6};
    std::vector<QWidget*> wanted;
    for (toolkit::Control* control : order)
        wanted.push_back(control->widget());
    // Follow the focus chain from FileEdit and keep the controls of the list.
    std::vector<QWidget*> chain;
    QWidget* at = form.FileEdit.widget();
    do {
        if (std::find(wanted.begin(), wanted.end(), at) != wanted.end())
            chain.push_back(at);
        at = at->nextInFocusChain();
    } while (at != form.FileEdit.widget() && chain.size() < 100);
    EXPECT_EQ(chain, wanted);
}

// The window shown and active, with the focus where it starts.
void showActive(TOrvelform& form)
{
    form.showCentred();
    form.focus(form.FileEdit);
    form.activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.widget()));
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

TEST(MainWindow, KeysPassOverTheNeverSeenFilterSelector)
{
    TOrvelform form;
    showActive(form);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form.FilterComboBox1.widget());
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_End, Qt::Key_PageDown, Qt::Key_A, Qt::Key_F4})
        press(key);
    press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form.FilterComboBox1.itemIndex(), 0);
    EXPECT_EQ(form.FileListBox1.mask(), texts::kBookMask);
    // It keeps its place in the keyboard order.
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.Memo1.widget());
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), form.FilterComboBox1.widget());
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
    TOrvelform form;
    showActive(form);
    const QImage plain = form.widget()->grab().toImage();
    // From FileEdit past the never-seen selector to the answer line.
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form.Memo1.widget());
    EXPECT_TRUE(markedAt(form.widget()->grab().toImage(), plain, form.Memo1));
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form.Edit2.widget());
    QImage picture = form.widget()->grab().toImage();
    EXPECT_TRUE(markedAt(picture, plain, form.Edit2));
    EXPECT_FALSE(markedAt(picture, plain, form.Memo1));
    // A click that moves the focus leaves no mark.
    QTest::mouseClick(form.Edit3.widget(), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), form.Edit3.widget());
    picture = form.widget()->grab().toImage();
    EXPECT_FALSE(markedAt(picture, plain, form.Edit3));
    EXPECT_FALSE(markedAt(picture, plain, form.Edit2));
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    toolkit::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
