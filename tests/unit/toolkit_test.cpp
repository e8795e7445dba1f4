// The toolkit's own rules: the error box text, list bounds, the boxes'
// answers, the event dispatch, multi-line boxes, timers, grouped buttons,
// the file list, the picture box and keys.

#include "toolkit/checked_array.h"
#include "toolkit/application.h"
#include "toolkit/boxes.h"
#include "toolkit/controls.h"
#include "toolkit/dispatch.h"
#include "toolkit/errors.h"
#include "toolkit/filelist.h"
#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/stringlist.h"
#include "toolkit/timer.h"
#include "toolkit/qt/widget.h"
#include "toolkit/qt/xpm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class RecordingBoxes : public toolkit::BoxService {
public:
    void information(const std::string& text) override { shown.push_back("info: " + text); }
    int confirmation(const std::string& text, toolkit::BoxButtons) override
    {
        shown.push_back("confirm: " + text);
        return toolkit::mrNo;
    }
    void error(const std::string& text) override { shown.push_back("error: " + text); }
    std::vector<std::string> shown;
};

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override { toolkit::Application::instance().setBoxService(&boxes); }
    void TearDown() override { toolkit::Application::instance().setBoxService(nullptr); }
    RecordingBoxes boxes;
};

} // namespace

TEST(ErrorBoxText, AppendsADotAfterCharactersThatSortAfterIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"abc", "abc."},
        {"ファイル x は開けません", "ファイル x は開けません."},
        {"問題集ファイルを選択して下さい。", "問題集ファイルを選択して下さい。."},
        {"already.", "already."},
        {"range (3)", "range (3)"},
        {"dash-", "dash-"},
        {"bang!", "bang!"},
        {"slash/", "slash/."},
        {"", ""},
    };
    for (const auto& [message, shown] : cases)
        EXPECT_EQ(toolkit::errorBoxText(message), shown) << message;
}

TEST(StringList, ReadingOrWritingOutsideRaisesTheRangeErrorWithTheIndex)
{
    toolkit::StringList list;
    list.assign({"a", "b"});
    EXPECT_EQ(list[1], "b");
    try {
        (void)list[2];
        FAIL() << "no error for index 2";
    } catch (const toolkit::Error& error) {
        EXPECT_STREQ(error.what(), "リストのインデックスが範囲を超えています (2)");
    }
    EXPECT_THROW((void)list[-1], toolkit::Error);
    EXPECT_THROW(list.put(2, "c"), toolkit::Error);
    list.clear();
    EXPECT_THROW((void)list[0], toolkit::Error);
}

TEST(CheckedArray, HoldsEntriesOneToSizeAndRefusesTheRest)
{
    toolkit::CheckedArray<200> entries;
    entries[1] = 7;
    entries[200] = 9;
    EXPECT_EQ(entries[1] + entries[200], 16);
    EXPECT_THROW(entries[0] = 1, toolkit::Error);
    EXPECT_THROW(entries[201] = 1, toolkit::Error);
}

TEST_F(ToolkitTest, DispatchShowsTheErrorAndKeepsWhatTheOperationHadSet)
{
    int before = 0;
    toolkit::dispatch([&] {
        before = 1;
        throw toolkit::indexError(5);
    });
    EXPECT_EQ(before, 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0], "error: リストのインデックスが範囲を超えています (5)");

    toolkit::dispatch([] { throw toolkit::fileOpenError("/x/y.txt"); });
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1], "error: ファイル /x/y.txt は開けません.");
}

TEST_F(ToolkitTest, NoOperationRunsInsideAnother)
{
    int inner = 0;
    toolkit::dispatch([&] {
        EXPECT_TRUE(toolkit::dispatching());
        toolkit::dispatch([&] { ++inner; });
    });
    EXPECT_EQ(inner, 0);
    EXPECT_FALSE(toolkit::dispatching());
}

namespace {
// Answers the modal box that is about to appear with a key or a close.
int answerConfirmation(toolkit::BoxButtons buttons, const std::function<void(QWidget*)>& answer)
{
    toolkit::Application::instance().setBoxService(nullptr);
    QTimer::singleShot(0, [answer] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        answer(box);
    });
    return toolkit::askConfirmation("続けますか？", buttons);
}
} // namespace

