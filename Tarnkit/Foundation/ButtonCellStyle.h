#pragma once

#include "Tarnkit/Foundation/ControlStyle.h"

namespace tarnkit {

/// The style of the styled buttons: medium 10 pt titles on a clear background, the push-button
/// bezels, and the insets by which a cell shrinks its rect before placing image and title.
class ButtonCellStyle : public ControlStyle {
public:
    ButtonCellStyle();

    EdgeInsets imageEdgeInsets() const { return imageEdgeInsets_; }
    void setImageEdgeInsets(EdgeInsets insets) { imageEdgeInsets_ = insets; }
    EdgeInsets titleEdgeInsets() const { return titleEdgeInsets_; }
    void setTitleEdgeInsets(EdgeInsets insets) { titleEdgeInsets_ = insets; }

private:
    EdgeInsets imageEdgeInsets_;
    EdgeInsets titleEdgeInsets_;
};

/// The navigation bar's back button: its bezel carries the arrow.
class BackButtonCellStyle : public ButtonCellStyle {
public:
    BackButtonCellStyle();
};

/// The corner button: the push-button bezels, no edge insets.
class CornerButtonCellStyle : public ButtonCellStyle {
public:
    CornerButtonCellStyle();
};

/// The combo box: pop-up geometry over the plain push-button bezels.
class ComboBoxStyle : public ButtonCellStyle {
public:
    ComboBoxStyle();
};

/// The square tool buttons of a panel's corner.
class ToolButtonCellStyle : public ButtonCellStyle {
public:
    ToolButtonCellStyle();
};

} // namespace tarnkit
