#pragma once

#include "Tarnkit/Fields/TableReusableView.h"
#include "Tarnkit/Foundation/Geometry.h"

namespace tarnkit {

class TableView;

/// How a table shows its selected rows, by raw value.
enum class SelectionHighlightStyle : int {
    none = -1,
    regular = 0,
};

/// One row of a view-based table: it holds the row's cell views, one per visible column, and
/// draws the row's background and, while selected, its selection. Geometry here is Qt's (a
/// table and its rows are flipped: y grows downwards, the top is the smaller y). The table
/// places, sizes and reuses it. Main thread only.
class TableRowView : public TableReusableView {
    Q_OBJECT
public:
    explicit TableRowView(QWidget* parent = nullptr);

    virtual bool isSelected() const { return selected_; }
    /// Stores the selection and redraws.
    virtual void setSelected(bool selected);
    SelectionHighlightStyle selectionHighlightStyle() const { return highlightStyle_; }
    void setSelectionHighlightStyle(SelectionHighlightStyle style);

    /// The table the row sits in (its parent), if any.
    TableView* tableView() const;
    /// The cell view of the column at index among the row's cell views, or null.
    QWidget* viewAtColumn(int column) const;

protected:
    /// Behind the cells: nothing here (the table's background shows).
    virtual void drawBackground(QPainter& painter, const QRectF& dirtyRect);
    /// While selected and highlighted: fills the bounds with the platform's selection colour.
    virtual void drawSelection(QPainter& painter, const QRectF& dirtyRect);

    void paintEvent(QPaintEvent* event) override;

private:
    bool selected_ = false;
    SelectionHighlightStyle highlightStyle_ = SelectionHighlightStyle::regular;
};

} // namespace tarnkit
