#include "Tarnkit/Foundation/ButtonCellStyle.h"

#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Styles.h"

namespace tarnkit {

using State = StyledControlState;

ButtonCellStyle::ButtonCellStyle()
{
    setBackgroundColor(clearColor());
    setFont(Styles::BaseStyles::mediumFont());
    setBezelImages(makeImageTable({{State::defaultState, ImageAsset::tkuiButton},
                                   {State::on, ImageAsset::tkuiButtonSelected},
                                   {State::highlighted, ImageAsset::tkuiButtonDown}}));
}

BackButtonCellStyle::BackButtonCellStyle()
{
    setBezelImages(makeImageTable({{State::defaultState, ImageAsset::organiserNavbarBack},
                                   {State::on, ImageAsset::organiserNavbarBackDown},
                                   {State::highlighted, ImageAsset::organiserNavbarBackDown}}));
}

CornerButtonCellStyle::CornerButtonCellStyle()
{
    setEdgeInsets({0, 0, 0, 0});
    setBezelImages(makeImageTable({{State::defaultState, ImageAsset::tkuiButton},
                                   {State::on, ImageAsset::tkuiButtonSelected},
                                   {State::highlighted, ImageAsset::tkuiButtonDown}}));
}

ComboBoxStyle::ComboBoxStyle()
{
    setAlignmentRectInsets({3, 2, 3, 2});
    setEdgeInsets({3, 0, 2, 12});
    setSelectedTextColor(textColor());
    setTitleEdgeInsets({3, 7, 2, 0});
}

ToolButtonCellStyle::ToolButtonCellStyle()
{
    setImageEdgeInsets({-1, 0, 1, 0});
    setBezelImages(makeImageTable({{State::defaultState, ImageAsset::cornerToolBackground},
                                   {State::on, ImageAsset::cornerToolBackgroundSelected},
                                   {State::highlighted, ImageAsset::cornerToolBackgroundDown}}));
}

} // namespace tarnkit
