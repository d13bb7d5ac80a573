#include "Tarnkit/Foundation/TextFieldCellStyle.h"

#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Styles.h"

namespace tarnkit {

using State = StyledControlState;

namespace {

ImageTable fieldBezels(ImageAsset plain)
{
    return makeImageTable({{State::defaultState, plain},
                           {State::focused | State::invalid, ImageAsset::tkuiTextfieldError},
                           {State::focused, ImageAsset::tkuiTextfieldFocus},
                           {State::invalid, ImageAsset::tkuiTextfieldError}});
}

// The labels draw no bezel and keep their text flush with their frame.
void makeBare(TextFieldCellStyle& style)
{
    style.setBezelImageCapInsets({0, 0, 0, 0});
    style.setPadding({0, 0, 0, 0});
    style.setBezelImages({});
}

} // namespace

TextFieldCellStyle::TextFieldCellStyle()
    : placeholderTextColor_(Styles::TextInput::placeholderTextColor()),
      placeholderBackground_(Styles::TextInput::placeholderBackground())
{
    setFont(Styles::TextInput::font());
    setTextColor(Styles::TextInput::textColor());
    setTextBackgroundColor(Styles::TextInput::background());
    setSelectedTextColor(Styles::TextInput::selectedTextColor());
    setSelectedBackgroundColor(Styles::TextInput::selectedBackground());
    setDisabledTextColor(Styles::TextInput::disabledTextColor());
    setDisabledBackgroundColor(Styles::TextInput::disabledBackground());
    setHighlightedTextColor(Styles::TextInput::highlightedTextColor());
    setHighlightedBackgroundColor(Styles::TextInput::highlightedBackground());
    setInvalidTextColor(Styles::TextInput::errorTextColor());
    setInvalidBackgroundColor(Styles::TextInput::errorBackground());
    setAlignmentRectInsets({2, 2, 2, 2});
    setEdgeInsets({2, 2, 2, 2});
    setBezelImages(fieldBezels(ImageAsset::tkuiTextfield));
}

HeaderTextFieldStyle::HeaderTextFieldStyle()
{
    setBezelImages(fieldBezels(ImageAsset::tkuiTextfieldTableheader));
}

SearchFieldCellStyle::SearchFieldCellStyle()
{
    setBezelImages(makeImageTable({{State::defaultState, ImageAsset::tkuiSearchfield},
                                   {State::focused, ImageAsset::tkuiSearchfieldFocus}}));
}

TableRowLabelCellStyle::TableRowLabelCellStyle()
{
    setFont(Styles::TableRow::font());
    setSelectedFont(Styles::TableRow::selectedFont());
    setTextColor(Styles::TableRow::textColor());
    makeBare(*this);
}

TableGroupLabelCellStyle::TableGroupLabelCellStyle()
{
    setFont(Styles::TableGroupRow::font());
    setSelectedFont(Styles::TableGroupRow::selectedFont());
    setTextColor(Styles::TableGroupRow::textColor());
    makeBare(*this);
}

TextLabelCellStyle::TextLabelCellStyle()
{
    setFont(Styles::Label::font());
    setTextColor(Styles::Label::nsTextColor());
    setDisabledTextColor(Styles::Label::disabledTextColor());
    makeBare(*this);
}

} // namespace tarnkit
