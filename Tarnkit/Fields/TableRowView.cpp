#include "Tarnkit/Fields/TableRowView.h"

#include "Tarnkit/Fields/TableHeaderView.h"
#include "Tarnkit/Fields/TableView.h"
#include "Tarnkit/Foundation/Styles.h"

#include <QPaintEvent>
#include <QPainter>

namespace tarnkit {

TableRowView::TableRowView(QWidget* parent) : TableReusableView(parent)
{
}

void TableRowView::setSelected(bool selected)
{
    selected_ = selected;
    update();
}

void TableRowView::setSelectionHighlightStyle(SelectionHighlightStyle style)
{
    highlightStyle_ = style;
    update();
}

TableView* TableRowView::tableView() const
{
    return qobject_cast<TableView*>(parentWidget());
}

QWidget* TableRowView::viewAtColumn(int column) const
{
    const TableView* table = tableView();
    return table ? table->view(column, table->row(this)) : nullptr;
}

void TableRowView::drawBackground(QPainter&, const QRectF&)
{
}

void TableRowView::drawSelection(QPainter& painter, const QRectF& dirtyRect)
{
    painter.fillRect(dirtyRect, *Styles::TableRow::selectedBackground());
}

void TableRowView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF dirty(event->rect());
    drawBackground(painter, dirty);
    if (isSelected() && highlightStyle_ != SelectionHighlightStyle::none)
        drawSelection(painter, dirty);
}

} // namespace tarnkit