TEST_F(ToolkitTest, ConfirmationBoxAnswers)
{
    using toolkit::BoxButtons;
    EXPECT_EQ(answerConfirmation(BoxButtons::YesNo, [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }),
              toolkit::mrYes);
    EXPECT_EQ(answerConfirmation(BoxButtons::YesNo, [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }),
              toolkit::mrNo);
    EXPECT_EQ(answerConfirmation(BoxButtons::YesNoCancel,
                                 [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }),
              toolkit::mrCancel);
    EXPECT_EQ(answerConfirmation(BoxButtons::YesNo, [](QWidget* box) { box->close(); }), toolkit::mrCancel);
    EXPECT_EQ(answerConfirmation(BoxButtons::YesNoCancel,
                                 [](QWidget* box) {
                                     for (auto* button : box->findChildren<QAbstractButton*>())
                                         if (button->text() == QStringLiteral("いいえ(&N)"))
                                             button->click();
                                 }),
              toolkit::mrNo);
}

TEST_F(ToolkitTest, ConfirmationBoxOffersTheButtonsAskedFor)
{
    toolkit::Application::instance().setBoxService(nullptr);
    QStringList captions;
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        for (auto* button : box->findChildren<QAbstractButton*>())
            captions << button->text();
        box->close();
    });
    toolkit::askConfirmation("終了しますか？", toolkit::BoxButtons::YesNoCancel);
    EXPECT_EQ(title, QStringLiteral("確認"));
    EXPECT_EQ(captions, (QStringList{"はい(&Y)", "いいえ(&N)", "キャンセル"}));
}

namespace {
struct TestForm : toolkit::Form {
    TestForm() : Form("TestForm", Kind::Main) {}
    toolkit::Memo memo{*this, "memo"};
    toolkit::SpeedButton first{*this, "first"};
    toolkit::SpeedButton second{*this, "second"};
    toolkit::SpeedButton loose{*this, "loose"};
    toolkit::Panel panel{*this, "panel"};
    toolkit::Button inside{panel, "inside"};
    toolkit::Image picture{*this, "picture"};
    toolkit::FileListBox files{*this, "files"};
};
} // namespace

TEST_F(ToolkitTest, MemoLinesAreTextLinesAndMissingLinesAreNotCreated)
{
    TestForm form;
    toolkit::Memo& memo = form.memo;
    EXPECT_EQ(memo.lineCount(), 0);
    memo.setText("\r\n");
    EXPECT_EQ(memo.lineCount(), 2);
    memo.setLine(1, " I");
    EXPECT_EQ(memo.text(), "\r\n I");
    memo.setLine(3, "lost");
    EXPECT_EQ(memo.text(), "\r\n I");
    memo.setText("a\rb\nc\r\n");
    EXPECT_EQ(memo.lineCount(), 4);
    EXPECT_EQ(memo.line(1), "b");
    EXPECT_EQ(memo.line(9), "");
}

namespace {
// What a multi-line box shows: its document's text, lines joined by "\n".
std::string shownText(toolkit::Memo& memo)
{
    return static_cast<QPlainTextEdit*>(toolkit::widgetOf(memo))->toPlainText().toStdString();
}

std::string joined(const std::vector<std::string>& lines, const char* separator)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i > 0 ? separator : "") + lines[i];
    return text;
}
} // namespace

TEST_F(ToolkitTest, AMultiLineBoxShowsExactlyItsTextAfterManyEdits)
{
    // The box shows a new text by replacing only the lines that changed.
    // Lines drawn from a few that repeat, so the lines that stay the same
    // at the start and at the end of the box overlap in every way.
    TestForm form;
    toolkit::Memo& memo = form.memo;
    const std::string kinds[] = {"", "a", "b", "a b", "問題"};
    std::mt19937 random(20240611);
    const auto below = [&random](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    std::vector<std::string> lines;
    for (int edit = 0; edit < 3000; ++edit) {
        const std::string line = kinds[below(std::size(kinds))];
        const std::size_t at = below(lines.size() + 1);
        switch (below(7)) {
        case 0: lines.push_back(line); break;
        case 1: lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line); break;
        case 2:
            if (at < lines.size())
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        case 3:
            if (at < lines.size())
                lines[at] = line;
            break;
        case 4: {
            // Several lines at once, cut out or put in.
            const std::size_t count = std::min(below(4) + 1, lines.size() - std::min(at, lines.size()));
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at),
                        lines.begin() + static_cast<std::ptrdiff_t>(at + count));
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), below(3), line);
            break;
        }
        case 5:
            if (below(10) == 0)
                lines.clear();
            break;
        case 6:
            // A line replaced through the box itself (a box whose text is
            // empty has no line to replace).
            if (at < static_cast<std::size_t>(memo.lineCount())) {
                lines[at] = line;
                memo.setLine(static_cast<int>(at), line);
                ASSERT_EQ(shownText(memo), joined(lines, "\n")) << "edit " << edit;
                continue;
            }
            break;
        }
        memo.setText(joined(lines, "\r\n"));
        ASSERT_EQ(shownText(memo), joined(lines, "\n")) << "edit " << edit << ": " << memo.text();
    }
}

