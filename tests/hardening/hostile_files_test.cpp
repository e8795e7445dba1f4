// Hostile files: pictures and books that are broken, enormous, misnamed or
// gone, category folders that are no folders, file names that are not UTF-8
// and links that lead nowhere. Each is met through the real main window, as
// a learner meets it: the program shows a box or opens what it can, never
// crashes or hangs, and a picture that fails leaves the shown one in place.

#include "app/orvel.h"
#include "app/startup.h"
#include "book/format.h"
#include "tests/hardening/app_folder.h"
#include "tests/hardening/drill_checks.h"
#include "tools/jpegencode.h"
#include "tools/script/runner.h"
#include "tools/script/scripted_boxes.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/timer.h"
#include "toolkit/qt/widget.h"

#include <QBuffer>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using hardening::cp932Book;
using hardening::numberedBook;

namespace {

// text followed by unit as many times as it takes to make size bytes or more.
std::string repeatedTo(std::size_t size, const std::string& unit, std::string text = {})
{
    text.reserve(size + unit.size());
    while (text.size() < size)
        text += unit;
    return text;
}

// ---- Pictures made here with libjpeg.

std::string encodeJpeg(int width, int height, bool progressive)
{
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* pixel = rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
            pixel[0] = static_cast<unsigned char>(x * 255 / width);
            pixel[1] = static_cast<unsigned char>(y * 255 / height);
            pixel[2] = static_cast<unsigned char>((x ^ y) & 0xFF);
        }
    tools::JpegOptions options;
    options.quality = 90;
    options.progressive = progressive;
    return tools::encodeJpeg(width, height, 3, JCS_RGB, rgb, options);
}

// Where a marker's segment starts (at its 0xFF), or npos.
std::size_t findMarker(const std::string& jpeg, unsigned char marker)
{
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && static_cast<unsigned char>(jpeg[i + 1]) == marker)
            return i;
    return std::string::npos;
}

