#include "Tarnkit/Foundation/TableViewStyle.h"

#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Styles.h"

namespace tarnkit {

TableViewStyle::TableViewStyle()
    : rowBackgroundColor_(Styles::TableView::background()),
      selectedRowBackgroundColor_(ColorResource::highlightSystem().makeColor()),
      headerBackgroundColor_(Styles::TableHeader::background())
{
    setBackgroundColor(rowBackgroundColor_);
    setTextColor(Styles::TableRow::textColor());
    setSelectedTextColor(Styles::TableRow::selectedTextColor());
}

ColorRef TableViewStyle::rowBackgroundColor(StyledControlState state) const
{
    return state.contains(StyledControlState::selected) ? selectedRowBackgroundColor_ : rowBackgroundColor_;
}

} // namespace tarnkit
