#include "Tarnkit/Foundation/ButtonCellStyle.h"
#include "Tarnkit/Foundation/CheckBoxCellStyle.h"
#include "Tarnkit/Foundation/PopUpButtonCellStyle.h"
#include "Tarnkit/Foundation/SegmentedCellStyle.h"
#include "Tarnkit/Foundation/SliderCellStyle.h"
#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/Foundation/TableViewStyle.h"
#include "Tarnkit/Foundation/TextFieldCellStyle.h"
#include "Tarnkit/Foundation/WindowStyle.h"
#include "Tarnkit/tests/TestColors.h"

#include <gtest/gtest.h>


#include <functional>
#include <memory>

namespace {

using namespace tarnkit;
using tarnkit::testing::colorName;
using tarnkit::testing::imageName;
using State = StyledControlState;

using MakeStyle = std::function<std::shared_ptr<ControlStyle>()>;

template <class T>
MakeStyle make()
{
    return [] { return std::make_shared<T>(); };
}

// The states every colour row below is asked for, in this order.
const State probes[] = {
    State::defaultState,                      // plain
    State::defaultState | State::disabled,    // disabled
    State::defaultState | State::invalid,     // invalid
    State::defaultState | State::selected,    // selected
    State::defaultState | State::highlighted, // pressed
    State::defaultState | State::on,          // on
    State::defaultState | State::mixed,       // mixed
    State::disabled | State::invalid,         // disabled wins the text, invalid the background
    State::selected | State::highlighted,     // selected wins the text, pressed the background
    State::defaultState | State::focused,     // focus changes no colour
    State::selected | State::disabled,        // disabled wins the text, selected the background
};

struct ColorRow {
    const char* style;
    MakeStyle makeStyle;
    std::vector<const char*> text;
    std::vector<const char*> background;
};

const char* G30 = "Grey 30%";
const char* G40 = "Grey 40%";
const char* G50 = "Grey 50%";
const char* G60 = "Grey 60%";
const char* G70 = "Grey 70%";
const char* G85 = "Grey 85%";
const char* G100 = "Grey 100%";
const char* ERR = "Error";
const char* HS = "Highlight/System";
const char* BN = "Background/Normal";
const char* BD = "Background/Darker";
const char* CL = "clear";

class StyleRules : public ::testing::Test {};

TEST_F(StyleRules, TextAndBackgroundColoursFollowTheStateByStyle)
{
    // plain, disabled, invalid, selected, pressed, on, mixed, disabled+invalid, selected+pressed, focused,
    // selected+disabled
    const std::vector<const char*> controlText = {G85, G40, G100, G100, G50, G50, G50, G40, G100, G85, G40};
    const std::vector<const char*> clearBackground = {CL, CL, ERR, HS, CL, CL, CL, ERR, CL, CL, HS};
    const std::vector<const char*> popUpText = {G85, G40, G100, G85, G50, G50, G50, G40, G85, G85, G40};
    const std::vector<const char*> fieldBackground = {BN, CL, ERR, HS, CL, CL, CL, ERR, CL, BN, HS};
    const ColorRow rows[] = {
        {"ControlStyle", make<ControlStyle>(), controlText, fieldBackground},
        {"ButtonCellStyle", make<ButtonCellStyle>(), controlText, clearBackground},
        {"BackButtonCellStyle", make<BackButtonCellStyle>(), controlText, clearBackground},
        {"CornerButtonCellStyle", make<CornerButtonCellStyle>(), controlText, clearBackground},
        {"ToolButtonCellStyle", make<ToolButtonCellStyle>(), controlText, clearBackground},
        {"ComboBoxStyle", make<ComboBoxStyle>(), popUpText, clearBackground},
        {"PopUpButtonCellStyle", make<PopUpButtonCellStyle>(), popUpText, clearBackground},
        {"ToolPopUpButtonCellStyle", make<ToolPopUpButtonCellStyle>(), popUpText, clearBackground},
        {"StyledPopDownButtonCellStyle", make<StyledPopDownButtonCellStyle>(), popUpText, clearBackground},
        {"CheckBoxCellStyle", make<CheckBoxCellStyle>(), {G85, G40, G100, G100, G85, G85, G85, G40, G100, G85, G40},
         {CL, CL, ERR, CL, CL, CL, CL, ERR, CL, CL, CL}},
        {"FavouriteCheckBoxCellStyle", make<FavouriteCheckBoxCellStyle>(), {G85, G40, G100, G100, G85, G85, G85, G40, G100, G85, G40},
         {CL, CL, ERR, CL, CL, CL, CL, ERR, CL, CL, CL}},
        {"SegmentedCellStyle", make<SegmentedCellStyle>(), {G70, G40, G100, G85, G50, G50, G50, G40, G85, G70, G40},
         clearBackground},
        {"SliderCellStyle", make<SliderCellStyle>(), controlText, clearBackground},
        {"TextFieldCellStyle", make<TextFieldCellStyle>(), {G85, G40, ERR, G100, G100, G100, G100, G40, G100, G85, G40},
         fieldBackground},
        {"HeaderTextFieldStyle", make<HeaderTextFieldStyle>(), {G85, G40, ERR, G100, G100, G100, G100, G40, G100, G85, G40},
         fieldBackground},
        {"SearchFieldCellStyle", make<SearchFieldCellStyle>(), {G85, G40, ERR, G100, G100, G100, G100, G40, G100, G85, G40},
         fieldBackground},
        {"TableRowLabelCellStyle", make<TableRowLabelCellStyle>(), {G70, G40, ERR, G100, G100, G100, G100, G40, G100, G70, G40},
         fieldBackground},
        {"TableGroupLabelCellStyle", make<TableGroupLabelCellStyle>(), {G50, G40, ERR, G100, G100, G100, G100, G40, G100, G50, G40},
         fieldBackground},
        {"TextLabelCellStyle", make<TextLabelCellStyle>(), {G60, G30, ERR, G100, G100, G100, G100, G30, G100, G60, G30},
         fieldBackground},
        {"TableViewStyle", make<TableViewStyle>(), {G70, G40, G100, G100, G50, G50, G50, G40, G100, G70, G40},
         {BD, CL, ERR, HS, CL, CL, CL, ERR, CL, BD, HS}},
        {"OutlineViewStyle", make<OutlineViewStyle>(), {G70, G40, G100, G100, G50, G50, G50, G40, G100, G70, G40},
         {BD, CL, ERR, HS, CL, CL, CL, ERR, CL, BD, HS}},
    };
    for (const auto& row : rows) {
        const auto style = row.makeStyle();
        ASSERT_EQ(row.text.size(), std::size(probes));
        ASSERT_EQ(row.background.size(), std::size(probes));
        for (size_t i = 0; i < std::size(probes); ++i) {
            const State state = probes[i];
            EXPECT_EQ(colorName(style->textColor(state)), row.text[i]) << row.style << " text " << qPrintable(state.description());
            EXPECT_EQ(colorName(style->textBackgroundColor(state)), row.background[i])
                << row.style << " background " << qPrintable(state.description());
            EXPECT_EQ(colorName(style->focusRingColor(state)), state.contains(State::invalid) ? ERR : HS)
                << row.style << " focus ring " << qPrintable(state.description());
        }
    }
}

TEST_F(StyleRules, TheRulesReadTheFieldsAsTheyAreNow)
{
    // A subclass or caller that changes a field changes what the rules give, and the plain
    // background comes from backgroundColor, not from textBackgroundColor.
    ControlStyle style;
    const auto red = std::make_shared<const QColor>(Qt::red);
    const auto green = std::make_shared<const QColor>(Qt::green);
    style.setTextBackgroundColor(red);
    style.setBackgroundColor(green);
    style.setInvalidFocusRingColor(red);
    EXPECT_EQ(style.textBackgroundColor(State::defaultState), green);
    EXPECT_EQ(style.focusRingColor(State::invalid | State::focused), red);
    style.setHighlightedTextColor(red);
    EXPECT_EQ(style.textColor(State::mixed), red);
}

TEST_F(StyleRules, TableRowsTakeTheSelectionColourWheneverSelected)
{
    TableViewStyle style;
    const struct {
        State state;
        const char* expected;
    } cases[] = {
        {State::defaultState, BD},
        {State::selected | State::disabled, HS},
        {State::selected | State::highlighted | State::invalid, HS},
        {State::highlighted, BD},
        {State(), BD},
    };
    for (const auto& c : cases)
        EXPECT_EQ(colorName(style.rowBackgroundColor(c.state)), c.expected) << qPrintable(c.state.description());
    EXPECT_EQ(style.rowBackgroundColor(State::selected), style.selectedRowBackgroundColor());
    EXPECT_EQ(style.rowBackgroundColor(State::defaultState), style.rowBackgroundColor());
    EXPECT_EQ(colorName(style.headerBackgroundColor()), "Background/Darkest");
    // The rows' background is the style's background; the text background field stays clear.
    EXPECT_EQ(style.backgroundColor(), style.rowBackgroundColor());
    EXPECT_EQ(colorName(style.textBackgroundColor()), CL);
    EXPECT_EQ(colorName(style.textBackgroundColor(State::defaultState)), BD);
}

using ImageOf = std::function<ImageRef(State)>;

template <class T, class Lookup>
ImageOf imageOf(Lookup lookup)
{
    auto style = std::make_shared<T>();
    return [style, lookup](State state) { return ((*style).*lookup)(state); };
}

TEST_F(StyleRules, EachStyleShowsTheImageOfItsState)
{
    using B = ButtonCellStyle;
    const auto bezel = &ControlStyle::bezelImage;
    const State d = State::defaultState;
    const struct {
        const char* what;
        ImageOf image;
        State state;
        const char* expected;
    } cases[] = {
        {"button", imageOf<B>(bezel), d, "tkui-button"},
        {"button on", imageOf<B>(bezel), d | State::on, "tkui-button-selected"},
        {"button pressed", imageOf<B>(bezel), d | State::highlighted, "tkui-button-down"},
        {"button disabled", imageOf<B>(bezel), d | State::disabled, "tkui-button"},
        {"button on and pressed: the tie goes to pressed", imageOf<B>(bezel), d | State::on | State::highlighted, "tkui-button-down"},
        {"back button on", imageOf<BackButtonCellStyle>(bezel), d | State::on, "organiser-navbar-back-down"},
        {"back button", imageOf<BackButtonCellStyle>(bezel), d | State::focused, "organiser-navbar-back"},
        {"corner button on", imageOf<CornerButtonCellStyle>(bezel), d | State::on, "tkui-button-selected"},
        {"combo box keeps the push-button bezels", imageOf<ComboBoxStyle>(bezel), d, "tkui-button"},
        {"tool button on", imageOf<ToolButtonCellStyle>(bezel), d | State::on, "corner-tool-background-selected"},
        {"tool button pressed", imageOf<ToolButtonCellStyle>(bezel), d | State::highlighted, "corner-tool-background-down"},
        {"pop-up disabled", imageOf<PopUpButtonCellStyle>(bezel), d | State::disabled, "tkui-popup"},
        {"pop-up pressed", imageOf<PopUpButtonCellStyle>(bezel), d | State::highlighted, "tkui-popup-down"},
        {"pop-up on has no image of its own", imageOf<PopUpButtonCellStyle>(bezel), d | State::on, "tkui-popup"},
        {"tool pop-up", imageOf<ToolPopUpButtonCellStyle>(bezel), d, "tkui-popup-tool"},
        {"tool pop-up pressed", imageOf<ToolPopUpButtonCellStyle>(bezel), d | State::highlighted, "tkui-popup-tool-down"},
        {"pull-down pressed", imageOf<StyledPopDownButtonCellStyle>(bezel), d | State::highlighted, "tkui-popdown-down"},
        {"pull-down", imageOf<StyledPopDownButtonCellStyle>(bezel), d, "tkui-popdown"},
        {"check box", imageOf<CheckBoxCellStyle>(&CheckBoxCellStyle::image), d, "tkui-checkbox"},
        {"check box on and pressed", imageOf<CheckBoxCellStyle>(&CheckBoxCellStyle::image), d | State::on | State::highlighted,
         "tkui-checkbox-on-down"},
        {"check box mixed", imageOf<CheckBoxCellStyle>(&CheckBoxCellStyle::image), d | State::mixed, "tkui-checkbox-mixed"},
        {"check box mixed and selected", imageOf<CheckBoxCellStyle>(&CheckBoxCellStyle::image), d | State::mixed | State::selected,
         "tkui-checkbox-mixed-down"},
        {"check box selected", imageOf<CheckBoxCellStyle>(&CheckBoxCellStyle::image), d | State::selected, "tkui-checkbox-down"},
        {"check box on and selected", imageOf<CheckBoxCellStyle>(&CheckBoxCellStyle::image), d | State::on | State::selected,
         "tkui-checkbox-on-down"},
        {"check box disabled and on", imageOf<CheckBoxCellStyle>(&CheckBoxCellStyle::image), d | State::on | State::disabled,
         "tkui-checkbox-on"},
        {"check box keeps the push-button bezels", imageOf<CheckBoxCellStyle>(bezel), d | State::on, "tkui-button-selected"},
        {"favourite on", imageOf<FavouriteCheckBoxCellStyle>(&CheckBoxCellStyle::image), d | State::on, "organiser-icon-star"},
        {"favourite mixed has no mixed star", imageOf<FavouriteCheckBoxCellStyle>(&CheckBoxCellStyle::image), d | State::mixed,
         "organiser-icon-star-empty"},
        {"segment selected", imageOf<SegmentedCellStyle>(bezel), d | State::selected, "tkui-window-tab-selected"},
        {"segment pressed", imageOf<SegmentedCellStyle>(bezel), d | State::highlighted, "tkui-window-tab-down"},
        {"segment selected and pressed: the tie goes to selected", imageOf<SegmentedCellStyle>(bezel),
         d | State::selected | State::highlighted, "tkui-window-tab-selected"},
        {"slider track", imageOf<SliderCellStyle>(&SliderCellStyle::barImage), d, "tkui-slider-alley"},
        {"slider fill", imageOf<SliderCellStyle>(&SliderCellStyle::barImage), d | State::highlighted, "tkui-slider"},
        {"slider knob", imageOf<SliderCellStyle>(&SliderCellStyle::knobImage), d | State::disabled, "tkui-slider-handle"},
        {"slider knob mixed", imageOf<SliderCellStyle>(&SliderCellStyle::knobImage), d | State::mixed, "tkui-slider-handle-multi"},
        {"slider knob mixed and pressed: the tie goes to pressed", imageOf<SliderCellStyle>(&SliderCellStyle::knobImage),
         d | State::mixed | State::highlighted, "tkui-slider-handle-down"},
        {"slider has no bezel", imageOf<SliderCellStyle>(bezel), d, "none"},
        {"text field", imageOf<TextFieldCellStyle>(bezel), d, "tkui-textfield"},
        {"text field focused", imageOf<TextFieldCellStyle>(bezel), d | State::focused, "tkui-textfield-focus"},
        {"text field focused and invalid", imageOf<TextFieldCellStyle>(bezel), d | State::focused | State::invalid,
         "tkui-textfield-error"},
        {"text field invalid", imageOf<TextFieldCellStyle>(bezel), d | State::invalid, "tkui-textfield-error"},
        {"header field", imageOf<HeaderTextFieldStyle>(bezel), d | State::disabled, "tkui-textfield-tableheader"},
        {"header field invalid", imageOf<HeaderTextFieldStyle>(bezel), d | State::invalid, "tkui-textfield-error"},
        {"search field invalid has no error look", imageOf<SearchFieldCellStyle>(bezel), d | State::invalid, "tkui-searchfield"},
        {"search field focused and invalid", imageOf<SearchFieldCellStyle>(bezel), d | State::focused | State::invalid,
         "tkui-searchfield-focus"},
        {"table row label", imageOf<TableRowLabelCellStyle>(bezel), d, "none"},
        {"table group label", imageOf<TableGroupLabelCellStyle>(bezel), d | State::focused, "none"},
        {"text label", imageOf<TextLabelCellStyle>(bezel), d | State::invalid, "none"},
        {"plain control style", imageOf<ControlStyle>(bezel), d, "none"},
        {"table view", imageOf<TableViewStyle>(bezel), d, "none"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(imageName(c.image(c.state)), c.expected) << c.what;
}

TEST_F(StyleRules, LazyTablesStartEmptyOrBuiltAndASetReplacesThemWhole)
{
    ControlStyle control;
    EXPECT_TRUE(control.bezelImages().empty());
    EXPECT_TRUE(control.swiftUIBezelImages().empty());

    SliderCellStyle slider;
    slider.setKnobImages({});
    EXPECT_EQ(slider.knobImage(State::defaultState), nullptr);
    EXPECT_EQ(slider.knobImages().size(), 0u);
    EXPECT_EQ(slider.barImages().size(), 2u);

    CheckBoxCellStyle checkBox;
    EXPECT_EQ(checkBox.buttonImages().size(), 9u);
    checkBox.setButtonImages({{State::defaultState, checkBox.buttonImages().at(State::on)}});
    EXPECT_EQ(imageName(checkBox.image(State::mixed | State::highlighted)), "tkui-checkbox-on");
}

TEST_F(StyleRules, StylesStartWithTheLibraryDefaults)
{
    const EdgeInsets zero{0, 0, 0, 0};
    ControlStyle control;
    EXPECT_EQ(control.appearanceName(), darkAquaAppearanceName);
    EXPECT_EQ(control.backgroundStyle(), BackgroundStyle::emphasized);
    EXPECT_EQ(control.interiorBackgroundStyle(), BackgroundStyle::emphasized);
    EXPECT_FALSE(control.opaque());
    EXPECT_EQ(colorName(control.backgroundColor()), BN);
    EXPECT_EQ(control.bezelImageCapInsets(), zero);
    EXPECT_EQ(control.bezelImageResizingMode(), ImageResizingMode::tile);
    EXPECT_EQ(control.swiftUIBezelImageCapInsets(), DirectionalEdgeInsets{});
    EXPECT_EQ(control.swiftUIBezelImageResizingMode(), ImageResizingMode::stretch);
    EXPECT_EQ(control.font(), Styles::BaseStyles::normalFont());
    EXPECT_EQ(control.selectedFont(), control.font());
    EXPECT_EQ(control.font()->pixelSize(), 10);
    EXPECT_EQ(control.font()->weight(), QFont::Normal);

    // Insets and fonts by style class: alignment, edge, image, title.
    struct Geometry {
        const char* style;
        std::shared_ptr<ControlStyle> instance;
        EdgeInsets alignment;
        EdgeInsets edge;
        EdgeInsets image;
        EdgeInsets title;
        const FontRef& font;
    };
    const Geometry rows[] = {
        {"ButtonCellStyle", std::make_shared<ButtonCellStyle>(), zero, zero, zero, zero, Styles::BaseStyles::mediumFont()},
        {"BackButtonCellStyle", std::make_shared<BackButtonCellStyle>(), zero, zero, zero, zero, Styles::BaseStyles::mediumFont()},
        {"CornerButtonCellStyle", std::make_shared<CornerButtonCellStyle>(), zero, zero, zero, zero,
         Styles::BaseStyles::mediumFont()},
        {"ComboBoxStyle", std::make_shared<ComboBoxStyle>(), {3, 2, 3, 2}, {3, 0, 2, 12}, zero, {3, 7, 2, 0},
         Styles::BaseStyles::mediumFont()},
        {"PopUpButtonCellStyle", std::make_shared<PopUpButtonCellStyle>(), {3, 2, 3, 2}, {3, 0, 2, 12}, zero, zero,
         Styles::BaseStyles::mediumFont()},
        {"StyledPopDownButtonCellStyle", std::make_shared<StyledPopDownButtonCellStyle>(), {3, 2, 3, 2}, {3, 0, 2, 12}, zero,
         zero, Styles::BaseStyles::mediumFont()},
        {"ToolPopUpButtonCellStyle", std::make_shared<ToolPopUpButtonCellStyle>(), zero, {1, 1, 1, 1}, zero, {0, 4, 0, 14},
         Styles::BaseStyles::mediumFont()},
        {"ToolButtonCellStyle", std::make_shared<ToolButtonCellStyle>(), zero, zero, {-1, 0, 1, 0}, zero,
         Styles::BaseStyles::mediumFont()},
        {"CheckBoxCellStyle", std::make_shared<CheckBoxCellStyle>(), zero, zero, zero, zero, Styles::BaseStyles::mediumFont()},
    };
    for (const auto& row : rows) {
        const auto& button = dynamic_cast<const ButtonCellStyle&>(*row.instance);
        EXPECT_EQ(button.alignmentRectInsets(), row.alignment) << row.style;
        EXPECT_EQ(button.edgeInsets(), row.edge) << row.style;
        EXPECT_EQ(button.imageEdgeInsets(), row.image) << row.style;
        EXPECT_EQ(button.titleEdgeInsets(), row.title) << row.style;
        EXPECT_EQ(button.font(), row.font) << row.style;
        EXPECT_EQ(button.selectedFont(), Styles::BaseStyles::normalFont()) << row.style;
    }

    // Pop-ups and the combo box show a selected title as a plain one: the very same colour.
    for (const auto& style : {std::shared_ptr<ControlStyle>(std::make_shared<ComboBoxStyle>()),
                              std::shared_ptr<ControlStyle>(std::make_shared<PopUpButtonCellStyle>()),
                              std::shared_ptr<ControlStyle>(std::make_shared<ToolPopUpButtonCellStyle>())})
        EXPECT_EQ(style->selectedTextColor(), style->textColor());

    SegmentedCellStyle segmented;
    EXPECT_EQ(segmented.segmentPadding(), (EdgeInsets{0, 21, 0, 21}));
    EXPECT_EQ(segmented.segmentMargin(), zero);
    EXPECT_EQ(segmented.font(), Styles::BaseStyles::headerFont());
    EXPECT_EQ(segmented.font()->pixelSize(), 12);
    EXPECT_EQ(segmented.font()->weight(), QFont::Medium);

    TextFieldCellStyle field;
    EXPECT_EQ(field.padding(), (EdgeInsets{2, 6, 2, 6}));
    EXPECT_EQ(field.alignmentRectInsets(), (EdgeInsets{2, 2, 2, 2}));
    EXPECT_EQ(field.edgeInsets(), (EdgeInsets{2, 2, 2, 2}));
    EXPECT_EQ(field.placeholderTextColor(), Styles::TextInput::placeholderTextColor());
    EXPECT_EQ(colorName(field.placeholderTextColor()), G50);
    EXPECT_EQ(colorName(field.placeholderBackground()), CL);
    EXPECT_EQ(field.font(), Styles::TextInput::font());

    for (const auto& label : {std::shared_ptr<TextFieldCellStyle>(std::make_shared<TableRowLabelCellStyle>()),
                              std::shared_ptr<TextFieldCellStyle>(std::make_shared<TableGroupLabelCellStyle>()),
                              std::shared_ptr<TextFieldCellStyle>(std::make_shared<TextLabelCellStyle>())}) {
        EXPECT_EQ(label->padding(), zero);
        EXPECT_EQ(label->bezelImageCapInsets(), zero);
        EXPECT_TRUE(label->bezelImages().empty());
    }
    TableRowLabelCellStyle rowLabel;
    EXPECT_EQ(rowLabel.font(), Styles::BaseStyles::normalMonoFont());
    EXPECT_EQ(rowLabel.selectedFont(), Styles::BaseStyles::mediumFont());
    TableGroupLabelCellStyle groupLabel;
    EXPECT_EQ(groupLabel.font(), Styles::BaseStyles::normalFont());
    EXPECT_EQ(groupLabel.selectedFont(), Styles::BaseStyles::mediumFont());

    // Windows and popovers draw text like a plain control: Grey 85%, 10-point regular.
    for (const auto& window : {std::shared_ptr<WindowStyle>(std::make_shared<WindowStyle>()),
                               std::shared_ptr<WindowStyle>(std::make_shared<PopoverStyle>())}) {
        EXPECT_EQ(window->padding(), QSizeF(10, 6));
        EXPECT_EQ(window->font(), control.font());
        EXPECT_EQ(colorName(window->textColor()), colorName(control.textColor(State::defaultState)));
        EXPECT_EQ(colorName(window->backgroundColor()), BN);
        EXPECT_EQ(window->appearanceName(), darkAquaAppearanceName);
        EXPECT_EQ(window->backgroundStyle(), BackgroundStyle::emphasized);
        EXPECT_FALSE(window->opaque());
    }
}

} // namespace