// The same picture data under a frame header that declares another size.
std::string declareSize(std::string jpeg, int width, int height)
{
    std::size_t sof = findMarker(jpeg, 0xC0);
    if (sof == std::string::npos)
        sof = findMarker(jpeg, 0xC2);
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

std::string pngBytes()
{
    QImage image(40, 30, QImage::Format_RGB888);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// ---- The program, started on a folder of the test's making.

class HostileFiles : public ::testing::Test {
protected:
    HostileFiles() : folder_("hostile"), boxes_(log_)
    {
        folder_.copy(PIYORAN_SOURCE_DIR "/data/image", "image");
        for (const char* category : {"001", "002", "003", "004", "005", "006", "007", "008", "009"})
            fs::create_directories(folder_ / category);
        folder_.write("001/good.txt", cp932Book(numberedBook(3)));
    }

    ~HostileFiles() override
    {
        runner_.reset();
        form_.reset();
        toolkit::Application::instance().setBoxService(nullptr);
    }

    void start()
    {
        fs::current_path(folder_.path());
        toolkit::Application::instance().setExeDir(folder_.path().string());
        toolkit::Application::instance().setManualTimers(true);
        toolkit::Application::instance().setBoxService(&boxes_);
        form_ = app::startUp(toolkit::Application::instance());
        toolkit::Application::instance().processEvents();
        runner_ = std::make_unique<script::Runner>(*form_, boxes_, log_);
    }

    // Plays scenario lines; fails the test with the transcript when one
    // does not hold.
    void play(const std::string& lines)
    {
        std::istringstream in(lines);
        std::vector<script::Line> parsed;
        std::ostringstream unusable;
        ASSERT_TRUE(script::parseScript(in, parsed, unusable)) << unusable.str();
        EXPECT_EQ(runner_->run(parsed), script::kHeld) << log_.str();
    }

    // The boxes shown since the last call, as "kind: text".
    std::vector<std::string> boxes()
    {
        std::vector<std::string> shown;
        auto& all = boxes_.shown();
        for (; seen_ < all.size(); ++seen_)
            shown.push_back(all[seen_].kind + ": " + all[seen_].text);
        boxes_.nextUnexpected() = seen_;
        return shown;
    }

    // Wherever the run is: cancel it, and show the first category's list.
    // The boxes this shows are not the test's.
    void backToTheList()
    {
        play("answer yes\ninvoke Chushi\nclick SpeedButton3");
        boxes();
    }

    QImage picture() { return toolkit::widgetOf(form_->Image1)->grab().toImage(); }

    // The only boxes a malformed book may give; and the program is still
    // able to open a good book after it.
    void expectOnlyRangeErrorsAndInfo(const std::vector<std::string>& shown, const std::string& what)
    {
        for (const std::string& box : shown) {
            if (box.rfind("error: ", 0) == 0)
                EXPECT_TRUE(hardening::isRangeError(box.substr(7))) << what << ": " << box;
            else
                EXPECT_EQ(box.rfind("info: ", 0), 0u) << what << ": " << box;
        }
    }

    void expectAGoodBookStillOpens()
    {
        backToTheList();
        play("choose good.txt");
        EXPECT_EQ(form_->QuestionCount, 3);
        EXPECT_EQ(form_->BookQuestions, 3);
        const auto shown = boxes();
        for (const std::string& box : shown)
            EXPECT_EQ(box.rfind("error", 0), std::string::npos) << box;
        EXPECT_TRUE(form_->Timer1.enabled());
    }

    std::string fileError(const fs::path& path)
    {
        return "error: " + toolkit::errorBoxText(toolkit::fileOpenError(path.string()).what());
    }

    hardening::AppFolder folder_;
    std::ostringstream log_;
    script::ScriptedBoxes boxes_;
    std::unique_ptr<TOrvelform> form_;
    std::unique_ptr<script::Runner> runner_;
    std::size_t seen_ = 0;
};

// ---- Pictures

TEST_F(HostileFiles, APictureDeclaringAHugeSizeIsRefusedAndLeavesTheShownOne)
{
    const std::string small = encodeJpeg(64, 48, false);
    const std::string smallProgressive = encodeJpeg(64, 48, true);
    struct Case {
        const char* button;
        const char* file;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        // Far beyond what is ever decoded: refused from the header alone.
        {"SpeedButton14", "violet.jpg", declareSize(small, 65000, 65000), "JPEG 画像が大きすぎます (65000x65000)"},
        {"SpeedButton13", "Water1.jpg", declareSize(smallProgressive, 60000, 50000),
         "JPEG 画像が大きすぎます (60000x50000)"},
        // Small enough to be looked at, but a progressive picture this size
        // needs more working memory than libjpeg is allowed.
        {"SpeedButton12", "Sea1.jpg", declareSize(smallProgressive, 10000, 10000), nullptr},
        // Allowed by size; its data runs out at once.
        {"SpeedButton2", "Sunset.jpg", declareSize(small, 10000, 10000), nullptr},
    };
    for (const Case& c : cases)
        folder_.write(std::string("image/") + c.file, c.bytes);
    start();
    const QImage before = picture();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        play(std::string("click ") + c.button);
        const auto shown = boxes();
        ASSERT_EQ(shown.size(), 1u);
        if (c.message)
            EXPECT_EQ(shown[0], std::string("error: ") + c.message);
        else
            EXPECT_EQ(shown[0].rfind("error: JPEG 画像", 0), 0u) << shown[0];
        EXPECT_TRUE(picture() == before);
    }
    // The background buttons end a replay's yellow even when the picture
    // fails; the window keeps working.
    EXPECT_EQ(form_->color(), 0xF8E4D8u);
    folder_.copy(PIYORAN_SOURCE_DIR "/data/image", "image");
    play("click SpeedButton14");
    EXPECT_TRUE(boxes().empty());
    EXPECT_FALSE(picture() == before);
}

TEST_F(HostileFiles, TruncatedAndCorruptPicturesAreRefusedAndLeaveTheShownOne)
{
    std::vector<std::pair<std::string, std::string>> broken;
    for (const bool progressive : {false, true}) {
        const std::string kind = progressive ? "progressive" : "baseline";
        const std::string good = encodeJpeg(730, 420, progressive);
        const std::size_t scan = findMarker(good, 0xDA);
        broken.emplace_back(kind + ", cut in half", good.substr(0, good.size() / 2));
        broken.emplace_back(kind + ", cut after the first scan header", good.substr(0, scan + 14));
        broken.emplace_back(kind + ", cut inside the headers", good.substr(0, 120));
        broken.emplace_back(kind + ", last two bytes missing", good.substr(0, good.size() - 2));
        std::string table = good;
        const std::size_t huffman = findMarker(good, 0xC4);
        for (std::size_t i = huffman + 5; i < huffman + 21; ++i)
            table[i] = static_cast<char>(0xFF);
        broken.emplace_back(kind + ", impossible Huffman table", table);
        std::string ended = good;
        ended.replace(scan + 400, 2, "\xFF\xD9");
        broken.emplace_back(kind + ", end of picture inside the data", ended);
        std::string frame = good;
        const std::size_t sof = findMarker(good, progressive ? 0xC2 : 0xC0);
        frame[sof + 9] = 7; // components
        broken.emplace_back(kind + ", seven components", frame);
    }
    broken.emplace_back("empty", "");
    broken.emplace_back("only the start marker", "\xFF\xD8");
    start();
    const QImage before = picture();
    for (const auto& [what, bytes] : broken) {
        SCOPED_TRACE(what);
        folder_.write("image/violet.jpg", bytes);
        play("click SpeedButton14");
        const auto shown = boxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].rfind("error: JPEG 画像を読み込めません (", 0), 0u) << shown[0];
        EXPECT_TRUE(picture() == before);
    }
}

