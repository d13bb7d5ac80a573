#include "Tarnkit/Foundation/PopUpButtonCellStyle.h"

#include "Tarnkit/Foundation/AssetResources.h"

namespace tarnkit {

using State = StyledControlState;

namespace {

// The geometry the pop-up and pull-down buttons share.
void setPopUpGeometry(ButtonCellStyle& style)
{
    style.setAlignmentRectInsets({3, 2, 3, 2});
    style.setEdgeInsets({3, 0, 2, 12});
    style.setSelectedTextColor(style.textColor());
    style.setTitleEdgeInsets({0, 0, 0, 0});
}

} // namespace

PopUpButtonCellStyle::PopUpButtonCellStyle()
{
    setPopUpGeometry(*this);
    setBezelImages(makeImageTable({{State::defaultState, ImageAsset::tkuiPopup},
                                   {State::highlighted, ImageAsset::tkuiPopupDown}}));
}

ToolPopUpButtonCellStyle::ToolPopUpButtonCellStyle()
{
    setAlignmentRectInsets({0, 0, 0, 0});
    setEdgeInsets({1, 1, 1, 1});
    setTitleEdgeInsets({0, 4, 0, 14});
    setSelectedTextColor(textColor());
    setBezelImages(makeImageTable({{State::defaultState, ImageAsset::tkuiPopupTool},
                                   {State::highlighted, ImageAsset::tkuiPopupToolDown}}));
}

StyledPopDownButtonCellStyle::StyledPopDownButtonCellStyle()
{
    setPopUpGeometry(*this);
    setBezelImages(makeImageTable({{State::defaultState, ImageAsset::tkuiPopdown},
                                   {State::highlighted, ImageAsset::tkuiPopdownDown}}));
}

} // namespace tarnkit
