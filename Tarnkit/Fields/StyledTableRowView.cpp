#include "Tarnkit/Fields/StyledTableRowView.h"

#include "Tarnkit/Fields/TableView.h"
#include "Tarnkit/Foundation/CornerRadii.h"

#include <QChildEvent>
#include <QPainter>
#include <QPainterPath>

namespace tarnkit {

namespace {

QString& rowIdentifier()
{
    static QString identifier = QStringLiteral("StyledTableRowView");
    return identifier;
}

} // namespace

const QString& StyledTableRowView::classIdentifier()
{
    return rowIdentifier();
}

void StyledTableRowView::setClassIdentifier(QString identifier)
{
    rowIdentifier() = std::move(identifier);
}

StyledTableRowView::StyledTableRowView(QWidget* parent) : TableRowView(parent)
{
    setIdentifier(classIdentifier());
}

void StyledTableRowView::setSelectionHorizontalInset(double inset)
{
    selectionHorizontalInset_ = inset;
    update();
}

TableViewStyle& StyledTableRowView::style() const
{
    if (!style_)
        style_ = std::make_unique<TableViewStyle>();
    return *style_;
}

StyledControlState StyledTableRowView::controlState() const
{
    return isSelected() ? StyledControlState::defaultState | StyledControlState::selected
                        : StyledControlState(StyledControlState::defaultState);
}

void StyledTableRowView::setSelected(bool selected)
{
    TableRowView::setSelected(selected);
    update();
    setSelectedOnSubviews(this, selected, true);
}

void StyledTableRowView::childEvent(QChildEvent* event)
{
    TableRowView::childEvent(event);
    if (event->added() && event->child()->isWidgetType())
        setSelectedOnSubviews(this, isSelected(), true);
}

StyledTableRowView::SelectionShape StyledTableRowView::selectionShape(bool above, bool below)
{
    if (above && below)
        return SelectionShape::insideRun;
    if (below)
        return SelectionShape::firstOfRun;
    if (above)
        return SelectionShape::lastOfRun;
    return SelectionShape::alone;
}

void StyledTableRowView::drawSelection(QPainter& painter, const QRectF& dirtyRect)
{
    TableView* table = tableView();
    if (selectionHighlightStyle() == SelectionHighlightStyle::none || !table) {
        TableRowView::drawSelection(painter, dirtyRect);
        return;
    }
    // The block's shape is the row's, whatever part of it is being redrawn.
    const QRectF row = QRectF(rect()).adjusted(selectionHorizontalInset_, 0, -selectionHorizontalInset_, 0);
    const Rect r = fromQt(row);
    const int index = table->row(this);
    const double radius = selectionCornerRadius;
    QPainterPath path;
    switch (selectionShape(table->isRowSelected(index - 1), table->isRowSelected(index + 1))) {
    case SelectionShape::alone:
        path.addRoundedRect(row, radius, radius);
        break;
    case SelectionShape::firstOfRun:
        // CornerRadii's top is the smaller y: the row's top on screen.
        path = CornerRadii{radius, radius, 0, 0}.path(r);
        break;
    case SelectionShape::insideRun:
        path.addRect(row);
        break;
    case SelectionShape::lastOfRun:
        path = CornerRadii{0, 0, radius, radius}.path(r);
        break;
    }
    painter.save();
    painter.setClipRect(dirtyRect, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, *style().rowBackgroundColor(controlState()));
    painter.restore();
}

} // namespace tarnkit
