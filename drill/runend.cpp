// The end of a run: the reset of the board, the end-of-pass check with its
// offer to replay the missed questions, and the cancel.

#include "app/orvel.h"

#include "app/look.h"
#include "app/texts.h"
#include "toolkit/boxes.h"

#include <algorithm>
#include <string>

void TOrvelform::KesuClick()
{
    for (toolkit::Control* control :
         std::initializer_list<toolkit::Control*>{&Label1, &Edit2, &Edit3, &Edit4, &Edit5, &Memo4, &Memo7,
                                                  &Memo8, &Memo9, &Memo10, &Label9, &Label2, &Edit21,
                                                  &seikai, &Nokori})
        control->setText("");
    BitBtn11.setLeft(look::kTrackStart);
    BitBtn12.setLeft(look::kTrackStart);
    Timer1.setEnabled(false);
    gotou.setText("");
    Edit1.hide();
    Edit6.hide();
    Edit1.setText("");
    Edit6.setText("");
    Label10.hide();
    Memo1.setText("");
    MissNext = 1;
    AskedCount = 1;
    // After a replay of 200 questions QuestionCount is 201: the list has 200.
    for (int i = 1; i <= std::min(QuestionCount, MissedList.size()); ++i)
        MissedList[i] = 0;
    CurrentPos = 1;
    Attempt = 1;
    for (int* count : {&TotalPoints, &FirstTryHits, &AnsweredCount, &QuestionCount, &KeyStep, &QuestionDone,
                       &MissedThis, &CorrectCount, &RetryMode})
        *count = 0;
}

void TOrvelform::OtsukareClick()
{
    if (BookLines.count() == 0) {
        toolkit::showMessage(texts::kNoBook);
        return;
    }
    const bool passOver = (CurrentPos - 1 == QuestionCount && QuestionCount != 0) || AskedCount >= QuestionCount;
    if (!passOver)
        return;
    Timer1.setEnabled(false);
    // A replay of M questions runs with QuestionCount M + 1.
    const int asked = RetryMode == 1 ? QuestionCount - 1 : QuestionCount;
    Label9.setText(std::to_string(asked) + "問中" + std::to_string(CorrectCount) + "問の正解でした。");

    if (QuestionCount == 0 || MissNext == 1 || AskedCount == 1) {
        toolkit::showMessage("お疲れさまでした。");
        Kesu.click();
        setColor(look::kWindowColor);
        menushow.click();
        return;
    }
    if (toolkit::askConfirmation("お疲れ様でした。全問終了しました｡\r\r間違った問題だけを出題しますか ?",
                                 toolkit::BoxButtons::YesNo)
        == toolkit::mrYes) {
        QuestionCount = MissNext;
        MissNext = 1;
        AskedCount = 0;
        RetryMode = 1;
        QuestionDone = 1;
        Attempt = 1;
        CorrectCount = 0;
        Memo1.setText("\r\n");
        Label9.setText("");
        Edit6.setText("");
        Edit1.setFontColor(look::kGreen);
        // Leaves the question on screen for the first missed one.
        BitBtn3.click();
        return;
    }
    // No replay: the same category's books are offered again, and the
    // window stays in challenge mode.
    offerBookList();
    setColor(look::kWindowColor);
}

void TOrvelform::ChushiClick()
{
    if (toolkit::askConfirmation("中止しますか？", toolkit::BoxButtons::YesNo) != toolkit::mrYes)
        return;
    offerBookList();
    setColor(look::kWindowColor);
    menushow.click();
}
