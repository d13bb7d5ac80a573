#pragma once

#include "Tarnkit/Foundation/ControlStyle.h"

namespace tarnkit {

/// The text field: the text-input colours (error text in the error colour, pressed text
/// brightened), placeholder colours, the padding by which text cells inset their text, and
/// the field bezels by focus and validity.
class TextFieldCellStyle : public ControlStyle {
public:
    TextFieldCellStyle();

    const ColorRef& placeholderTextColor() const { return placeholderTextColor_; }
    void setPlaceholderTextColor(ColorRef color) { placeholderTextColor_ = std::move(color); }
    const ColorRef& placeholderBackground() const { return placeholderBackground_; }
    void setPlaceholderBackground(ColorRef color) { placeholderBackground_ = std::move(color); }
    EdgeInsets padding() const { return padding_; }
    void setPadding(EdgeInsets insets) { padding_ = insets; }

private:
    ColorRef placeholderTextColor_;
    ColorRef placeholderBackground_;
    EdgeInsets padding_{2, 6, 2, 6};
};

/// The field that edits a table header's title.
class HeaderTextFieldStyle : public TextFieldCellStyle {
public:
    HeaderTextFieldStyle();
};

/// The search field: its own bezel, with no invalid look.
class SearchFieldCellStyle : public TextFieldCellStyle {
public:
    SearchFieldCellStyle();
};

/// The label of a table row: monospaced digits, no bezel, no padding.
class TableRowLabelCellStyle : public TextFieldCellStyle {
public:
    TableRowLabelCellStyle();
};

/// The label of a table's group row: no bezel, no padding.
class TableGroupLabelCellStyle : public TextFieldCellStyle {
public:
    TableGroupLabelCellStyle();
};

/// A plain text label: no bezel, no padding.
class TextLabelCellStyle : public TextFieldCellStyle {
public:
    TextLabelCellStyle();
};

} // namespace tarnkit