TEST_F(HostileFiles, APictureUnderAnotherNameAndOtherFilesUnderPictureNames)
{
    fs::remove(folder_ / "image/Water1.jpg");
    folder_.write("image/Water1.JPG", encodeJpeg(730, 420, false));
    folder_.write("image/Water1.jpeg", encodeJpeg(730, 420, false));
    folder_.write("image/Sea1.jpg", pngBytes());
    folder_.write("image/Sunset.jpg", cp932Book(numberedBook(2)));
    fs::remove(folder_ / "image/violet.jpg");
    fs::create_directories(folder_ / "image/violet.jpg/inside");
    start();
    const QImage before = picture();

    play("click SpeedButton13");
    EXPECT_EQ(boxes(), std::vector<std::string>{fileError(folder_ / "image/Water1.jpg")});
    play("click SpeedButton12");
    auto shown = boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("error: JPEG 画像を読み込めません (", 0), 0u) << shown[0];
    play("click SpeedButton2");
    shown = boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("error: JPEG 画像を読み込めません (", 0), 0u) << shown[0];
    // A folder by the picture's name cannot be read as a file.
    play("click SpeedButton14");
    EXPECT_EQ(boxes(), std::vector<std::string>{fileError(folder_ / "image/violet.jpg")});
    EXPECT_TRUE(picture() == before);

    // A picture named as a book, and as the other files the list offers.
    const std::string jpeg = hardening::readFile(PIYORAN_SOURCE_DIR "/data/image/Sea1.jpg");
    for (const char* name : {"photo.txt", "photo.qt1", "photo.ppm"})
        folder_.write(std::string("001/") + name, jpeg);
    for (const char* name : {"photo.txt", "photo.qt1"}) {
        SCOPED_TRACE(name);
        backToTheList();
        play(std::string("choose ") + name);
        expectOnlyRangeErrorsAndInfo(boxes(), name);
        expectAGoodBookStillOpens();
    }
    backToTheList();
    play("choose photo.ppm");
    EXPECT_EQ(boxes(), std::vector<std::string>{"info: 問題集ファイルを選択して下さい。"});
    EXPECT_EQ(form_->BookLines.count(), 0);
}

// ---- Books

