#pragma once

#include <QModelIndex>
#include <QTreeView>

#include <vector>

namespace tarnkit {

/// The position of an item in its tree: its top-level ancestor's row among the root's
/// children first, the item's row among its parent's children last.
using IndexPath = std::vector<int>;

/// A tree view read and written by rows and items, as the library's outline code expects.
///
/// Rows are the items shown, top to bottom (the children of a collapsed item have none); an
/// item is the model index of a row's first column. A press with the right button (or with
/// Control and the left button) records the clicked row and leaves the selection as it is, so
/// a context menu can act on the clicked item or on the selection it belongs to. Main thread
/// only: every operation stops the process when called elsewhere.
class OutlineView : public QTreeView {
    Q_OBJECT
public:
    explicit OutlineView(QWidget* parent = nullptr);

    int numberOfRows() const;
    /// The item of row; invalid when there is no such row.
    QModelIndex item(int row) const;
    /// The row of item; −1 when it is not shown (not in the tree, or under a collapsed item).
    int row(const QModelIndex& item) const;

    /// 0 ..< numberOfRows().
    std::vector<int> allRows() const;
    /// The items of all rows, in row order.
    std::vector<QModelIndex> allItems() const;

    /// The selected rows, ascending.
    std::vector<int> selectedRows() const;
    /// The items of the selected rows, in ascending row order.
    std::vector<QModelIndex> selectedItems() const;
    /// Selects exactly the rows of items (items not shown are left out); an empty result
    /// clears the selection.
    void setSelectedItems(const std::vector<QModelIndex>& items);
    /// The item of the selected row when exactly one row is selected; else invalid.
    QModelIndex selectedItem() const;

    /// The row of the last press on the view; −1 when it hit no row or there was none.
    int clickedRow() const { return clickedRow_; }
    /// The item of clickedRow(); invalid when none.
    QModelIndex clickedItem() const;
    /// When the clicked row is selected, the selected items; else the clicked row's item
    /// alone, or nothing when no row was clicked.
    std::vector<QModelIndex> clickedItems() const;

    /// The item's path from the root (the view's root index); empty for an invalid item or
    /// one that is not in this view's tree.
    IndexPath indexPath(const QModelIndex& item) const;
    /// Not expanded. The root (an invalid item) is always expanded.
    bool isItemCollapsed(const QModelIndex& item) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    /// A quick second context click is a context click too: it neither selects, nor opens or
    /// closes an item.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    static void requireMainThread(int line);
    QModelIndex firstRowItem() const;

    int clickedRow_ = -1;
};

} // namespace tarnkit
