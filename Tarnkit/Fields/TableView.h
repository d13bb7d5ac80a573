#pragma once

#ifndef Q_MOC_RUN // moc cannot read the concepts of the collection helpers
#include "Tarnkit/Components/CollectionMoves.h"
#endif
#include "Tarnkit/Fields/ClipView.h"
#include "Tarnkit/Fields/TableColumn.h"
#include "Tarnkit/Fields/TableHeaderView.h"
#include "Tarnkit/Fields/TableReusableView.h"
#include "Tarnkit/Fields/TableRowView.h"
#include "Tarnkit/Foundation/StyleValues.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tarnkit {

class ScrollView;
class TableCellView;
class TableView;

/// What a table shows: how many rows, and optionally the object value of each cell (handed
/// to the cell view's setObjectValue after the delegate made it; an invalid value is not).
class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfRows(const TableView& table) const = 0;
    virtual QVariant objectValue(const TableView& table, const TableColumn& column, int row) const;
};

/// How a table shows it: the cell view of each column of a row (usually from
/// TableView::makeView, so views are reused), the row view (a plain TableRowView when none),
/// and word of selection changes. The table takes over the views it is given.
class TableViewDelegate {
public:
    virtual ~TableViewDelegate() = default;
    virtual QWidget* viewFor(TableView& table, const TableColumn& column, int row) = 0;
    virtual TableRowView* rowViewFor(TableView& table, int row);
    virtual void selectionDidChange(TableView& table);
};

/// A view-based table: one row view per row, holding one cell view per visible column, under
/// an optional header view. Rows are rowHeight points high and the columns lie left to right
/// in their widths, the last visible one stretched to the table's width. Geometry is Qt's
/// (flipped: the top row is row 0 at y = 0).
///
/// It lives as the document of a ScrollView: it is as wide as its columns and as tall as its
/// rows (at least as large as the scroll view's content view; at most QWIDGETSIZE_MAX points
/// tall), and only the rows within the content view's bounds have views. A row that scrolls
/// out gives its row view and cell views back to the table, which hands them out again by
/// identifier (makeView, after prepareForReuse), so a table of any number of rows keeps about
/// one screen of views.
///
/// Selection: a click selects its row; Shift-click adds the rows from the last clicked one;
/// Control-click adds or removes one row; a click below the rows clears the selection (unless
/// allowsEmptySelection is off). The arrow keys move the selection (Shift extends it), Home,
/// End, Page Up and Page Down go further, Ctrl+A selects every row; the row moved to scrolls
/// into view. Other keys go to the parent. Selected rows' row views are told so.
///
/// Main thread only.
class TableView : public QWidget {
    Q_OBJECT
public:
    using IndexSet = collection::IndexSet;
    /// The identifier of the row views the table makes itself.
    static const QString defaultRowViewIdentifier;

    explicit TableView(QWidget* parent = nullptr);
    ~TableView() override;

    // ---- content ----------------------------------------------------------------------------
    TableViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(TableViewDataSource* dataSource);
    TableViewDelegate* delegate() const { return delegate_; }
    void setDelegate(TableViewDelegate* delegate);
    /// Asks the data source again and rebuilds the visible rows (the selection keeps the rows
    /// that still exist).
    void reloadData();
    int numberOfRows() const { return numberOfRows_; }

    // ---- columns ----------------------------------------------------------------------------
    void addTableColumn(std::unique_ptr<TableColumn> column);
    std::unique_ptr<TableColumn> removeTableColumn(TableColumn* column);
    std::vector<TableColumn*> tableColumns() const;
    int numberOfColumns() const { return int(columns_.size()); }
    /// The index of the column with that identifier, or −1.
    int column(const QString& identifier) const;
    /// Where the column at index lies (its width, the table's height); empty when hidden.
    Rect rectOfColumn(int column) const;
    Rect rectOfRow(int row) const;
    /// The row or column at point (Qt coordinates of the table), or −1.
    int row(const QPointF& point) const;
    int column(const QPointF& point) const;
    /// Lays the columns out again (a column's width or hidden flag changed).
    void columnsChanged();

    double rowHeight() const { return rowHeight_; }
    void setRowHeight(double height);