TEST_F(HostileFiles, FiftyMebibyteBooksAreOpenedOrRefused)
{
    constexpr std::size_t kSize = 50u << 20;
    const std::string oneBlock = cp932Book(numberedBook(1));
    const std::string blocks =
        repeatedTo(kSize, cp932Book(numberedBook(2)).substr(oneBlock.size()), oneBlock);
    const std::string afterTitle = oneBlock.substr(oneBlock.find("\r\n"));
    const std::string japanese = repeatedTo(kSize, "\x82\xA0");
    std::string garbage(kSize, '\0');
    std::mt19937 random(11);
    for (char& c : garbage)
        c = static_cast<char>(random() & 0xFF);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"blocks.txt", blocks},
        {"one_line.qt1", std::string(kSize, 'a')},
        {"breaks.txt", std::string(kSize, '\n')},
        {"cr_lf.qt2", repeatedTo(kSize, "\r\n")},
        {"garbage.txt", garbage},
        {"commas.txt", "t\r\nh\r\n" + std::string(kSize, ',')},
        // One enormous line where the window shows it whole: the title, a
        // question line, a choice.
        {"title.txt", std::string(kSize, 'T') + afterTitle},
        {"question.txt", [] {
             auto lines = numberedBook(2);
             lines[2] = std::string(kSize, 'Q');
             return cp932Book(lines);
         }()},
        {"choice.qt1", [] {
             auto lines = hardening::longLineBook(2);
             lines.push_back("");
             lines[5] = std::string(kSize, 'r');
             return cp932Book(lines);
         }()},
        {"title_ja.txt", japanese + afterTitle},
        {"question_ja.txt", [&] {
             auto lines = numberedBook(2);
             lines[3] = "";
             std::string text = cp932Book(lines);
             return text.insert(text.find("\r\n\r\n") + 2, japanese);
         }()},
        // Saved as UTF-8, with its byte order mark: converted as it is read.
        {"utf8.txt", repeatedTo(kSize, "問題\r\n答え,こたえ\r\n", "\xEF\xBB\xBF")},
    };
    for (const Case& c : cases)
        folder_.write(std::string("001/") + c.name, c.bytes);
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        backToTheList();
        play(std::string("choose ") + c.name);
        expectOnlyRangeErrorsAndInfo(boxes(), c.name);
    }
    // The book of many blocks is opened, cut to 200 questions.
    backToTheList();
    play("choose blocks.txt");
    EXPECT_EQ(form_->QuestionCount, 200);
    EXPECT_EQ(boxes(), std::vector<std::string>{"info: 問題が200問を超えているため、最初の200問だけを出題します。"});
    expectAGoodBookStillOpens();
}

TEST_F(HostileFiles, AnEnormousLineIsShownWithoutAHang)
{
    // Where the window shows a line whole: a title in Japanese, a question
    // line, and a choice item without a single break (which Qt wraps in a
    // time that grows with the square of its length).
    const std::string japanese = repeatedTo(2u << 20, "\x82\xA0");
    const std::string book = cp932Book(numberedBook(2));
    const std::string title = japanese + book.substr(book.find("\r\n"));
    auto lines = numberedBook(2);
    lines[2] = std::string(2u << 20, 'Q');
    const std::string question = cp932Book(lines);
    lines = numberedBook(2);
    for (int q = 1; q <= 2; ++q)
        for (int c = 1; c <= 5; ++c)
            lines[static_cast<std::size_t>(book::choiceLine(q, c))] = std::string(400000, static_cast<char>('a' + c));
    const std::string choice = cp932Book(lines);
    folder_.write("001/title.txt", title);
    folder_.write("001/question.txt", question);
    folder_.write("001/choice.txt", choice);
    start();
    for (const char* name : {"title.txt", "question.txt", "choice.txt"}) {
        SCOPED_TRACE(name);
        backToTheList();
        play("seed 1\nchoose " + std::string(name));
        toolkit::Application::instance().processEvents();
        EXPECT_TRUE(boxes().empty());
        EXPECT_EQ(form_->QuestionCount, 2);
    }
    // What the controls hold is the whole line.
    EXPECT_EQ(form_->Memo4.text().size(), 400000u);
    play("pick wrong\npick right");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(form_->CurrentPos, 2);
}

