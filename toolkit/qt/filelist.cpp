#include "toolkit/filelist.h"

#include "toolkit/dispatch.h"
#include "toolkit/errors.h"
#include "toolkit/qt/bridge.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <filesystem>
#include <fnmatch.h>
#include <strings.h>
#include <system_error>

namespace fs = std::filesystem;

namespace toolkit {

namespace {

QListWidget* listOf(const FileListBox& box)
{
    return static_cast<QListWidget*>(widgetOf(box));
}

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

std::string currentFolder()
{
    std::error_code error;
    const fs::path path = fs::current_path(error);
    return error ? std::string("/") : path.string();
}

// Puts the file picture before every row that lacks it. Looking the picture
// up in the icon theme the first time takes milliseconds (4 ms under X), so
// a hidden list (the main window's, filled from the start folder while the
// window is built) gets its pictures only when it is shown.
void giveFilePictures(QListWidget* list)
{
    if (list->count() == 0 || !list->item(0)->icon().isNull())
        return;
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setIcon(icon);
}

class FilePicturesOnShow : public Watcher {
public:
    explicit FilePicturesOnShow(QListWidget* list) : Watcher(list) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            giveFilePictures(static_cast<QListWidget*>(watched));
        return false;
    }
};

// Lets only the keys that move the focus reach a selector that keys must
// not change.
class KeysPassOver : public Watcher {
public:
    KeysPassOver(FilterComboBox& selector, QWidget* watched) : Watcher(watched), selector_(selector) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // The selector is asked only about keys: other events reach the
        // widget while the selector is being destroyed.
        if ((event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) || selector_.chosenByKeys())
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key != Qt::Key_Tab && key != Qt::Key_Backtab;
    }

private:
    FilterComboBox& selector_;
};

} // namespace

FileListBox::FileListBox(Control& parent, std::string name)
    : Control(&parent, std::move(name), nativeWidget(new QListWidget(widgetOf(parent))))
{
    auto* list = listOf(*this);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QObject::connect(list, &QListWidget::itemClicked, list, [this] { learnerClick(); });
    new FilePicturesOnShow(list);
    // Arrow keys move the selection; Enter opens the selected file.
    QObject::connect(list, &QListWidget::currentRowChanged, list, [this](int row) {
        itemIndex_ = row >= 0 && row < itemCount() ? row : -1;
    });
    new KeyClicks(*this, list, false);
    new EventBridge(*this, list->viewport(), false);
    directory_ = currentFolder();
}

const std::string& FileListBox::item(int index) const
{
    if (index < 0 || index >= itemCount())
        throw indexError(index);
    return items_[static_cast<std::size_t>(index)];
}

void FileListBox::setItemIndex(int index)
{
    itemIndex_ = index >= 0 && index < itemCount() ? index : -1;
    auto* list = listOf(*this);
    const QSignalBlocker quiet(list);
    list->setCurrentRow(itemIndex_);
    if (itemIndex_ < 0)
        list->clearSelection();
}

int FileListBox::itemAtPos(int x, int y) const
{
    if (x < 0 || y < 0)
        return -1;
    const int row = y / kRowHeight + listOf(*this)->verticalScrollBar()->value();
    return row < itemCount() ? row : -1;
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

    auto* list = listOf(*this);
    const QSignalBlocker quiet(list);
    list->clear();
    for (const std::string& name : items_) {
        auto* row = new QListWidgetItem(QString::fromLocal8Bit(name.c_str()), list);
        row->setSizeHint(QSize(0, kRowHeight));
    }
    if (list->isVisible())
        giveFilePictures(list);
}

FilterComboBox::FilterComboBox(Control& parent, std::string name)
    : Control(&parent, std::move(name), nativeWidget(new QComboBox(widgetOf(parent))))
{
    auto* combo = static_cast<QComboBox*>(widgetOf(*this));
    QObject::connect(combo, &QComboBox::activated, combo, [this](int index) {
        dispatch([this, index] { choose(index); });
    });
    new KeysPassOver(*this, combo);
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
    auto* combo = static_cast<QComboBox*>(widgetOf(*this));
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const auto& entry : entries_)
        combo->addItem(qs(entry.first));
    itemIndex_ = entries_.empty() ? -1 : 0;
    combo->setCurrentIndex(itemIndex_);
}

void FilterComboBox::choose(int index)
{
    if (index < 0 || index >= entryCount())
        throw indexError(index);
    itemIndex_ = index;
    static_cast<QComboBox*>(widgetOf(*this))->setCurrentIndex(index);
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
