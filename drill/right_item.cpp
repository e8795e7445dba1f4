#include "drill/right_item.h"

#include "app/orvel.h"
#include "book/format.h"
#include "toolkit/errors.h"

namespace drill {

std::vector<std::string> keyItemsOnScreen(const TOrvelform& form)
{
    const int q = form.QuestionOrder[form.CurrentPos];
    return book::splitItems(form.BookLines[book::keyLine(q)]);
}

std::optional<int> slotShowing(TOrvelform& form, bool right)
{
    std::vector<std::string> key;
    try {
        key = keyItemsOnScreen(form);
    } catch (const toolkit::Error&) {
        return std::nullopt;
    }
    if (form.KeyStep < 0 || form.KeyStep >= static_cast<int>(key.size()))
        return std::nullopt;
    const std::string& rightItem = key[static_cast<std::size_t>(form.KeyStep)];
    for (int k = 1; k <= 5; ++k)
        if (!form.slot(k).text().empty() && (form.SlotItems[static_cast<std::size_t>(k)] == rightItem) == right)
            return k;
    return std::nullopt;
}

} // namespace drill
