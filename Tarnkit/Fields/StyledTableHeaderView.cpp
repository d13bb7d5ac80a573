#include "Tarnkit/Fields/StyledTableHeaderView.h"

#include "platform/foundation/FatalError.h"

namespace tarnkit {

namespace {

std::unique_ptr<TableViewStyle>& classStyle()
{
    static std::unique_ptr<TableViewStyle> style;
    return style;
}

} // namespace

StyledTableHeaderView::StyledTableHeaderView(QWidget* parent) : TableHeaderView(parent)
{
}

TableViewStyle& StyledTableHeaderView::style()
{
    std::unique_ptr<TableViewStyle>& style = classStyle();
    if (!style)
        style = std::make_unique<TableViewStyle>();
    return *style;
}

void StyledTableHeaderView::setStyle(std::unique_ptr<TableViewStyle> style)
{
    if (!style)
        foundation::fatalError("a header's style cannot be none", "Tarnkit/StyledTableHeaderView", __LINE__);
    classStyle() = std::move(style);
}

} // namespace tarnkit
