#include "Tarnkit/Foundation/SegmentedCellStyle.h"

#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Styles.h"

namespace tarnkit {

using State = StyledControlState;

SegmentedCellStyle::SegmentedCellStyle()
{
    setFont(Styles::PropertiesTab::font());
    setTextColor(Styles::PropertiesTab::textColor());
    setSelectedTextColor(Styles::PropertiesTab::selectedTextColor());
    setHighlightedTextColor(Styles::PropertiesTab::highlightedTextColor());
    setBackgroundColor(clearColor());
    setBezelImages(makeImageTable({{State::defaultState, ImageAsset::tkuiWindowTab},
                                   {State::selected, ImageAsset::tkuiWindowTabSelected},
                                   {State::highlighted, ImageAsset::tkuiWindowTabDown}}));
}

} // namespace tarnkit
