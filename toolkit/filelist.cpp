// The book list and the filter selector apart from the window system: which
// files of a folder the list holds, in which order, and what a path typed
// into it does. Showing them is the window system's side.

#include "toolkit/filelist.h"

#include "toolkit/errors.h"

#include <algorithm>
#include <filesystem>
#include <fnmatch.h>
#include <strings.h>
#include <system_error>

namespace fs = std::filesystem;

namespace toolkit {

namespace {

// A file-name pattern knows only "*" and "?": brackets and backslashes,
// which fnmatch would read as a set or an escape, stand for themselves.
std::string onlyStarAndQuestionMark(const std::string& pattern)
{
    std::string escaped;
    for (const char c : pattern) {
        if (c == '[' || c == ']' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// The mask's patterns, ready for fnmatch.
std::vector<std::string> splitPatterns(const std::string& mask)
{
    std::vector<std::string> patterns;
    std::size_t start = 0;
    while (start <= mask.size()) {
        const std::size_t end = std::min(mask.find(';', start), mask.size());
        if (end > start)
            patterns.push_back(onlyStarAndQuestionMark(mask.substr(start, end - start)));
        start = end + 1;
    }
    return patterns;
}

bool matchesAny(const std::string& name, const std::vector<std::string>& patterns)
{
    for (const std::string& pattern : patterns) {
        // "*.*" stands for every file, dot or not.
        if (pattern == "*.*" || pattern == "*")
            return true;
        if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD | FNM_PERIOD) == 0)
            return true;
    }
    return false;
}

bool hasWildcard(const std::string& text)
{
    return text.find_first_of("*?") != std::string::npos;
}

std::string absoluteFolder(const std::string& folder)
{
    std::error_code error;
    fs::path path = fs::absolute(fs::path(folder), error);
    if (error)
        throw inOutError(folder);
    path = path.lexically_normal();
    std::string text = path.string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

bool isFolder(const std::string& path)
{
    std::error_code error;
    return fs::is_directory(fs::path(path), error);
}

bool isFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(fs::path(path), error);
}


} // namespace

std::string FileListBox::currentFolder()
{
    std::error_code error;
    const fs::path path = fs::current_path(error);
    return error ? std::string("/") : path.string();
}

const std::string& FileListBox::item(int index) const
{
    if (index < 0 || index >= itemCount())
        throw indexError(index);
    return items_[static_cast<std::size_t>(index)];
}

std::string FileListBox::fileName() const
{
    if (itemIndex_ < 0)
        return {};
    return directory_ + "/" + items_[static_cast<std::size_t>(itemIndex_)];
}

void FileListBox::setMask(const std::string& mask)
{
    mask_ = mask;
    fill();
}

void FileListBox::setFileName(const std::string& text)
{
    if (text.empty() || strcasecmp(text.c_str(), fileName().c_str()) == 0)
        return;
    const std::size_t slash = text.rfind('/');
    const std::string folderPart = slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
    const std::string lastPart = slash == std::string::npos ? text : text.substr(slash + 1);
    const std::string folder = absoluteFolder(folderPart.empty() ? currentFolder() : folderPart);
    if (!isFolder(folder))
        throw inOutError(folderPart);

    if (hasWildcard(lastPart)) {
        changeDirectory(folder);
        mask_ = lastPart;
        fill();
        return;
    }
    const std::string path = folder == "/" ? "/" + lastPart : folder + "/" + lastPart;
    if (lastPart.empty() || (!isFile(path) && isFolder(path))) {
        changeDirectory(lastPart.empty() ? folder : absoluteFolder(path));
        return;
    }
    if (!isFile(path))
        throw inOutError(text);
    changeDirectory(folder);
    const auto found = std::find(items_.begin(), items_.end(), lastPart);
    setItemIndex(found == items_.end() ? -1 : static_cast<int>(found - items_.begin()));
}

void FileListBox::changeDirectory(const std::string& directory)
{
    if (directory == directory_)
        return;
    std::error_code error;
    fs::current_path(fs::path(directory), error);
    if (error)
        throw inOutError(directory);
    directory_ = directory;
    fill();
}

void FileListBox::fill()
{
    const std::vector<std::string> patterns = splitPatterns(mask_);
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(fs::path(directory_), error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code statError;
        if (name.empty() || name[0] == '.' || !entry->is_regular_file(statError))
            continue;
        if (matchesAny(name, patterns))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int folded = strcasecmp(a.c_str(), b.c_str());
        return folded != 0 ? folded < 0 : a < b;
    });
    items_ = std::move(names);
    itemIndex_ = -1;

    showItems();
}

void FilterComboBox::setFilter(const std::string& filter)
{
    entries_.clear();
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t end = std::min(filter.find('|', start), filter.size());
        parts.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        entries_.emplace_back(parts[i], parts[i + 1]);
    itemIndex_ = entries_.empty() ? -1 : 0;
    showEntries();
}

void FilterComboBox::choose(int index)
{
    if (index < 0 || index >= entryCount())
        throw indexError(index);
    itemIndex_ = index;
    showChoice();
    if (list_)
        list_->setMask(entries_[static_cast<std::size_t>(index)].second);
}

const std::string& FilterComboBox::entryName(int index) const
{
    if (index < 0 || index >= entryCount())
        throw indexError(index);
    return entries_[static_cast<std::size_t>(index)].first;
}

} // namespace toolkit