TEST_F(ToolkitTest, AMultiLineBoxEmptiedOfALongLogKeepsItsLook)
{
    // A long log is emptied by giving the box a new document: it must be
    // set up as the old one was.
    TestForm form;
    toolkit::Memo& memo = form.memo;
    auto* shown = static_cast<QPlainTextEdit*>(toolkit::widgetOf(memo));
    memo.setCentred(true);
    const QFont font = shown->document()->defaultFont();
    std::vector<std::string> lines(200, " answer");
    memo.setText(joined(lines, "\r\n"));
    const QTextDocument* before = shown->document();
    memo.setText("");
    const QTextDocument* after = shown->document();
    ASSERT_NE(after, before);
    EXPECT_EQ(shownText(memo), "");
    EXPECT_EQ(after->documentMargin(), before->documentMargin());
    EXPECT_EQ(after->defaultTextOption().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(after->defaultFont(), font);
    EXPECT_FALSE(after->isUndoRedoEnabled());
    memo.setText("\r\n I");
    EXPECT_EQ(shownText(memo), "\n I");
    // The old document goes when the event loop is idle.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shown->viewport()->findChildren<QTextDocument*>().size(), 0);
}

TEST_F(ToolkitTest, GroupedFlatButtonsKeepAtMostOneDown)
{
    TestForm form;
    int clicks = 0;
    form.first.onClick = [&] { ++clicks; };
    for (auto* button : {&form.first, &form.second})
        button->setGroup(1);
    form.first.learnerClick();
    EXPECT_TRUE(form.first.down());
    form.second.learnerClick();
    EXPECT_FALSE(form.first.down());
    EXPECT_TRUE(form.second.down());
    form.second.learnerClick();
    EXPECT_FALSE(form.second.down());
    form.loose.learnerClick();
    EXPECT_FALSE(form.loose.down());
    EXPECT_EQ(clicks, 1);
}

TEST_F(ToolkitTest, ReachableNeedsTheControlAndItsParentsShownAndEnabled)
{
    TestForm form;
    EXPECT_TRUE(form.inside.reachable());
    form.panel.setEnabled(false);
    EXPECT_FALSE(form.inside.reachable());
    form.panel.setEnabled(true);
    form.panel.hide();
    EXPECT_FALSE(form.inside.reachable());
    int clicks = 0;
    form.inside.onClick = [&] { ++clicks; };
    form.inside.click();
    EXPECT_EQ(clicks, 1) << "a click from code runs even on a hidden control";
}

TEST_F(ToolkitTest, TimersTickByHandOnlyWhileEnabled)
{
    toolkit::Application::instance().setManualTimers(true);
    toolkit::Timer timer;
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    timer.setEnabled(false);
    timer.fire();
    EXPECT_EQ(ticks, 0);
    timer.setEnabled(true);
    timer.fire();
    timer.fire();
    EXPECT_EQ(ticks, 2);
}

namespace {
class TempFolder {
public:
    TempFolder()
    {
        path_ = fs::temp_directory_path() / ("piyoran-toolkit-" + std::to_string(::getpid()));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder()
    {
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(path_);
    }
    void file(const std::string& name, const std::string& bytes = "x")
    {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    std::string path() const { return path_.string(); }

private:
    fs::path path_;
};

std::vector<std::string> items(const toolkit::FileListBox& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.itemCount(); ++i)
        names.push_back(list.item(i));
    return names;
}
} // namespace

TEST_F(ToolkitTest, FileListShowsMatchingPlainFilesSorted)
{
    TempFolder folder;
    for (const char* name : {"b.qt8", "a.qt7", "c.doc", "d.PPM", ".hidden.txt", "Unit1.Txt", "e.txt2"})
        folder.file(name);
    fs::create_directory(folder.path() + "/dir.txt");
    TestForm form;
    form.files.setMask("*.ppm;*.qt7;*.qt8;*.txt");
    form.files.setFileName(folder.path() + "/");
    EXPECT_EQ(items(form.files), (std::vector<std::string>{"a.qt7", "b.qt8", "d.PPM", "Unit1.Txt"}));
    EXPECT_EQ(fs::current_path().string(), folder.path());
    EXPECT_EQ(form.files.itemIndex(), -1);
    EXPECT_EQ(form.files.fileName(), "");

    EXPECT_EQ(form.files.itemAtPos(3, 0), 0);
    EXPECT_EQ(form.files.itemAtPos(3, 3 * 16 + 15), 3);
    EXPECT_EQ(form.files.itemAtPos(3, 4 * 16), -1);
}

TEST_F(ToolkitTest, FileNameAssignmentFollowsTheTextItIsGiven)
{
    TempFolder folder;
    folder.file("one.txt");
    folder.file("two.qt1");
    fs::create_directory(folder.path() + "/sub");
    folder.file("sub/three.txt");
    TestForm form;
    form.files.setMask("*.txt");
    form.files.setFileName(folder.path() + "/sub");
    EXPECT_EQ(form.files.directory(), folder.path() + "/sub");
    EXPECT_EQ(items(form.files), std::vector<std::string>{"three.txt"});

    // A last part with a wildcard is a mask; the folder part a folder.
    form.files.setFileName(folder.path() + "/*.qt1");
    EXPECT_EQ(form.files.mask(), "*.qt1");
    EXPECT_EQ(items(form.files), std::vector<std::string>{"two.qt1"});

    // Without a folder part, the current folder stays.
    form.files.setFileName("*.txt");
    EXPECT_EQ(items(form.files), std::vector<std::string>{"one.txt"});

    // An existing file is selected.
    form.files.setFileName(folder.path() + "/one.txt");
    EXPECT_EQ(form.files.itemIndex(), 0);
    EXPECT_EQ(form.files.fileName(), folder.path() + "/one.txt");

    // Nothing by that name: the error, and nothing changes.
    EXPECT_THROW(form.files.setFileName(folder.path() + "/missing"), toolkit::Error);
    EXPECT_THROW(form.files.setFileName("/no/such/folder/001"), toolkit::Error);
    EXPECT_EQ(form.files.directory(), folder.path());
    EXPECT_EQ(fs::current_path().string(), folder.path());
    EXPECT_EQ(form.files.fileName(), folder.path() + "/one.txt");

    // The folder already shown is not read again.
    folder.file("added.txt");
    form.files.setFileName(folder.path());
    EXPECT_EQ(items(form.files), std::vector<std::string>{"one.txt"});
}

TEST_F(ToolkitTest, APictureThatFailsToLoadLeavesTheShownOneInPlace)
{
    TempFolder folder;
    TestForm form;
    form.picture.setBounds(0, 0, 730, 420);
    form.picture.loadFromFile(PIYORAN_SOURCE_DIR "/data/image/violet.jpg");
    const int width = form.picture.pictureWidth();
    EXPECT_GE(width, 730);

    EXPECT_THROW(form.picture.loadFromFile(folder.path() + "/missing.jpg"), toolkit::Error);
    folder.file("broken.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
    EXPECT_THROW(form.picture.loadFromFile(folder.path() + "/broken.jpg"), toolkit::Error);
    EXPECT_EQ(form.picture.pictureWidth(), width);
}

TEST_F(ToolkitTest, TheLogoIsDecodedWholeOrNotAtAll)
{
    TestForm form;
    form.picture.loadFromResource(":/piyoran/logo.xpm");
    EXPECT_EQ(form.picture.pictureWidth(), 32);
    EXPECT_EQ(form.picture.pictureHeight(), 32);

    form.setIcon(":/piyoran/logo.xpm");
    const QImage icon = toolkit::widgetOf(form)->windowIcon().pixmap(32, 32).toImage();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixelColor(0, 0), QColor(0x0A, 0x3A, 0x5C));
    EXPECT_EQ(icon.pixelColor(1, 1), QColor(0x2F, 0xD8, 0xF0));

    // Cut anywhere, the text announces rows or colours it does not hold.
    QFile file(":/piyoran/logo.xpm");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray logo = file.readAll();
    EXPECT_FALSE(toolkit::xpmPicture(logo).isNull());
    for (const qsizetype cut : {qsizetype(60), logo.size() / 2, logo.size() - 40})
        EXPECT_TRUE(toolkit::xpmPicture(logo.left(cut)).isNull()) << cut;
    EXPECT_THROW(form.setIcon(":/piyoran/missing.xpm"), toolkit::Error);
}

TEST_F(ToolkitTest, ActivationRunsOncePerSwitchBetweenTheProgramsWindows)
{
    TestForm first;
    TestForm second;
    int firstActivated = 0, firstDeactivated = 0, secondActivated = 0;
    first.onActivate = [&] { ++firstActivated; };
    first.onDeactivate = [&] { ++firstDeactivated; };
    second.onActivate = [&] { ++secondActivated; };
    auto settle = [] {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    };

    first.showCentred();
    first.activate();
    settle();
    EXPECT_EQ(firstActivated, 1);
    second.showCentred();
    second.activate();
    settle();
    EXPECT_EQ(firstDeactivated, 1);
    EXPECT_EQ(secondActivated, 1);
    // Activating the active window again is no new activation.
    second.activate();
    settle();
    EXPECT_EQ(secondActivated, 1);
    first.activate();
    settle();
    EXPECT_EQ(firstActivated, 2);
}

TEST_F(ToolkitTest, AReleasedWindowIsDestroyedOnceAndTakesNoMoreEvents)
{
    // A window manager can activate a window again after its release has
    // begun, so a release may be asked for twice.
    auto* outgoing = new TestForm;
    int clicks = 0;
    outgoing->first.onClick = [&] { ++clicks; };
    outgoing->showCentred();
    outgoing->release();
    outgoing->release();
    outgoing->first.learnerClick();
    EXPECT_EQ(clicks, 0);
    TestForm next;
    int activated = 0;
    next.onActivate = [&] { ++activated; };
    next.showCentred();
    next.activate();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(activated, 1);
}

TEST_F(ToolkitTest, ArrowKeysSelectInTheFileListAndEnterOpens)
{
    TempFolder folder;
    folder.file("a.txt");
    folder.file("b.txt");
    TestForm form;
    form.files.setMask("*.txt");
    form.files.setFileName(folder.path());
    std::vector<std::string> opened;
    form.files.onClick = [&] { opened.push_back(form.files.fileName()); };
    QTest::keyClick(toolkit::widgetOf(form.files), Qt::Key_Down);
    QTest::keyClick(toolkit::widgetOf(form.files), Qt::Key_Down);
    EXPECT_EQ(form.files.itemIndex(), 1);
    EXPECT_TRUE(opened.empty()) << "moving the selection opens nothing";
    QTest::keyClick(toolkit::widgetOf(form.files), Qt::Key_Return);
    EXPECT_EQ(opened, std::vector<std::string>{folder.path() + "/b.txt"});
}

TEST_F(ToolkitTest, AHeldKeyPressesOnceAndOnlyWhatAClickCouldReach)
{
    TestForm form;
    int answered = 0, pressed = 0, picked = 0;
    form.addShortcut("F2", [&] { ++answered; });
    form.inside.onClick = [&] { ++pressed; };
    form.memo.setButtonNumber(1);
    form.memo.onClick = [&] { ++picked; };
    form.showCentred();
    form.activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(toolkit::widgetOf(form)));
    form.focus(form.inside);
    // The window system sends a held key as one press, then repeated
    // releases and presses marked as repeats, then the last release.
    const auto hold = [](Qt::Key key) {
        QWidget* focused = QApplication::focusWidget();
        QTest::simulateEvent(focused, true, key, Qt::NoModifier, {}, false);
        for (int repeat = 0; repeat < 3; ++repeat) {
            QTest::simulateEvent(focused, false, key, Qt::NoModifier, {}, true);
            QTest::simulateEvent(focused, true, key, Qt::NoModifier, {}, true);
        }
        QTest::simulateEvent(focused, false, key, Qt::NoModifier, {}, false);
    };
    hold(Qt::Key_F2);
    EXPECT_EQ(answered, 1);
    hold(Qt::Key_Return);
    EXPECT_EQ(pressed, 1);
    // A box that acts as a button is pressed by Enter and Space alike, but
    // not while a box above it covers it, as no click could reach it.
    form.memo.setBounds(10, 10, 50, 20);
    form.focus(form.memo);
    hold(Qt::Key_Return);
    hold(Qt::Key_Space);
    EXPECT_EQ(picked, 2);
    form.panel.setBounds(0, 0, 100, 100);
    form.panel.setColor(0x800000);
    form.panel.bringToFront();
    hold(Qt::Key_Return);
    EXPECT_EQ(picked, 2);
}

TEST_F(ToolkitTest, ReturningFromAModalBoxIsNoNewActivation)
{
    TestForm form;
    int activated = 0;
    form.onActivate = [&] { ++activated; };
    form.showCentred();
    form.activate();
    QApplication::processEvents();
    ASSERT_EQ(activated, 1);
    toolkit::Application::instance().setBoxService(nullptr);
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    toolkit::askConfirmation("続けますか？", toolkit::BoxButtons::YesNo);
    form.activate();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(activated, 1);
}