    TableHeaderView* headerView() const { return headerView_.data(); }
    /// Takes header over (or drops the header, for null) and tells it its table.
    void setHeaderView(TableHeaderView* header);
    ScrollView* enclosingScrollView() const;
    /// The clip view the table is the document of, if any.
    ClipView* enclosingClipView() const;

    const ColorRef& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(ColorRef color);
    SelectionHighlightStyle selectionHighlightStyle() const { return highlightStyle_; }
    void setSelectionHighlightStyle(SelectionHighlightStyle style);
    bool allowsMultipleSelection() const { return allowsMultipleSelection_; }
    void setAllowsMultipleSelection(bool allows) { allowsMultipleSelection_ = allows; }
    bool allowsEmptySelection() const { return allowsEmptySelection_; }
    void setAllowsEmptySelection(bool allows) { allowsEmptySelection_ = allows; }

    // ---- selection --------------------------------------------------------------------------
    const IndexSet& selectedRowIndexes() const { return selected_; }
    /// The last row selected by a click or key, else the highest selected row; −1 for none.
    int selectedRow() const;
    bool isRowSelected(int row) const { return selected_.contains(row); }
    /// Selects rows (those that exist), in place of the selection or added to it.
    void selectRowIndexes(const IndexSet& rows, bool byExtendingSelection);
    void deselectRow(int row);
    void deselectAll();
    void selectAll();

    // ---- views ------------------------------------------------------------------------------
    /// How makeView makes a view of identifier when none is waiting for reuse.
    void registerView(const QString& identifier, std::function<TableReusableView*()> make);
    /// A view of identifier given back by a row that scrolled out (after its prepareForReuse),
    /// else a new one from the registered factory, else null.
    TableReusableView* makeView(const QString& identifier);
    template <class V>
    V* makeView(const QString& identifier)
    {
        return dynamic_cast<V*>(makeView(identifier));
    }
    /// The row view of row, or the cell view at (column, row), while the row has views.
    TableRowView* rowView(int row) const;
    QWidget* view(int column, int row) const;
    /// The row that view (a row view, or any view inside one) shows; −1 for none.
    int row(const QWidget* view) const;
    /// Rows that have views now.
    int numberOfLiveRowViews() const { return int(live_.size()); }

    /// Scrolls the enclosing scroll view so that row shows.
    void scrollRowToVisible(int row);
    /// Sizes the table and gives the rows within view their views.
    void tile();

signals:
    void selectionDidChange();
    /// The table's action (ControlAction.h): sent after a click in a row has selected.
    void action();

protected:
    /// After the table has moved into another parent. Nothing here.
    virtual void superviewChanged();

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct LiveRow {
        TableRowView* view = nullptr;
        std::vector<QPointer<QWidget>> cells; // by column index; null where none
    };

    void setSelection(IndexSet rows);
    void moveSelection(int to, bool extending);
    void rowsChangedSelection();
    Rect visibleRect() const;
    void layoutRow(int row, LiveRow& live) const;
    LiveRow makeRow(int row);
    void recycle(QWidget* view);
    void recycleRow(LiveRow& live);
    void recycleAll();
    void watchClipView();

    TableViewDataSource* dataSource_ = nullptr;
    TableViewDelegate* delegate_ = nullptr;
    int numberOfRows_ = 0;
    std::vector<std::unique_ptr<TableColumn>> columns_;
    double rowHeight_ = 24;
    QPointer<TableHeaderView> headerView_;
    ColorRef backgroundColor_;
    SelectionHighlightStyle highlightStyle_ = SelectionHighlightStyle::regular;
    bool allowsMultipleSelection_ = true;
    bool allowsEmptySelection_ = true;

    IndexSet selected_;
    int anchor_ = -1; // where Shift extends from
    int lead_ = -1;   // the row last clicked or moved to

    std::map<int, LiveRow> live_;
    std::unordered_map<const QWidget*, int> rowOfView_;
    std::unordered_map<QString, std::vector<QPointer<TableReusableView>>> reusable_;
    std::unordered_map<QString, std::function<TableReusableView*()>> factories_;
    QPointer<ClipView> watchedClip_;
    std::vector<QMetaObject::Connection> clipConnections_;
    bool tiling_ = false;
};

} // namespace tarnkit
