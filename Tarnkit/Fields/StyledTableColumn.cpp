#include "Tarnkit/Fields/StyledTableColumn.h"

namespace tarnkit {

StyledTableColumn::StyledTableColumn(QString identifier) : TableColumn(std::move(identifier))
{
}

TableHeaderCell& StyledTableColumn::headerCell()
{
    TableHeaderCell& cell = TableColumn::headerCell();
    cell.setImage(image_);
    return cell;
}

void StyledTableColumn::setHeaderCell(std::unique_ptr<TableHeaderCell> cell)
{
    if (cell)
        cell->setImage(image_);
    TableColumn::setHeaderCell(std::move(cell));
}

} // namespace tarnkit
