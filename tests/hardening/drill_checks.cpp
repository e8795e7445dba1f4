#include "tests/hardening/drill_checks.h"

#include "app/orvel.h"
#include "book/encoding.h"
#include "toolkit/errors.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace hardening {

bool wellFormedBook(std::string_view bytes, book::Layout layout)
{
    if (layout == book::Layout::NotABook)
        return true;
    // Read as the opening reads a file: a book saved as UTF-8 is converted.
    const std::vector<std::string> lines = book::splitLines(book::toCp932Book(std::string(bytes)).bytes);
    if (lines.size() < 2)
        return false;
    const int blocks = std::min(book::questionCount(static_cast<int>(lines.size()), layout), book::kMaxQuestions);
    for (int q = 1; q <= blocks; ++q) {
        std::size_t steps = 0;
        for (int c = 1; c <= 5; ++c) {
            const std::size_t items = book::splitItems(lines[static_cast<std::size_t>(book::choiceLine(q, c))]).size();
            if (items == 0 || (c > 1 && items != steps))
                return false;
            steps = items;
        }
    }
    return true;
}

bool isRangeError(const std::string& boxText)
{
    const std::string prefix = toolkit::errorBoxText(toolkit::indexError(0).what());
    const std::string head = prefix.substr(0, prefix.find('('));
    return boxText.rfind(head + "(", 0) == 0 && boxText.back() == ')';
}

bool isFileError(const std::string& boxText, const std::string& path)
{
    return boxText == toolkit::errorBoxText(toolkit::fileOpenError(path).what());
}

std::string brokenInvariant(TOrvelform& form, bool resetSeen, bool positionsKept)
{
    std::ostringstream why;
    const int lowest = resetSeen ? 1 : 0;
    if (form.MissNext < lowest || form.MissNext > book::kMaxQuestions + 1)
        why << "MissNext is " << form.MissNext << "; ";

    const bool bookOpen = form.BookLines.count() > 0;
    if (form.RetryMode == 0 && bookOpen && form.QuestionCount > 0 && form.QuestionCount == form.BookQuestions) {
        const int count = form.QuestionCount;
        if (count > form.QuestionOrder.size()) {
            why << "QuestionCount " << count << " is beyond QuestionOrder; ";
        } else {
            std::vector<int> seen(static_cast<std::size_t>(count) + 1, 0);
            for (int p = 1; p <= count; ++p) {
                const int q = form.QuestionOrder[p];
                if (q < 1 || q > count || seen[static_cast<std::size_t>(q)]++) {
                    why << "QuestionOrder[1.." << count << "] is no permutation (entry " << p << " is " << q
                        << "); ";
                    break;
                }
            }
        }
    }

    if (form.ChoiceOrder[1] != 0) {
        std::vector<int> order;
        for (int k = 1; k <= 5; ++k)
            order.push_back(form.ChoiceOrder[k]);
        std::sort(order.begin(), order.end());
        if (order != std::vector<int>{1, 2, 3, 4, 5})
            why << "ChoiceOrder is no permutation of 1 to 5; ";
    }

    const std::string& shown = form.Edit21.text();
    if (!shown.empty() && bookOpen && positionsKept) {
        const bool digits = std::all_of(shown.begin(), shown.end(), [](char c) { return c >= '0' && c <= '9'; });
        const int p = digits && shown.size() < 9 ? std::stoi(shown) : -1;
        if (p < 1 || p > form.QuestionOrder.size())
            why << "Edit21 shows position '" << shown << "'; ";
        else if (const int q = form.QuestionOrder[p]; q < 1 || q > form.BookQuestions)
            why << "Edit21 shows position " << p << ", whose question " << q << " is no block of the open book (it has "
                << form.BookQuestions << "); ";
    }
    return why.str();
}

std::string brokenAfterReset(TOrvelform& form)
{
    std::ostringstream why;
    if (form.Timer1.enabled())
        why << "Timer1 still enabled; ";
    if (form.MissNext != 1 || form.AskedCount != 1 || form.CurrentPos != 1 || form.Attempt != 1)
        why << "MissNext, AskedCount, CurrentPos, Attempt are " << form.MissNext << ", " << form.AskedCount << ", "
            << form.CurrentPos << ", " << form.Attempt << "; ";
    if (form.QuestionCount != 0 || form.RetryMode != 0 || form.KeyStep != 0 || form.QuestionDone != 0)
        why << "QuestionCount, RetryMode, KeyStep, QuestionDone are " << form.QuestionCount << ", " << form.RetryMode
            << ", " << form.KeyStep << ", " << form.QuestionDone << "; ";
    if (!form.Edit21.text().empty())
        why << "Edit21 still shows '" << form.Edit21.text() << "'; ";
    return why.str();
}

} // namespace hardening