TEST_F(HostileFiles, AFolderOfMoreBooksThanTheListShowsAtOnce)
{
    // Book bNN holds NN + 1 questions, so the count tells which one opened.
    for (int i = 0; i < 30; ++i) {
        const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
        folder_.write("002/b" + number + ".txt", cp932Book(numberedBook(i + 1)));
    }
    start();
    for (const int i : {25, 3, 29, 17, 0, 12}) {
        SCOPED_TRACE(i);
        const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
        play("answer yes\ninvoke Chushi\nclick SpeedButton4\nchoose b" + number + ".txt");
        EXPECT_EQ(form_->QuestionCount, i + 1);
        EXPECT_EQ(form_->FileListBox1.fileName(), (folder_ / "002" / ("b" + number + ".txt")).string());
    }
}

TEST_F(HostileFiles, BinaryGarbageNamedAsABook)
{
    std::mt19937 random(3);
    for (const char* name : {"noise.txt", "noise.qt5"}) {
        std::string bytes;
        for (int i = 0; i < 70000; ++i)
            bytes += static_cast<char>(random() & 0xFF);
        folder_.write(std::string("001/") + name, bytes);
    }
    start();
    for (const char* name : {"noise.txt", "noise.qt5"}) {
        SCOPED_TRACE(name);
        backToTheList();
        play(std::string("choose ") + name);
        expectOnlyRangeErrorsAndInfo(boxes(), name);
        // Whatever was opened, the learner can work on.
        for (const char* step : {"pick right", "pick wrong", "tick Timer1 3", "tick Timer4 3"}) {
            std::istringstream in(step);
            std::vector<script::Line> parsed;
            std::ostringstream unusable;
            script::parseScript(in, parsed, unusable);
            runner_->run(parsed);
        }
        // A replay offered on the way counts as declined.
        boxes_.clearUnanswered();
        expectOnlyRangeErrorsAndInfo(boxes(), name);
        expectAGoodBookStillOpens();
    }
}

TEST_F(HostileFiles, ABookThatIsGoneOrAFolderWhenClicked)
{
    folder_.write("001/gone.txt", cp932Book(numberedBook(2)));
    folder_.write("001/folder.txt", cp932Book(numberedBook(2)));
    start();
    play("click SpeedButton3");
    ASSERT_EQ(form_->FileListBox1.itemCount(), 3);
    fs::remove(folder_ / "001/gone.txt");
    fs::remove(folder_ / "001/folder.txt");
    fs::create_directories(folder_ / "001/folder.txt/inside");
    for (const char* name : {"gone.txt", "folder.txt"}) {
        SCOPED_TRACE(name);
        play(std::string("choose ") + name);
        EXPECT_EQ(boxes(), std::vector<std::string>{fileError(folder_ / "001" / name)});
        // Nothing is opened and the run does not start: the list stays.
        EXPECT_EQ(form_->BookLines.count(), 0);
        EXPECT_TRUE(form_->FileListBox1.visible());
        EXPECT_FALSE(form_->Timer1.enabled());
    }
    play("choose good.txt");
    EXPECT_EQ(form_->QuestionCount, 3);
    EXPECT_TRUE(boxes().empty());

    if (::geteuid() != 0) {
        // A book that cannot be read (the superuser reads it anyway).
        folder_.write("001/locked.txt", cp932Book(numberedBook(2)));
        // Another folder first, so that the list reads this one again.
        play("answer yes\ninvoke Chushi\nclick SpeedButton4");
        backToTheList();
        fs::permissions(folder_ / "001/locked.txt", fs::perms::none);
        play("choose locked.txt");
        EXPECT_EQ(boxes(), std::vector<std::string>{fileError(folder_ / "001/locked.txt")});
        fs::permissions(folder_ / "001/locked.txt", fs::perms::owner_all);
    }
}

