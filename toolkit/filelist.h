#pragma once

#include "toolkit/control.h"

#include <string>
#include <utility>
#include <vector>

namespace toolkit {

// A list of the plain files of one folder (no folders, no hidden files)
// whose names match any ";"-separated pattern of the mask, without regard to
// case, sorted, each with a file picture before it, in rows of 16 pixels.
class FileListBox : public Control {
public:
    static constexpr int kRowHeight = 16;

    FileListBox(Control& parent, std::string name);

    const std::string& directory() const { return directory_; }
    const std::string& mask() const { return mask_; }
    void setMask(const std::string& mask);

    int itemCount() const { return static_cast<int>(items_.size()); }
    const std::string& item(int index) const;
    int itemIndex() const { return itemIndex_; }
    // Selects an item (-1: none); no click runs.
    void setItemIndex(int index);
    // The item at a point of the list's client area, or -1.
    int itemAtPos(int x, int y) const;

    // The selected file's full path, or an empty text.
    std::string fileName() const;
    // Applies a text as a path: an empty text or the current file name
    // changes nothing; the folder part (else the current folder) becomes the
    // list's folder; a last part with "*" or "?" becomes the mask; else an
    // existing file is selected, or an existing folder entered. Anything
    // else raises the input/output error and changes nothing. A change of
    // folder changes the process's current folder too.
    void setFileName(const std::string& text);

private:
    static std::string currentFolder();
    void changeDirectory(const std::string& directory);
    void fill();
    // Shows items_ in the window system's list, nothing selected.
    void showItems();

    std::string directory_ = currentFolder();
    std::string mask_ = "*.*";
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

// A selector of named masks bound to a file list: choosing an entry sets
// the list's mask.
class FilterComboBox : public Control {
public:
    FilterComboBox(Control& parent, std::string name);
    // "Name|patterns|Name|patterns…"
    void setFilter(const std::string& filter);
    void bind(FileListBox& list) { list_ = &list; }
    int itemIndex() const { return itemIndex_; }
    void choose(int index);
    int entryCount() const { return static_cast<int>(entries_.size()); }
    const std::string& entryName(int index) const;
    // Whether keys (arrows, letters, the key that opens the entries) choose
    // an entry. Without, the selector keeps its place in the keyboard order
    // and Tab moves on from it, but no key changes it.
    void setChosenByKeys(bool chosen) { chosenByKeys_ = chosen; }
    bool chosenByKeys() const { return chosenByKeys_; }

private:
    // Show the entries and the chosen one in the window system's selector.
    void showEntries();
    void showChoice();

    std::vector<std::pair<std::string, std::string>> entries_;
    FileListBox* list_ = nullptr;
    int itemIndex_ = -1;
    bool chosenByKeys_ = true;
};

} // namespace toolkit
