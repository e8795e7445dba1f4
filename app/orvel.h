#pragma once

#include "book/format.h"
#include "toolkit/checked_array.h"
#include "toolkit/controls.h"
#include "toolkit/filelist.h"
#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/random.h"
#include "toolkit/stringlist.h"
#include "toolkit/timer.h"

#include <array>
#include <string>

// The main window: every control of the program and, after them, the whole
// state of a run. Its operations are defined in the folder of the part of
// the program they belong to: start-up, layout, menu modes, backgrounds and
// exit in app/; opening a book and the book chooser in book/; advance,
// answer checking, scoring and the run end in drill/.
class TOrvelform : public toolkit::Form {
public:
    // The category folders and image/ are found in exeDir.
    explicit TOrvelform(const std::string& exeDir);

    // The folder of the executable, ending in "/".
    const std::string ExeDir;

    // ---- Picture and title area
    toolkit::Image Image1{*this, "Image1"};
    toolkit::Label Label1{*this, "Label1"};
    toolkit::Label Label2{*this, "Label2"};

    // ---- Menu panel
    toolkit::Label Label8{*this, "Label8"};
    toolkit::SpeedButton SpeedButton3{*this, "SpeedButton3"};
    toolkit::SpeedButton SpeedButton4{*this, "SpeedButton4"};
    toolkit::SpeedButton SpeedButton5{*this, "SpeedButton5"};
    toolkit::SpeedButton SpeedButton6{*this, "SpeedButton6"};
    toolkit::SpeedButton SpeedButton7{*this, "SpeedButton7"};
    toolkit::SpeedButton SpeedButton8{*this, "SpeedButton8"};
    toolkit::SpeedButton SpeedButton9{*this, "SpeedButton9"};
    toolkit::SpeedButton SpeedButton10{*this, "SpeedButton10"};
    toolkit::SpeedButton SpeedButton15{*this, "SpeedButton15"};
    toolkit::SpeedButton owari{*this, "owari"};
    toolkit::SpeedButton SpeedButton14{*this, "SpeedButton14"};
    toolkit::SpeedButton SpeedButton13{*this, "SpeedButton13"};
    toolkit::SpeedButton SpeedButton12{*this, "SpeedButton12"};
    toolkit::SpeedButton SpeedButton2{*this, "SpeedButton2"};

    // ---- Question area
    toolkit::Panel Panel2{*this, "Panel2"};
    toolkit::Edit Edit21{Panel2, "Edit21"};
    toolkit::Edit Edit2{*this, "Edit2"};
    toolkit::Edit Edit3{*this, "Edit3"};
    toolkit::Edit Edit4{*this, "Edit4"};
    toolkit::Memo Memo1{*this, "Memo1"};

    // ---- Choices and book list
    toolkit::Panel Panel1{*this, "Panel1"};
    toolkit::Memo Memo4{*this, "Memo4"};
    toolkit::Memo Memo7{*this, "Memo7"};
    toolkit::Memo Memo8{*this, "Memo8"};
    toolkit::Memo Memo9{*this, "Memo9"};
    toolkit::Memo Memo10{*this, "Memo10"};
    toolkit::FileListBox FileListBox1{*this, "FileListBox1"};
    toolkit::SpeedButton SpeedButton11{*this, "SpeedButton11"};

    // ---- Status line and markers
    toolkit::SpeedButton Chushi{*this, "Chushi"};
    toolkit::Label Label10{*this, "Label10"};
    toolkit::Label seikai{*this, "seikai"};
    toolkit::Label gotou{*this, "gotou"};
    toolkit::Label Nokori{*this, "Nokori"};
    toolkit::Label Label9{*this, "Label9"};
    toolkit::Edit Edit1{*this, "Edit1"};
    toolkit::Edit Edit6{*this, "Edit6"};

    // ---- Never seen: internal operations and stored values
    toolkit::SpeedButton Otsukare{*this, "Otsukare"};
    toolkit::Button Kesu{*this, "Kesu"};
    toolkit::Button Button1{*this, "Button1"};
    toolkit::Button Button2{*this, "Button2"};
    toolkit::Button Button6{*this, "Button6"};
    toolkit::Button BitBtn3{*this, "BitBtn3"};
    toolkit::Button BitBtn9{*this, "BitBtn9"};
    toolkit::Button menushow{*this, "menushow"};
    toolkit::Button menunotshow{*this, "menunotshow"};
    toolkit::Button Kotaekieru{*this, "Kotaekieru"};
    toolkit::Button BitBtn11{*this, "BitBtn11"};
    toolkit::Button BitBtn12{*this, "BitBtn12"};
    toolkit::Memo Memo2{*this, "Memo2"};
    toolkit::Memo Memo3{*this, "Memo3"};
    toolkit::Memo Memo5{*this, "Memo5"};
    toolkit::Memo Memo6{*this, "Memo6"};
    toolkit::Edit Edit14{*this, "Edit14"};
    toolkit::Edit Edit15{*this, "Edit15"};
    toolkit::Edit Edit16{*this, "Edit16"};
    toolkit::Edit Edit17{*this, "Edit17"};
    toolkit::Edit Edit18{*this, "Edit18"};
    toolkit::Panel Panel4{*this, "Panel4"};
    toolkit::Label Label3{Panel4, "Label3"};
    toolkit::Label Label4{Panel4, "Label4"};
    toolkit::Label Label5{Panel4, "Label5"};
    toolkit::Label Label6{Panel4, "Label6"};
    toolkit::Label Label7{Panel4, "Label7"};
    toolkit::Edit Edit5{*this, "Edit5"};
    toolkit::Edit FileEdit{*this, "FileEdit"};
    toolkit::FilterComboBox FilterComboBox1{*this, "FilterComboBox1"};
    toolkit::Timer Timer1;
    toolkit::Timer Timer4;

