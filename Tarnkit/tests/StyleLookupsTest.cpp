#include "Tarnkit/Foundation/ButtonCellStyle.h"
#include "Tarnkit/Foundation/Selectable.h"
#include "Tarnkit/Foundation/StyleLookups.h"
#include "Tarnkit/tests/TestColors.h"

#include <gtest/gtest.h>


namespace {

using namespace tarnkit;
using tarnkit::testing::colorName;
using tarnkit::testing::imageName;

// Cells as the later controls will be: a class-level style, a state from the default
// derivation, and each subclass naming its own style class.
class ButtonCell : public StyledControlCell, public StyledView, public Selectable {
public:
    ButtonCellStyle& style() const override
    {
        static ButtonCellStyle shared;
        return shared;
    }
    ControlStateValue stateValue() const override { return value; }
    bool isEnabled() const override { return enabled; }
    bool isHighlighted() const override { return highlighted; }
    bool isSelected() const override { return selected; }
    void setSelected(bool isOn) override { selected = isOn; }

    ControlStateValue value = ControlStateValue::off;
    bool enabled = true;
    bool highlighted = false;
    bool selected = false;
};

class CheckBoxCell : public ButtonCell {
public:
    CheckBoxCellStyle& style() const override
    {
        static CheckBoxCellStyle shared;
        return shared;
    }
};

class SliderCell : public StyledControlCell, public StyledView {
public:
    SliderCellStyle& style() const override
    {
        static SliderCellStyle shared;
        return shared;
    }
    // The slider keeps to default, disabled and pressed.
    StyledControlState controlState() const override
    {
        return pressed ? StyledControlState::defaultState | StyledControlState::highlighted : StyledControlState::defaultState;
    }
    ControlStateValue stateValue() const override { return ControlStateValue::off; }
    bool isEnabled() const override { return true; }
    bool isHighlighted() const override { return pressed; }

    bool pressed = false;
};

class RowView : public StyledControl, public StyledView {
public:
    TableViewStyle& style() const override
    {
        static TableViewStyle shared;
        return shared;
    }
    StyledControlState controlState() const override
    {
        return selected ? StyledControlState::defaultState | StyledControlState::selected : StyledControlState::defaultState;
    }

    bool selected = false;
};

// Each lookup is there only for the style classes that answer it.
template <class T>
concept HasTextColor = requires(const T& c) { styleTextColor(c); };
template <class T>
concept HasKnobImage = requires(const T& c) { styleKnobImage(c); };
template <class T>
concept HasBarImage = requires(const T& c) { styleBarImage(c); };
template <class T>
concept HasCheckImage = requires(const T& c) { styleImage(c); };
template <class T>
concept HasRowBackground = requires(const T& c) { rowBackgroundColor(c); };

static_assert(HasTextColor<ButtonCell>);
static_assert(!HasKnobImage<ButtonCell>);
static_assert(!HasCheckImage<ButtonCell>);
static_assert(HasCheckImage<CheckBoxCell>);
static_assert(HasBarImage<SliderCell>);
static_assert(!HasRowBackground<SliderCell>);
static_assert(HasRowBackground<RowView>);

TEST(StyleLookups, AskTheClassStyleAtTheCurrentState)
{
    ButtonCell button;
    EXPECT_EQ(colorName(styleTextColor(button)), "Grey 85%");
    EXPECT_EQ(imageName(styleBezelImage(button)), "tkui-button");
    button.value = ControlStateValue::on;
    EXPECT_EQ(colorName(styleTextColor(button)), "Grey 50%");
    EXPECT_EQ(imageName(styleBezelImage(button)), "tkui-button-selected");
    button.enabled = false;
    EXPECT_EQ(colorName(styleTextColor(button)), "Grey 40%");
    button.setSelected(true);
    EXPECT_EQ(colorName(styleTextBackgroundColor(button)), "clear");
    EXPECT_EQ(colorName(styleFocusRingColor(button)), "Highlight/System");

    CheckBoxCell checkBox;
    checkBox.value = ControlStateValue::mixed;
    checkBox.highlighted = true;
    EXPECT_EQ(imageName(styleImage(checkBox)), "tkui-checkbox-mixed-down");
    checkBox.enabled = false; // a disabled box is never pressed
    EXPECT_EQ(imageName(styleImage(checkBox)), "tkui-checkbox-mixed");

    SliderCell slider;
    EXPECT_EQ(imageName(styleKnobImage(slider)), "tkui-slider-handle");
    EXPECT_EQ(imageName(styleBarImage(slider)), "tkui-slider-alley");
    slider.pressed = true;
    EXPECT_EQ(imageName(styleKnobImage(slider)), "tkui-slider-handle-down");
    EXPECT_EQ(imageName(styleBarImage(slider)), "tkui-slider");

    RowView row;
    EXPECT_EQ(colorName(rowBackgroundColor(row)), "Background/Darker");
    row.selected = true;
    EXPECT_EQ(colorName(rowBackgroundColor(row)), "Highlight/System");
    EXPECT_EQ(colorName(styleTextColor(row)), "Grey 100%");
}

TEST(StyleLookups, GoByTheDynamicClassesStyle)
{
    CheckBoxCell checkBox;
    const StyledView& view = checkBox;
    EXPECT_EQ(&view.style(), &checkBox.style());
    EXPECT_NE(&view.style(), &ButtonCell().style());
}

} // namespace