TEST_F(HostileFiles, ACategoryFolderThatIsAFile)
{
    // A file by the folder's name is taken as a file of the program's
    // folder: the list shows that folder (and nothing of it matches the
    // mask), the board is reset, no box.
    fs::remove_all(folder_ / "002");
    folder_.write("002", "not a folder");
    start();
    play("click SpeedButton4");
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(form_->FileListBox1.visible());
    EXPECT_EQ(fs::path(form_->FileListBox1.directory()), folder_.path());
    EXPECT_EQ(form_->FileListBox1.itemCount(), 0);
    EXPECT_EQ(form_->FileListBox1.color(), 0xE7C2BEu);
    EXPECT_EQ(form_->MissNext, 1);
    play("click SpeedButton3\nchoose good.txt");
    EXPECT_EQ(form_->QuestionCount, 3);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(HostileFiles, ACategoryFolderThatIsALinkLoop)
{
    fs::remove_all(folder_ / "003");
    fs::create_symlink("003", folder_ / "003");
    fs::remove_all(folder_ / "004");
    fs::create_symlink("004b", folder_ / "004");
    fs::create_symlink("004", folder_ / "004b");
    start();
    const toolkit::Color listColor = form_->FileListBox1.color();
    for (const char* button : {"SpeedButton5", "SpeedButton6"}) {
        SCOPED_TRACE(button);
        play(std::string("click ") + button);
        const auto shown = boxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].rfind("error: 入出力エラーです: ", 0), 0u) << shown[0];
        // The rest of the button's work is skipped.
        EXPECT_FALSE(form_->FileListBox1.visible());
        EXPECT_EQ(form_->FileListBox1.color(), listColor);
        EXPECT_EQ(form_->MissNext, 0);
    }
    play("click SpeedButton3\nchoose good.txt");
    EXPECT_EQ(form_->QuestionCount, 3);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(HostileFiles, FileNamesThatAreNotUtf8)
{
    // テスト in code page 932, and café in Latin-1.
    const std::string names[] = {"\x83\x65\x83\x58\x83\x67.txt", "caf\xE9.qt1"};
    folder_.write("001/" + names[0], cp932Book(numberedBook(4)));
    folder_.write("001/" + names[1], cp932Book([] {
                      auto lines = hardening::longLineBook(2);
                      lines.push_back("");
                      return lines;
                  }()));
    start();
    play("click SpeedButton3");
    EXPECT_EQ(form_->FileListBox1.itemCount(), 3);
    const int questions[] = {4, 2};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        backToTheList();
        play("choose " + names[i]);
        EXPECT_TRUE(boxes().empty());
        EXPECT_EQ(form_->QuestionCount, questions[i]);
        // The title shows the name, each byte that is no character as U+FFFD.
        const QString title = toolkit::widgetOf(*form_)->windowTitle();
        EXPECT_TRUE(title.endsWith(QString::fromUtf8(names[i].data(), static_cast<qsizetype>(names[i].size()))))
            << title.toStdString();
        EXPECT_TRUE(title.contains(QChar(0xFFFD)));
        play("pick wrong\npick right");
        EXPECT_TRUE(boxes().empty());
    }
}

TEST_F(HostileFiles, LinkLoopsInACategoryFolder)
{
    fs::create_symlink("loop.txt", folder_ / "001/loop.txt");
    fs::create_symlink("b.qt1", folder_ / "001/a.qt1");
    fs::create_symlink("a.qt1", folder_ / "001/b.qt1");
    fs::create_symlink(".", folder_ / "001/here.txt");
    fs::create_symlink("good.txt", folder_ / "001/link_to_good.txt");
    start();
    play("click SpeedButton3");
    EXPECT_TRUE(boxes().empty());
    // Only what leads to a file is listed.
    std::vector<std::string> items;
    for (int i = 0; i < form_->FileListBox1.itemCount(); ++i)
        items.push_back(form_->FileListBox1.item(i));
    EXPECT_EQ(items, (std::vector<std::string>{"good.txt", "link_to_good.txt"}));
    play("type FileEdit *.*\nkey FileEdit 13");
    EXPECT_TRUE(boxes().empty());
    play("choose link_to_good.txt");
    EXPECT_EQ(form_->QuestionCount, 3);
    EXPECT_TRUE(boxes().empty());
}

} // namespace
