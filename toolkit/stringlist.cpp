#include "toolkit/stringlist.h"

#include "toolkit/errors.h"

namespace toolkit {

const std::string& StringList::at(int index) const
{
    if (index < 0 || index >= count())
        throw indexError(index);
    return items_[static_cast<std::size_t>(index)];
}

void StringList::put(int index, std::string item)
{
    if (index < 0 || index >= count())
        throw indexError(index);
    items_[static_cast<std::size_t>(index)] = std::move(item);
}

} // namespace toolkit
