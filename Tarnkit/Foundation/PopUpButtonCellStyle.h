#pragma once

#include "Tarnkit/Foundation/ButtonCellStyle.h"

namespace tarnkit {

/// The pop-up button: its bezel carries the arrows; 3 points above and below and 2 at the
/// sides are shadow outside the alignment rect, 12 on the right hold the arrows.
class PopUpButtonCellStyle : public ButtonCellStyle {
public:
    PopUpButtonCellStyle();
};

/// The tool pop-up button: a flat bezel with the arrow at its right end.
class ToolPopUpButtonCellStyle : public PopUpButtonCellStyle {
public:
    ToolPopUpButtonCellStyle();
};

/// The pull-down button: the pop-up's geometry with a single down arrow.
class StyledPopDownButtonCellStyle : public ButtonCellStyle {
public:
    StyledPopDownButtonCellStyle();
};

} // namespace tarnkit
