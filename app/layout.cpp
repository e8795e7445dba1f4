// The main window as it is laid out: place, look, first content, hints,
// visibility, stacking and keyboard order of every control.

#include "app/orvel.h"

#include "app/look.h"
#include "app/texts.h"

#include <string>

using namespace look;
using toolkit::Font;
using toolkit::kGothic;
using toolkit::kPGothic;
using toolkit::kTimes;

namespace {

constexpr Color kMarkStrip = 0xFFAAAA;
constexpr Color kScoreBar = 0xC08080;

// Controls that are never seen lie below the client area.
constexpr int kHiddenRow = 430;

void setLook(toolkit::Control& control, Color back, const Font& font, Color fore)
{
    control.setColor(back);
    control.setFont(font);
    control.setFontColor(fore);
}

void typeface(toolkit::Control& control, const Font& font, Color fore)
{
    control.setFont(font);
    control.setFontColor(fore);
}

} // namespace

TOrvelform::TOrvelform(const std::string& exeDir) : Form("Orvelform", Kind::Main), ExeDir(exeDir)
{
    layOut();
    wireEvents();
    setTabOrder();
}

void TOrvelform::layOut()
{
    setClientSize(861, 418);
    setText(texts::kMainCaption);
    setColor(kWindowColor);
    typeface(*this, {kTimes, 16}, 0x808080);
    setIcon(":/piyoran/logo.xpm");

    Image1.setBounds(135, 0, 730, 420);
    Image1.loadFromResource(":/piyoran/builtin.jpg");

    Label1.setBounds(160, 15, 449, 21);
    typeface(Label1, {kPGothic, 21, true}, kWhite);
    Label1.setWordWrap(true);
    Label1.setText("英語学習ソフト　「ぴよらん」　ぽこぺ　 ver.1.1");
    Label2.setBounds(767, 15, 82, 24);
    typeface(Label2, {kTimes, 19}, kWhite);
    Label2.setAlignment(false, true);

    layOutMenu();
    layOutQuestionArea();
    layOutChoices();
    layOutStatus();
    layOutHidden();
    nameForScreenReaders();

    // Box controls lie above every label and flat button, and the picture
    // beneath them all.
    // Lowered last-made first, so labels keep their own order (the counters
    // stay above their band).
    const auto& all = controls();
    for (auto control = all.rbegin(); control != all.rend(); ++control)
        if (dynamic_cast<toolkit::Label*>(*control) || dynamic_cast<toolkit::SpeedButton*>(*control))
            (*control)->sendToBack();
    Image1.sendToBack();
}

void TOrvelform::layOutMenu()
{
    Label8.setBounds(8, 16, 121, 33);
    typeface(Label8, {kTimes, 24}, kNavy);
    Label8.setAlignment(true, true);
    Label8.setText("Menu");

    struct Category {
        toolkit::SpeedButton& button;
        int top;
        const char* caption;
    };
    const Category categories[] = {
        {SpeedButton3, 55, "中学１年英文法"}, {SpeedButton4, 77, "中学２年英文法"},
        {SpeedButton5, 99, "中学３年英文法"}, {SpeedButton6, 121, "高校入試対策"},
        {SpeedButton7, 143, "中学１年英単語"}, {SpeedButton8, 165, "中学２年英単語"},
        {SpeedButton9, 187, "中学３年英単語"}, {SpeedButton10, 209, "その他"},
        {SpeedButton15, 231, "おまけ"},
    };
    for (const Category& category : categories) {
        category.button.setBounds(10, category.top, 115, 20);
        typeface(category.button, {kPGothic, 13}, kCategoryText);
        category.button.setHandPointer();
        category.button.setGroup(1);
        category.button.setText(category.caption);
    }
    SpeedButton15.setFont({kTimes, 13});
    SpeedButton9.hide();

    owari.setBounds(10, 359, 115, 22);
    typeface(owari, {kGothic, 15}, kBlack);
    owari.setText("終了");
    owari.setHint("終了します");

    struct Background {
        toolkit::SpeedButton& button;
        int left;
        Color color;
        const char* caption;
    };
    const Background backgrounds[] = {
        {SpeedButton14, 10, 0xFF8080, "Sky"},
        {SpeedButton13, 40, 0xFF86BC, "Blue"},
        {SpeedButton12, 69, 0xDCD71B, "Sea"},
        {SpeedButton2, 100, 0xFE81EE, "Star"},
    };
    for (const Background& background : backgrounds) {
        background.button.setBounds(background.left, 395, 25, 20);
        typeface(background.button, {kTimes, 11, true, true}, background.color);
        background.button.setText(background.caption);
    }
}

