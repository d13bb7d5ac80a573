#include "Tarnkit/Fields/TableColumn.h"

#include "Tarnkit/Fields/TableHeaderView.h"
#include "Tarnkit/Fields/TableView.h"

#include "platform/foundation/FatalError.h"

#include <algorithm>

namespace tarnkit {

TableColumn::TableColumn(QString identifier)
    : identifier_(std::move(identifier)), headerCell_(std::make_unique<TableHeaderCell>())
{
}

TableColumn::~TableColumn() = default;

void TableColumn::changed()
{
    if (tableView_)
        tableView_->columnsChanged();
}

void TableColumn::setWidth(double width)
{
    width_ = std::max(width, 0.0);
    changed();
}

void TableColumn::setHidden(bool hidden)
{
    hidden_ = hidden;
    changed();
}

TableHeaderCell& TableColumn::headerCell()
{
    return *headerCell_;
}

void TableColumn::setHeaderCell(std::unique_ptr<TableHeaderCell> cell)
{
    if (!cell)
        foundation::fatalError("a column needs a header cell", "Tarnkit/TableColumn", __LINE__);
    headerCell_ = std::move(cell);
    if (tableView_ && tableView_->headerView())
        tableView_->headerView()->update();
}

void TableColumn::setTitle(const QString& title)
{
    headerCell().setStringValue(title);
    if (tableView_ && tableView_->headerView())
        tableView_->headerView()->update();
}

} // namespace tarnkit
