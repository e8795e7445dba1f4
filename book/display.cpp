// Showing a question of the open book: its text, and one step of its five
// choices in the order ChoiceOrder gives.

#include "app/orvel.h"

#include "app/look.h"
#include "book/cp932.h"
#include "book/format.h"

void TOrvelform::showQuestionText(int q)
{
    if (LongLineLayout == 0) {
        Edit3.setText(book::decodeCp932(BookLines[book::firstQuestionLine(q)]));
        Edit4.setText(book::decodeCp932(BookLines[book::firstQuestionLine(q) + 1]));
        Edit5.setText(book::decodeCp932(BookLines[book::firstQuestionLine(q) + 2]));
        return;
    }
    // The cuts fall on bytes, so each piece is decoded on its own.
    const auto pieces = book::longLinePieces(BookLines[book::longQuestionLine(q)]);
    Edit3.setText(book::decodeCp932(pieces[0]));
    Edit4.setText(book::decodeCp932(pieces[1]));
    Edit5.setText(book::decodeCp932(pieces[2]));
}

void TOrvelform::shuffleChoices()
{
    for (int k = 1; k <= 5; ++k)
        ChoiceOrder[k] = k;
    for (int k = 1; k <= 5; ++k)
        std::swap(ChoiceOrder[k], ChoiceOrder[1 + Randomizer.below(5)]);
}

int TOrvelform::showStep(int pos, int step)
{
    shuffleChoices();
    for (int k = 1; k <= 5; ++k)
        slot(k).setFontColor(look::kChoiceText);
    // Read only now: a position past the book fails here, after the shuffle
    // and the white text.
    const int q = QuestionOrder[pos];
    for (int k = 1; k <= 5; ++k)
        showChoice(k, step, q);
    return q;
}

// Splits the choice line of slot k into AnswerKey and shows its item for
// this step; after slot 5, AnswerKey holds the items of slot 5's line.
void TOrvelform::showChoice(int k, int step, int q)
{
    AnswerKey.assign(book::splitItems(BookLines[book::choiceLine(q, ChoiceOrder[k])]));
    const std::string& item = AnswerKey[step];
    SlotItems[static_cast<std::size_t>(k)] = item;
    slot(k).setText(book::decodeCp932(item));
}
