#include "toolkit/filelist.h"

#include "toolkit/dispatch.h"
#include "toolkit/errors.h"
#include "toolkit/qt/bridge.h"

#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>

namespace toolkit {

namespace {

QListWidget* listOf(const FileListBox& box)
{
    return static_cast<QListWidget*>(widgetOf(box));
}

// The file glyph: a white page with a folded corner, as the browser edition
// draws it, at the list's pixel ratio. Drawn here rather than asked of the
// icon theme, which reads the theme's index (4 ms under X, and hundreds of
// kilobytes kept) and loads every image-format plugin installed for one
// small picture that then differs from desktop to desktop.
QIcon filePicture(qreal ratio)
{
    QPixmap page(QSize(16, 16) * ratio);
    page.setDevicePixelRatio(ratio);
    page.fill(Qt::transparent);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    painter.setBrush(Qt::white);
    const QPointF outline[] = {{3.5, 1.5}, {9.5, 1.5}, {12.5, 4.5}, {12.5, 14.5}, {3.5, 14.5}};
    painter.drawPolygon(outline, 5);
    const QPointF fold[] = {{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}};
    painter.drawPolyline(fold, 3);
    return QIcon(page);
}

// Puts the file glyph before every row that lacks it. A hidden list (the
// main window's, filled from the start folder while the window is built)
// gets its glyphs only when it is shown.
void giveFilePictures(QListWidget* list)
{
    if (list->count() == 0 || !list->item(0)->icon().isNull())
        return;
    const QIcon icon = filePicture(list->devicePixelRatioF());
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
