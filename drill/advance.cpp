// Moving through a run: the advance to the next step or question, back, the
// start, the progress timer and the fading of the answer log.

#include "app/orvel.h"

#include "app/look.h"
#include "app/texts.h"
#include "toolkit/boxes.h"

#include <string>

namespace {
std::string num(int value)
{
    return std::to_string(value);
}
} // namespace

void TOrvelform::BitBtn3Click()
{
    if (BookLines.count() == 0) {
        Otsukare.click();
        return;
    }
    if (AnswerKey.count() == 1 || QuestionDone == 1) {
        bool passEnded = false;
        KeyStep = 0;
        MissedThis = 0;
        Kotaekieru.click();
        QuestionDone = 0;
        if (Attempt == 0 && BookQuestions < CurrentPos) {
            Nokori.setText("!終了");
            Otsukare.click();
        }
        if (QuestionCount == AskedCount) {
            passEnded = true;
            Nokori.setText("Good Job!");
            // May start a retry pass, which runs this advance once more
            // inside; from here on the fields are as that left them.
            Otsukare.click();
        }
        if (RetryMode == 0 && !passEnded) {
            Nokori.setText(texts::kLeftPrefix + num(QuestionCount - AskedCount));
            ++CurrentPos;
            ++AskedCount;
        }
        if (RetryMode == 1) {
            setColor(look::kRetryColor);
            seikai.setText(texts::kCorrectPrefix + num(CorrectCount));
            Label2.setText("全" + num(QuestionCount - 1) + "問");
            Nokori.setText(texts::kLeftPrefix + num(QuestionCount - AskedCount));
            gotou.setText(texts::kMissedPrefix + num(MissNext - 1));
            if (AskedCount == 0) {
                AskedCount = 1;
                CurrentPos = MissedList[1];
            } else {
                CurrentPos = MissedList[AskedCount];
                ++AskedCount;
            }
        }
    } else {
        Label1.setText(num(AskedCount));
        ++KeyStep;
        Memo1.setFontColor(look::kNextStepLog);
    }

    // A reset has left QuestionCount at 0 when the run has ended.
    if (QuestionCount == 0)
        return;
    Attempt = 1;
    Edit21.setText(num(CurrentPos));
    // Position 0 stands for the first question, as QuestionOrder starts at 1.
    const int q = showStep(CurrentPos == 0 ? 1 : CurrentPos, KeyStep);
    if (AnswerKey.count() == KeyStep + 1)
        QuestionDone = 1;
    if (CurrentPos == 0)
        CurrentPos = 1;
    showQuestionText(q);
}

void TOrvelform::BitBtn9Click()
{
    if (BookLines.count() > 0) {
        CurrentPos -= 2;
        KeyStep = AnswerKey.count() == 1 ? 0 : AnswerKey.count() - 1;
        // From the first position back wraps to the last question the
        // book was opened with.
        if (CurrentPos == -1)
            CurrentPos = BookQuestions - 1;
    } else {
        Otsukare.click();
    }
    if (AnswerKey.count() == KeyStep + 1)
        QuestionDone = 1;
    BitBtn3.click();
}

void TOrvelform::Button6Click()
{
    if (BookLines.count() == 0) {
        toolkit::showMessage(texts::kNoBook);
        return;
    }
    FileListBox1.hide();
    Panel1.hide();
    Timer1.setEnabled(true);
    BitBtn11.setLeft(look::kTrackStart);
    BitBtn12.setLeft(look::kTrackStart);
    menunotshow.click();
}

void TOrvelform::Timer1Timer()
{
    // About seven seconds a question across the track.
    Timer1.setInterval(QuestionCount * 7000 / look::kTrackLength);
    BitBtn11.setLeft(BitBtn11.left() + 1);
    if (BitBtn11.left() > look::kTrackEnd)
        Timer1.setEnabled(false);
}

void TOrvelform::KotaekieruClick()
{
    FadeSteps = 20;
    FadeLeft = FadeSteps;
    Timer4.setEnabled(true);
}

void TOrvelform::Timer4Timer()
{
    if (FadeLeft <= 0) {
        Timer4.setEnabled(false);
        return;
    }
    --FadeLeft;
    const int v = FadeLeft * 255 / FadeSteps;
    Memo1.setFontColor(static_cast<toolkit::Color>(v) * 0x010101);
}
