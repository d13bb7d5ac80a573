#pragma once

#include "Tarnkit/Foundation/BaseStyle.h"

#include <optional>

namespace tarnkit {

/// The base of every control style: fonts, text and background colours per state, the bezel
/// image tables, insets and focus-ring colours. The defaults come from Styles::Control: shared
/// objects, except the selected-background and focus-ring colours, which each style gets anew.
class ControlStyle : public BaseStyle {
public:
    ControlStyle();

    const FontRef& font() const { return font_; }
    void setFont(FontRef value) { font_ = std::move(value); }
    const ColorRef& textColor() const { return textColor_; }
    void setTextColor(ColorRef value) { textColor_ = std::move(value); }
    const ColorRef& textBackgroundColor() const { return textBackgroundColor_; }
    void setTextBackgroundColor(ColorRef value) { textBackgroundColor_ = std::move(value); }
    const FontRef& selectedFont() const { return selectedFont_; }
    void setSelectedFont(FontRef value) { selectedFont_ = std::move(value); }
    const ColorRef& selectedTextColor() const { return selectedTextColor_; }
    void setSelectedTextColor(ColorRef value) { selectedTextColor_ = std::move(value); }
    const ColorRef& selectedBackgroundColor() const { return selectedBackgroundColor_; }
    void setSelectedBackgroundColor(ColorRef value) { selectedBackgroundColor_ = std::move(value); }
    const ColorRef& disabledTextColor() const { return disabledTextColor_; }
    void setDisabledTextColor(ColorRef value) { disabledTextColor_ = std::move(value); }
    const ColorRef& disabledBackgroundColor() const { return disabledBackgroundColor_; }
    void setDisabledBackgroundColor(ColorRef value) { disabledBackgroundColor_ = std::move(value); }
    const ColorRef& highlightedTextColor() const { return highlightedTextColor_; }
    void setHighlightedTextColor(ColorRef value) { highlightedTextColor_ = std::move(value); }
    const ColorRef& highlightedBackgroundColor() const { return highlightedBackgroundColor_; }
    void setHighlightedBackgroundColor(ColorRef value) { highlightedBackgroundColor_ = std::move(value); }
    const ColorRef& invalidTextColor() const { return invalidTextColor_; }
    void setInvalidTextColor(ColorRef value) { invalidTextColor_ = std::move(value); }
    const ColorRef& invalidBackgroundColor() const { return invalidBackgroundColor_; }
    void setInvalidBackgroundColor(ColorRef value) { invalidBackgroundColor_ = std::move(value); }
    /// Empty on the first read unless set before; a set replaces the table whole.
    const ImageTable& bezelImages() const;
    void setBezelImages(ImageTable table) { bezelImages_ = std::move(table); }
    EdgeInsets bezelImageCapInsets() const { return bezelImageCapInsets_; }
    void setBezelImageCapInsets(EdgeInsets value) { bezelImageCapInsets_ = value; }
    ImageResizingMode bezelImageResizingMode() const { return bezelImageResizingMode_; }
    void setBezelImageResizingMode(ImageResizingMode value) { bezelImageResizingMode_ = value; }
    /// Empty on the first read unless set before; a set replaces the table whole.
    const ImageTable& swiftUIBezelImages() const;
    void setSwiftUIBezelImages(ImageTable table) { swiftUIBezelImages_ = std::move(table); }
    DirectionalEdgeInsets swiftUIBezelImageCapInsets() const { return swiftUIBezelImageCapInsets_; }
    void setSwiftUIBezelImageCapInsets(DirectionalEdgeInsets value) { swiftUIBezelImageCapInsets_ = value; }
    ImageResizingMode swiftUIBezelImageResizingMode() const { return swiftUIBezelImageResizingMode_; }
    void setSwiftUIBezelImageResizingMode(ImageResizingMode value) { swiftUIBezelImageResizingMode_ = value; }
    EdgeInsets alignmentRectInsets() const { return alignmentRectInsets_; }
    void setAlignmentRectInsets(EdgeInsets value) { alignmentRectInsets_ = value; }
    EdgeInsets edgeInsets() const { return edgeInsets_; }
    void setEdgeInsets(EdgeInsets value) { edgeInsets_ = value; }
    const ColorRef& focusRingColor() const { return focusRingColor_; }
    void setFocusRingColor(ColorRef value) { focusRingColor_ = std::move(value); }
    const ColorRef& invalidFocusRingColor() const { return invalidFocusRingColor_; }
    void setInvalidFocusRingColor(ColorRef value) { invalidFocusRingColor_ = std::move(value); }

    /// invalidFocusRingColor when state holds invalid, else focusRingColor (focused plays no
    /// part).
    virtual ColorRef focusRingColor(StyledControlState state) const;
    /// The first that holds: disabled, invalid, selected, any of highlighted/on/mixed, else
    /// the plain text colour.
    virtual ColorRef textColor(StyledControlState state) const;
    /// The first that holds: invalid, any of highlighted/on/mixed, selected, disabled, else
    /// the base style's backgroundColor (not textBackgroundColor).
    virtual ColorRef textBackgroundColor(StyledControlState state) const;
    /// findImage over bezelImages.
    virtual ImageRef bezelImage(StyledControlState state) const;

private:
    FontRef font_;
    ColorRef textColor_;
    ColorRef textBackgroundColor_;
    FontRef selectedFont_;
    ColorRef selectedTextColor_;
    ColorRef selectedBackgroundColor_;
    ColorRef disabledTextColor_;
    ColorRef disabledBackgroundColor_;
    ColorRef highlightedTextColor_;
    ColorRef highlightedBackgroundColor_;
    ColorRef invalidTextColor_;
    ColorRef invalidBackgroundColor_;
    mutable std::optional<ImageTable> bezelImages_;
    EdgeInsets bezelImageCapInsets_;
    ImageResizingMode bezelImageResizingMode_ = ImageResizingMode::tile;
    mutable std::optional<ImageTable> swiftUIBezelImages_;
    DirectionalEdgeInsets swiftUIBezelImageCapInsets_;
    ImageResizingMode swiftUIBezelImageResizingMode_ = ImageResizingMode::stretch;
    EdgeInsets alignmentRectInsets_;
    EdgeInsets edgeInsets_;
    ColorRef focusRingColor_;
    ColorRef invalidFocusRingColor_;
};

} // namespace tarnkit