    // ---- Run state
    std::string CaptionBase;
    toolkit::StringList BookLines;
    // Exists, empty, from start-up, so that counting its items never fails.
    toolkit::StringList AnswerKey;
    toolkit::CheckedArray<book::kMaxQuestions> QuestionOrder;
    toolkit::CheckedArray<5> ChoiceOrder;
    toolkit::CheckedArray<book::kMaxQuestions> MissedList;
    int CurrentPos = 0;
    int LongLineLayout = 0;
    int Attempt = 0;
    int TotalPoints = 0;
    int FirstTryHits = 0;
    int AnsweredCount = 0;
    int QuestionCount = 0;
    int KeyStep = 0;
    int QuestionDone = 0;
    int MissedThis = 0;
    int CorrectCount = 0;
    int FadeSteps = 0;
    int FadeLeft = 0;
    int MissNext = 0;
    int AskedCount = 0;
    int RetryMode = 0;
    // The number of questions the open book was opened with, after the cut
    // to 200: where the back wrap lands and past which the book has ended.
    int BookQuestions = 0;
    // The code page 932 bytes of the item each choice slot shows, so that a
    // pick is compared with the key byte for byte.
    std::array<std::string, 6> SlotItems;

    // The shuffles' generator, reseeded at each opening of a book.
    toolkit::Random Randomizer;

    // ---- Start-up (app/startup.cpp)
    void FormCreate();

    // ---- Menu modes, backgrounds and exit (app/menu.cpp)
    void menushowClick();
    void menunotshowClick();
    void SpeedButton14Click();
    void SpeedButton13Click();
    void SpeedButton12Click();
    void SpeedButton2Click();
    void owariClick();

    // ---- Opening a book and the chooser (book/opening.cpp, book/chooser.cpp)
    void FileListBox1Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton10Click();
    void SpeedButton15Click();
    void FileListBox1MouseMove(int x, int y);
    void SpeedButton11Click();
    void FileEditKeyPress(char& key);

    // ---- Advance and navigation (drill/advance.cpp)
    void BitBtn3Click();
    void BitBtn9Click();
    void Button6Click();
    void Timer1Timer();
    void KotaekieruClick();
    void Timer4Timer();

    // ---- Answer checking (drill/answer.cpp)
    void memo4Click();
    void memo7Click();
    void memo8Click();
    void memo9Click();
    void memo10Click();
    void memo4MouseMove(int x, int y);
    void memo7MouseMove(int x, int y);
    void memo8MouseMove(int x, int y);
    void memo9MouseMove(int x, int y);
    void memo10MouseMove(int x, int y);
    void FormMouseMove(int x, int y);
    // F1 to F5 pick the choice slots in slot order, as a click would.
    void answerByKey(int k);

    // ---- Scoring (drill/scoring.cpp)
    void Button1Click();
    void Button2Click();

    // ---- Run end, retry and cancel (drill/runend.cpp)
    void KesuClick();
    void OtsukareClick();
    void ChushiClick();

    // Choice slot k (1 to 5): Memo4, Memo7, Memo8, Memo9, Memo10.
    toolkit::Memo& slot(int k);
    // The nine category buttons, in menu order.
    std::array<toolkit::SpeedButton*, 9> categoryButtons();

private:
    void layOut();
    void layOutMenu();
    void layOutQuestionArea();
    void layOutChoices();
    void layOutStatus();
    void layOutHidden();
    void nameForScreenReaders();
    void wireEvents();
    void setTabOrder();

    void showCategory(const char* folder, toolkit::Color listColor);
    // A fresh board, and the book list with its close button.
    void offerBookList();
    void closeBookList();
    void showBackground(const char* file);
    void showQuestionText(int q);
    void shuffleChoices();
    // Shuffles the choices, whitens the five slots and shows step `step` of
    // the question at position pos; returns that question.
    int showStep(int pos, int step);
    void showChoice(int k, int step, int q);
    void clickSlot(int k);
    void highlightSlot(int k);
};
