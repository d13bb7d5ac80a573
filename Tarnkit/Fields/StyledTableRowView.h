#pragma once

#include "Tarnkit/Fields/TableRowView.h"
#include "Tarnkit/Foundation/Selectable.h"
#include "Tarnkit/Foundation/StyledControl.h"
#include "Tarnkit/Foundation/StyledView.h"
#include "Tarnkit/Foundation/TableViewStyle.h"

#include <memory>

namespace tarnkit {

/// The styled table's row: it passes its selection down to its Selectable cell views (two
/// levels, also to a view added later) and draws the selection of neighbouring selected rows
/// as one block, inset selectionHorizontalInset points at the sides and rounded only at the
/// block's outer corners.
///
/// drawSelection: the style's row colour for the state (the selected row colour), in the
/// row's bounds inset at the sides: fully rounded (radius 3) when neither neighbour is
/// selected, only at the top for the first row of a run, only at the bottom for the last,
/// square in between. The shape comes from the row's bounds and is clipped to the dirty rect,
/// so a partial redraw draws the same pixels as a whole one. Main thread only.
class StyledTableRowView : public TableRowView, public StyledView, public StyledControl, public Selectable {
    Q_OBJECT
public:
    static constexpr double selectionCornerRadius = 3;

    /// The identifier tables keep these rows under: "StyledTableRowView" unless changed.
    static const QString& classIdentifier();
    static void setClassIdentifier(QString identifier);

    explicit StyledTableRowView(QWidget* parent = nullptr);

    double selectionHorizontalInset() const { return selectionHorizontalInset_; }
    void setSelectionHorizontalInset(double inset);

    /// A default TableViewStyle (the row's own).
    TableViewStyle& style() const override;
    /// default|selected (5) while selected, else default (1).
    StyledControlState controlState() const override;

    bool isSelected() const override { return TableRowView::isSelected(); }
    void setSelected(bool selected) override;

    /// Which corners the selection rounds, by whether the rows above and below are selected.
    enum class SelectionShape { alone, firstOfRun, insideRun, lastOfRun };
    static SelectionShape selectionShape(bool aboveSelected, bool belowSelected);

protected:
    void drawSelection(QPainter& painter, const QRectF& dirtyRect) override;
    void childEvent(QChildEvent* event) override;

private:
    double selectionHorizontalInset_ = 8;
    mutable std::unique_ptr<TableViewStyle> style_;
};

} // namespace tarnkit
