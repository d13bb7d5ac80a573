#pragma once

#include "Tarnkit/Foundation/BaseStyle.h"

#include <QSizeF>

namespace tarnkit {

/// Windows and their text: the padding around content and the text font and colour.
class WindowStyle : public BaseStyle {
public:
    WindowStyle();

    QSizeF padding() const { return padding_; }
    void setPadding(QSizeF padding) { padding_ = padding; }
    const FontRef& font() const { return font_; }
    void setFont(FontRef font) { font_ = std::move(font); }
    const ColorRef& textColor() const { return textColor_; }
    void setTextColor(ColorRef color) { textColor_ = std::move(color); }

private:
    QSizeF padding_{10, 6};
    FontRef font_;
    ColorRef textColor_;
};

/// The message popover: a window style under its own name.
class PopoverStyle : public WindowStyle {
public:
    PopoverStyle() = default;
};

} // namespace tarnkit
