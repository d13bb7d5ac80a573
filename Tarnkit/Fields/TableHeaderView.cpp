#include "Tarnkit/Fields/TableHeaderView.h"

#include "Tarnkit/Fields/TableColumn.h"
#include "Tarnkit/Fields/TableView.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>

namespace tarnkit {

TableHeaderView::TableHeaderView(QWidget* parent) : QWidget(parent)
{
}

TableView* TableHeaderView::tableView() const
{
    return tableView_.data();
}

void TableHeaderView::setTableView(TableView* table)
{
    tableView_ = table;
    update();
}

void TableHeaderView::setHeaderHeight(double height)
{
    headerHeight_ = height;
    if (tableView_)
        tableView_->tile();
}

Rect TableHeaderView::headerRect(int column) const
{
    if (!tableView_)
        return {};
    const Rect columnRect = tableView_->rectOfColumn(column);
    return Rect(columnRect.x(), 0, columnRect.width(), height());
}

void TableHeaderView::setNeedsLayout(bool needsLayout)
{
    needsLayout_ = needsLayout;
    if (needsLayout && !layoutPosted_) {
        layoutPosted_ = true;
        QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
    }
}

void TableHeaderView::layoutSubtreeIfNeeded()
{
    if (std::exchange(needsLayout_, false))
        layout();
}

void TableHeaderView::layout()
{
}

bool TableHeaderView::event(QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest) {
        layoutPosted_ = false;
        layoutSubtreeIfNeeded();
        return true;
    }
    return QWidget::event(event);
}

void TableHeaderView::paintEvent(QPaintEvent*)
{
    if (!tableView_)
        return;
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const std::vector<TableColumn*> columns = tableView_->tableColumns();
    for (int index = 0; index < int(columns.size()); ++index) {
        if (columns[std::size_t(index)]->isHidden())
            continue;
        const Rect frame = headerRect(index);
        if (frame.width() > 0)
            columns[std::size_t(index)]->headerCell().draw(painter, frame, *this);
    }
}

void TableHeaderView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    setNeedsLayout(true);
}

} // namespace tarnkit