void TOrvelform::layOutQuestionArea()
{
    Panel2.setBounds(148, 48, 701, 140);
    Panel2.setColor(kBlack);
    Panel2.setBevel(toolkit::Panel::Bevel::Lowered);
    Edit21.setBounds(8, 37, 36, 27);
    setLook(Edit21, kBlack, {kTimes, 21, true}, kLime);

    Edit2.setBounds(160, 53, 679, 33);
    setLook(Edit2, kBlack, {kPGothic, 23}, kAqua);
    Edit3.setBounds(190, 86, 651, 33);
    setLook(Edit3, kBlack, {kPGothic, 23}, kWhite);
    Edit4.setBounds(190, 119, 651, 33);
    setLook(Edit4, kBlack, {kPGothic, 23}, kWhite);
    for (toolkit::Edit* edit : {&Edit2, &Edit3, &Edit4})
        edit->setBorder(false);
    Memo1.setBounds(190, 152, 643, 33);
    setLook(Memo1, kBlack, {kPGothic, 27}, kWhite);
    for (toolkit::Control* box : std::initializer_list<toolkit::Control*>{&Edit2, &Edit3, &Edit4, &Memo1})
        box->bringToFront();
}

void TOrvelform::layOutChoices()
{
    Panel1.setBounds(155, 199, 312, 192);
    Panel1.setColor(kNavy);
    Panel1.hide();
    for (int k = 1; k <= 5; ++k) {
        toolkit::Memo& choice = slot(k);
        choice.setBounds(152, 198 + 38 * (k - 1), 313, 35);
        setLook(choice, kSlotIdle, {kPGothic, 27}, kChoiceText);
        choice.setCentred(true);
        choice.setHandPointer();
        choice.bringToFront();
        choice.setRole("選択肢 " + std::to_string(k));
        choice.setButtonNumber(k);
        choice.setHint("F" + std::to_string(k) + " キーでも選べます。");
    }

    FileListBox1.setBounds(150, 196, 316, 194);
    setLook(FileListBox1, 0xB6C2FE, {kPGothic, 15}, kBlack);
    FileListBox1.setHint("問題集を選んでクリックして下さい。");
    FileListBox1.setMask(texts::kBookMask);
    FileListBox1.hide();
    FileListBox1.bringToFront();

    SpeedButton11.setBounds(248, 393, 110, 19);
    typeface(SpeedButton11, {kTimes, 15}, 0x0080FF);
    SpeedButton11.setText("閉じる");
    SpeedButton11.setHint("問題集を閉じます");
    SpeedButton11.hide();
}

void TOrvelform::layOutStatus()
{
    Chushi.setBounds(243, 390, 129, 20);
    typeface(Chushi, {kPGothic, 15}, kRed);
    Chushi.setText("キャンセル");
    Chushi.setHint("中止します");
    Chushi.hide();

    Label10.setBounds(475, 240, 366, 22);
    Label10.setOpaque(true);
    Label10.setColor(0xFCCBE3);
    Label10.hide();

    struct Counter {
        toolkit::Label& label;
        int left;
        Color color;
        const char* caption;
    };
    const Counter counters[] = {
        {seikai, 488, 0xFF8000, "正"},
        {gotou, 597, kRed, "誤"},
        {Nokori, 718, 0x804000, "残"},
    };
    for (const Counter& counter : counters) {
        counter.label.setBounds(counter.left, 239, 98, 25);
        typeface(counter.label, {kTimes, 15}, counter.color);
        counter.label.setAlignment(false, true);
        counter.label.setText(counter.caption);
        counter.label.hide();
    }

    Label9.setBounds(488, 392, 241, 16);
    typeface(Label9, {kGothic, 16}, kBlue);

    Edit1.setBounds(475, 200, 57, 11);
    setLook(Edit1, kMarkStrip, {kTimes, 12}, 0xFF8080);
    Edit1.setHint("１度目で正答したとき");
    Edit6.setBounds(475, 216, 17, 11);
    setLook(Edit6, kMarkStrip, {kTimes, 12}, kRed);
    Edit6.setHint("１度目で間違ったとき");
    for (toolkit::Edit* strip : {&Edit1, &Edit6}) {
        strip->setBorder(false);
        strip->hide();
    }
}

