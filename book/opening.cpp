// Opening the book clicked in the file list: read it, settle its layout and
// question count, shuffle, show the first question, and start the run.

#include "app/orvel.h"

#include "app/texts.h"
#include "book/cp932.h"
#include "book/encoding.h"
#include "book/format.h"
#include "toolkit/boxes.h"
#include "toolkit/files.h"

#include <algorithm>
#include <string>

namespace {
// The lines after the 200th block are never read. A book keeps only as many
// lines as tell that it has more blocks than that (a long-line book of 201
// blocks has 3 + 8 x 201 lines), so that a file of millions of short lines
// is not split whole: that took seconds and gigabytes for 50 MiB.
constexpr std::size_t kLinesKept = 3 + 8 * (book::kMaxQuestions + 1);

std::string fileNamePart(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
} // namespace

void TOrvelform::FileListBox1Click()
{
    BookLines.clear();
    AnswerKey.clear();
    const std::string path = FileListBox1.fileName();
    const book::Layout layout = book::layoutOf(path);
    bool cut = false;

    if (layout != book::Layout::NotABook) {
        setText(CaptionBase + fileNamePart(path));
        LongLineLayout = layout == book::Layout::LongLine ? 1 : 0;
        KeyStep = 0;
        BookLines.assign(book::splitLines(book::toCp932Book(toolkit::readFile(path)).bytes, kLinesKept));
        if (LongLineLayout == 0) {
            Label1.setText(book::decodeCp932(BookLines[0]));
            Edit2.setText(book::decodeCp932(BookLines[1]));
        } else {
            Label1.setText(book::decodeCp932(BookLines[1]));
            Edit2.setText("");
        }
        const int blocks = book::questionCount(BookLines.count(), layout);
        if (blocks == 0) {
            // Nothing to ask: the book is not opened and the list stays.
            BookLines.clear();
            toolkit::showMessage("この問題集には問題がありません。");
            return;
        }
        cut = blocks > book::kMaxQuestions;
        QuestionCount = std::min(blocks, book::kMaxQuestions);
        BookQuestions = QuestionCount;
        Label2.setText("全" + std::to_string(QuestionCount) + "問");
        Nokori.setText(texts::kLeftPrefix + std::to_string(QuestionCount));

        Randomizer.randomize();
        for (int i = 1; i <= QuestionCount; ++i)
            QuestionOrder[i] = i;
        for (int i = 1; i <= QuestionCount; ++i)
            std::swap(QuestionOrder[i], QuestionOrder[1 + Randomizer.below(QuestionCount)]);

        CurrentPos = 1;
        Edit21.setText("1");
        // The text first: a choice line that fails leaves it on screen.
        showQuestionText(QuestionOrder[1]);
        showStep(1, 0);
        QuestionDone = AnswerKey.count() == 1 ? 1 : 0;
    }

    closeBookList();
    for (toolkit::Edit* strip : {&Edit1, &Edit6}) {
        strip->show();
        strip->setWidth(QuestionCount * 12 + 5);
    }
    Button6.click();
    if (cut)
        toolkit::showMessage("問題が200問を超えているため、最初の200問だけを出題します。");
}
