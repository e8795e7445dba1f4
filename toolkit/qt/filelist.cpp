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

namespace toolkit {

namespace {

QListWidget* listOf(const FileListBox& box)
{
    return static_cast<QListWidget*>(widgetOf(box));
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

void FileListBox::showItems()
{
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

void FilterComboBox::showEntries()
{
    auto* combo = static_cast<QComboBox*>(widgetOf(*this));
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const auto& entry : entries_)
        combo->addItem(qs(entry.first));
    combo->setCurrentIndex(itemIndex_);
}

void FilterComboBox::showChoice()
{
    static_cast<QComboBox*>(widgetOf(*this))->setCurrentIndex(itemIndex_);
}

} // namespace toolkit