void TOrvelform::layOutHidden()
{
    Otsukare.setBounds(10, kHiddenRow, 70, 20);
    Otsukare.setText("otsukare");
    Otsukare.hide();

    struct Command {
        toolkit::Button& button;
        int left;
        const char* caption;
        const char* hint;
    };
    const Command commands[] = {
        {Kesu, 90, "monkesu", ""},
        {Button1, 170, "seiseki", ""},
        {Button2, 250, "clear", ""},
        {Button6, 330, "Start", "答えの選択肢を表示し問題を解き始めます。"},
        {BitBtn3, 410, ">", "問題を１つ進めます。"},
        {BitBtn9, 450, "<", "問題を１つ戻します。"},
        {menushow, 490, "menushow", ""},
        {menunotshow, 570, "menunotshow", ""},
    };
    for (const Command& command : commands) {
        command.button.setBounds(command.left, kHiddenRow, 75, 25);
        command.button.setText(command.caption);
        command.button.setHint(command.hint);
    }
    Kotaekieru.setBounds(800, 384, 75, 25);
    Kotaekieru.setText("Kotaekieru");
    Kotaekieru.hide();

    BitBtn11.setBounds(23, kHiddenRow + 40, 17, 17);
    BitBtn11.setHint("時間とともに進みます。速さは問題数によって違います。");
    BitBtn12.setBounds(31, kHiddenRow + 60, 17, 17);
    BitBtn12.setHint("１題終えるごとに進みます。");

    struct BoardValue {
        toolkit::Memo& memo;
        const char* first;
        const char* hint;
    };
    const BoardValue board[] = {
        {Memo2, "0", "１度目で正解した回数です。"},
        {Memo3, "0", "１度目で正解しなかった回数です。"},
        {Memo5, "0\r\n", "１度目で正解した、いわゆる正答率です。"},
        {Memo6, "0", "合計ポイントです。"},
    };
    int left = 100;
    for (const BoardValue& value : board) {
        value.memo.setBounds(left, kHiddenRow + 40, 60, 40);
        value.memo.setText(value.first);
        value.memo.setHint(value.hint);
        left += 70;
    }

    const int barWidths[] = {13, 12, 18, 18, 18};
    toolkit::Edit* bars[] = {&Edit14, &Edit15, &Edit16, &Edit17, &Edit18};
    for (int row = 0; row < 5; ++row) {
        bars[row]->setBounds(450, kHiddenRow + 40 + 12 * row, barWidths[row], 10);
        bars[row]->setColor(kScoreBar);
        bars[row]->setBorder(false);
    }

    Panel4.setBounds(380, kHiddenRow + 35, 60, 70);
    struct PointLabel {
        toolkit::Label& label;
        const char* caption;
        const char* hint;
    };
    const PointLabel points[] = {
        {Label3, "5 point", "１度目で正解すると５ポイントです。"},
        {Label4, "3 point", "２度目で正解すると３ポイントです。"},
        {Label5, "2 point", "３度目で正解すると２ポイントです。"},
        {Label6, "1 point", "４度目で正解すると１ポイントです。"},
        {Label7, "0 point", "最後に正解するとポイントはありません。"},
    };
    int top = 2;
    for (const PointLabel& point : points) {
        point.label.setBounds(2, top, 56, 12);
        point.label.setText(point.caption);
        point.label.setHint(point.hint);
        top += 13;
    }

    Edit5.setBounds(190, kHiddenRow + 120, 651, 33);
    FileEdit.setBounds(10, kHiddenRow + 120, 160, 21);
    FileEdit.setEditable(true);
    FileEdit.setText(texts::kFileEditStart);
    FilterComboBox1.setBounds(10, kHiddenRow + 150, 160, 21);
    FilterComboBox1.setFilter(texts::kFilter);
    FilterComboBox1.bind(FileListBox1);
    // Nobody sees what it would choose, nor could undo it: the keyboard
    // passes over it.
    FilterComboBox1.setChosenByKeys(false);

    Timer1.setEnabled(false);
    Timer1.setInterval(1);
    Timer4.setEnabled(false);
    Timer4.setInterval(50);
}

// Boxes that hold a value, and labels that may be empty, are named by
// what they are for.
void TOrvelform::nameForScreenReaders()
{
    const std::pair<toolkit::Control*, const char*> roles[] = {
        {&Image1, "背景の絵"},          {&Label2, "問題数"},
        {&Panel2, "問題"},              {&Edit21, "問題番号"},
        {&Edit2, "見出し"},             {&Edit3, "問題文 1行目"},
        {&Edit4, "問題文 2行目"},       {&Edit5, "問題文 3行目"},
        {&Memo1, "答え"},               {&FileListBox1, "問題集の一覧"},
        {&Panel1, "問題集の一覧の背景"}, {&Label9, "結果"},
        {&Label10, "成績"},             {&Edit1, "１度目で正答した問題のしるし"},
        {&Edit6, "１度目で間違った問題のしるし"}, {&FileEdit, "ファイル名"},
        {&FilterComboBox1, "ファイルの種類"},
    };
    for (const auto& [control, role] : roles)
        control->setRole(role);
}

void TOrvelform::setTabOrder()
{
    Form::setTabOrder({&FileEdit, &FileListBox1, &FilterComboBox1, &Memo1, &Edit2, &Edit3, &Edit4,
                       &BitBtn3, &Edit5, &Edit21, &BitBtn9, &Edit14, &Edit15, &Edit16, &Edit17,
                       &Edit18, &Button1, &Button2, &Kesu, &BitBtn11, &BitBtn12, &Button6, &Memo2,
                       &Memo3, &Memo5, &Memo6, &Memo4, &Memo7, &Memo8, &Memo9, &Memo10, &Kotaekieru,
                       &menushow, &menunotshow, &Edit1, &Edit6});
}

toolkit::Memo& TOrvelform::slot(int k)
{
    toolkit::Memo* slots[] = {&Memo4, &Memo7, &Memo8, &Memo9, &Memo10};
    return *slots[k - 1];
}

std::array<toolkit::SpeedButton*, 9> TOrvelform::categoryButtons()
{
    return {&SpeedButton3, &SpeedButton4, &SpeedButton5, &SpeedButton6, &SpeedButton7,
            &SpeedButton8, &SpeedButton9, &SpeedButton10, &SpeedButton15};
}
