// Scoring a found step: points by attempt, the bars, the board, the first-try
// strip, and the record of a missed question for the replay.

#include "app/orvel.h"

#include "app/texts.h"
#include "drill/points.h"

#include <string>

void TOrvelform::Button1Click()
{
    // Attempt 0: this button, run by itself from the keyboard, has scored
    // the step already. The pick that follows earns nothing and misses
    // nothing; it only counts as answered.
    if (drill::attemptScores(Attempt)) {
        toolkit::Edit* bars[] = {&Edit14, &Edit15, &Edit16, &Edit17, &Edit18};
        toolkit::Edit& bar = *bars[drill::scoreBarForAttempt(Attempt)];
        bar.setWidth(bar.width() + 2);
        if (Attempt == 1) {
            if (QuestionDone == 1 && MissedThis == 0) {
                Edit1.setText(Edit1.text() + "■");
                ++CorrectCount;
                seikai.setText(texts::kCorrectPrefix + std::to_string(CorrectCount));
                Kotaekieru.click();
            }
            ++FirstTryHits;
            Memo2.setText(std::to_string(FirstTryHits));
        } else {
            MissedThis = 1;
        }
        const int points = drill::pointsForAttempt(Attempt);
        if (points > 0) {
            TotalPoints += points;
            Memo6.setText(std::to_string(TotalPoints));
        }
        Attempt = 0;
    }

    ++AnsweredCount;
    Memo5.setText(std::to_string(FirstTryHits * 100 / AnsweredCount));
    Memo3.setText(std::to_string(AnsweredCount - FirstTryHits));
    if (MissedThis == 1 && QuestionDone == 1) {
        MissedList[MissNext] = CurrentPos;
        ++MissNext;
    }
}

void TOrvelform::Button2Click()
{
    for (toolkit::Edit* bar : {&Edit14, &Edit15, &Edit16, &Edit17, &Edit18})
        bar->setWidth(0);
}
