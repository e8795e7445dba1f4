// Checking a picked choice against the key line, and the highlight that
// follows the pointer over the choice slots.

#include "app/orvel.h"

#include "app/look.h"
#include "app/texts.h"
#include "book/cp932.h"
#include "drill/right_item.h"
#include "toolkit/boxes.h"

#include <string>

void TOrvelform::clickSlot(int k)
{
    toolkit::Memo& picked = slot(k);
    if (picked.text().empty()) {
        toolkit::showMessage(texts::kNoBook);
        return;
    }
    // The advance left the items of another line here: split the key afresh.
    AnswerKey.assign(drill::keyItemsOnScreen(*this));
    if (KeyStep == 0)
        Memo1.setText(Memo1.text() + "\r\n");
    const std::string right = AnswerKey[KeyStep];

    if (SlotItems[static_cast<std::size_t>(k)] == right) {
        picked.setFontColor(look::kRightPick);
        Memo1.setLine(CurrentPos, Memo1.line(CurrentPos) + " " + book::decodeCp932(right));
        if (QuestionCount != 0)
            BitBtn12.setLeft(BitBtn12.left() + look::kTrackLength / QuestionCount);
        Button1.click();
        BitBtn3.click();
        return;
    }

    picked.setFontColor(look::kWrongPick);
    Memo1.setFontColor(look::kWrongPick);
    if (Attempt == 1) {
        // One mark per missed question, at its first wrong pick.
        if (MissedThis == 0)
            Edit6.setText(Edit6.text() + "■");
        gotou.setText(texts::kMissedPrefix + std::to_string(MissNext));
    }
    ++Attempt;
}

void TOrvelform::memo4Click() { clickSlot(1); }
void TOrvelform::memo7Click() { clickSlot(2); }
void TOrvelform::memo8Click() { clickSlot(3); }
void TOrvelform::memo9Click() { clickSlot(4); }
void TOrvelform::memo10Click() { clickSlot(5); }

void TOrvelform::answerByKey(int k)
{
    // Only a slot that shows a choice can be picked: the book list covers
    // the slots while it is open.
    if (FileListBox1.visible() || slot(k).text().empty())
        return;
    slot(k).click();
}

void TOrvelform::highlightSlot(int k)
{
    for (int i = 1; i <= 5; ++i)
        slot(i).setColor(i == k ? look::kSlotHover : look::kSlotIdle);
}

void TOrvelform::memo4MouseMove(int, int) { highlightSlot(1); }
void TOrvelform::memo7MouseMove(int, int) { highlightSlot(2); }
void TOrvelform::memo8MouseMove(int, int) { highlightSlot(3); }
void TOrvelform::memo9MouseMove(int, int) { highlightSlot(4); }
void TOrvelform::memo10MouseMove(int, int) { highlightSlot(5); }

void TOrvelform::FormMouseMove(int, int)
{
    for (toolkit::SpeedButton* category : categoryButtons())
        category->setFontColor(look::kCategoryText);
    highlightSlot(0);
}
