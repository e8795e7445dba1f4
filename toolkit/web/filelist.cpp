#include "toolkit/filelist.h"

#include "toolkit/dispatch.h"
#include "toolkit/web/native.h"
#include "toolkit/web/page.h"

namespace toolkit {

FileListBox::FileListBox(Control& parent, std::string name)
    : Control(&parent, std::move(name), pageElement("filelist", parent))
{
}

void FileListBox::setItemIndex(int index)
{
    itemIndex_ = index >= 0 && index < itemCount() ? index : -1;
    page_set_item_index(idOf(*this), itemIndex_);
}

int FileListBox::itemAtPos(int x, int y) const
{
    if (x < 0 || y < 0)
        return -1;
    const int row = y / kRowHeight + page_first_visible_row(idOf(*this));
    return row < itemCount() ? row : -1;
}

void FileListBox::showItems()
{
    std::string names;
    for (const std::string& name : items_) {
        if (!names.empty())
            names += '\n';
        names += name;
    }
    page_set_items(idOf(*this), names.c_str());
}

FilterComboBox::FilterComboBox(Control& parent, std::string name)
    : Control(&parent, std::move(name), pageElement("combo", parent))
{
}

void FilterComboBox::showEntries()
{
    std::string names;
    for (const auto& entry : entries_) {
        if (!names.empty())
            names += '\n';
        names += entry.first;
    }
    page_set_combo_items(idOf(*this), names.c_str(), itemIndex_);
}

void FilterComboBox::showChoice()
{
    showEntries();
}

} // namespace toolkit
