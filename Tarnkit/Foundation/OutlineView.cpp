#include "Tarnkit/Foundation/OutlineView.h"

#include "Tarnkit/Foundation/MouseEvents.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QHash>
#include <QItemSelection>
#include <QMouseEvent>

namespace tarnkit {

OutlineView::OutlineView(QWidget* parent) : QTreeView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

void OutlineView::requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("an outline view is used off the main thread", "Tarnkit/NSOutlineView", line);
}

QModelIndex OutlineView::firstRowItem() const
{
    if (!model())
        return {};
    QModelIndex first = model()->index(0, 0, rootIndex());
    while (first.isValid() && isRowHidden(first.row(), first.parent()))
        first = indexBelow(first);
    return first;
}

int OutlineView::numberOfRows() const
{
    requireMainThread(__LINE__);
    int rows = 0;
    for (QModelIndex i = firstRowItem(); i.isValid(); i = indexBelow(i))
        ++rows;
    return rows;
}

QModelIndex OutlineView::item(int row) const
{
    requireMainThread(__LINE__);
    if (row < 0)
        return {};
    QModelIndex i = firstRowItem();
    for (int r = 0; i.isValid() && r < row; ++r)
        i = indexBelow(i);
    return i;
}

int OutlineView::row(const QModelIndex& item) const
{
    requireMainThread(__LINE__);
    if (!item.isValid() || item.model() != model())
        return -1;
    const QModelIndex wanted = item.siblingAtColumn(0);
    int r = 0;
    for (QModelIndex i = firstRowItem(); i.isValid(); i = indexBelow(i), ++r) {
        if (i == wanted)
            return r;
    }
    return -1;
}

std::vector<int> OutlineView::allRows() const
{
    const int count = numberOfRows();
    std::vector<int> rows;
    rows.reserve(std::size_t(count));
    for (int r = 0; r < count; ++r)
        rows.push_back(r);
    return rows;
}

std::vector<QModelIndex> OutlineView::allItems() const
{
    requireMainThread(__LINE__);
    std::vector<QModelIndex> items;
    for (QModelIndex i = firstRowItem(); i.isValid(); i = indexBelow(i))
        items.push_back(i);
    return items;
}

std::vector<int> OutlineView::selectedRows() const
{
    requireMainThread(__LINE__);
    std::vector<int> rows;
    if (!selectionModel())
        return rows;
    int r = 0;
    for (QModelIndex i = firstRowItem(); i.isValid(); i = indexBelow(i), ++r) {
        if (selectionModel()->isRowSelected(i.row(), i.parent()))
            rows.push_back(r);
    }
    return rows;
}

std::vector<QModelIndex> OutlineView::selectedItems() const
{
    requireMainThread(__LINE__);
    std::vector<QModelIndex> items;
    if (!selectionModel())
        return items;
    for (QModelIndex i = firstRowItem(); i.isValid(); i = indexBelow(i)) {
        if (selectionModel()->isRowSelected(i.row(), i.parent()))
            items.push_back(i);
    }
    return items;
}

void OutlineView::setSelectedItems(const std::vector<QModelIndex>& items)
{
    requireMainThread(__LINE__);
    if (!selectionModel())
        return;
    QHash<QModelIndex, bool> shown;
    for (QModelIndex i = firstRowItem(); i.isValid(); i = indexBelow(i))
        shown.insert(i, true);
    QItemSelection selection;
    for (const QModelIndex& item : items) {
        if (item.isValid() && shown.contains(item.siblingAtColumn(0)))
            selection.select(item.siblingAtColumn(0), item.siblingAtColumn(0));
    }
    if (selection.isEmpty())
        selectionModel()->clearSelection();
    else
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QModelIndex OutlineView::selectedItem() const
{
    const std::vector<QModelIndex> items = selectedItems();
    return items.size() == 1 ? items.front() : QModelIndex();
}

QModelIndex OutlineView::clickedItem() const
{
    return item(clickedRow_);
}

std::vector<QModelIndex> OutlineView::clickedItems() const
{
    requireMainThread(__LINE__);
    const QModelIndex clicked = clickedItem();
    if (!clicked.isValid())
        return {};
    if (selectionModel() && selectionModel()->isRowSelected(clicked.row(), clicked.parent()))
        return selectedItems();
    return {clicked};
}

IndexPath OutlineView::indexPath(const QModelIndex& item) const
{
    requireMainThread(__LINE__);
    if (!item.isValid() || item.model() != model())
        return {};
    IndexPath path;
    QModelIndex i = item.siblingAtColumn(0);
    for (; i.isValid() && i != rootIndex(); i = i.parent())
        path.insert(path.begin(), i.row());
    // Walked off the top without meeting the view's root: not in this view's tree.
    if (i != rootIndex())
        return {};
    return path;
}

bool OutlineView::isItemCollapsed(const QModelIndex& item) const
{
    requireMainThread(__LINE__);
    return item.isValid() && !isExpanded(item);
}

void OutlineView::mousePressEvent(QMouseEvent* event)
{
    clickedRow_ = row(indexAt(event->position().toPoint()));
    if (mouseEvents::isAlternateClick(*event)) {
        event->accept(); // a context click leaves the selection alone
        return;
    }
    QTreeView::mousePressEvent(event);
}

void OutlineView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (mouseEvents::isAlternateClick(*event)) {
        clickedRow_ = row(indexAt(event->position().toPoint()));
        event->accept();
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
}

} // namespace tarnkit
