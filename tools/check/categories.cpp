#include "tools/check/categories.h"

namespace check {

std::string_view folderOf(std::string_view path)
{
    const std::size_t end = path.find_last_of("/\\");
    if (end == std::string_view::npos)
        return {};
    const std::string_view folders = path.substr(0, end);
    const std::size_t start = folders.find_last_of("/\\");
    return start == std::string_view::npos ? folders : folders.substr(start + 1);
}

const Category* categoryOf(std::string_view folder)
{
    for (const Category& category : kCategories)
        if (category.folder == folder)
            return &category;
    return nullptr;
}

bool looksLikeCategoryFolder(std::string_view folder)
{
    if (folder.size() != 3)
        return false;
    for (char c : folder)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace check
