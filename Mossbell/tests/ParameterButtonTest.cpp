// The parameter-bound bitmap buttons: every gesture as the host hears it, the image and the
// label of every state, and what the view does when the host moves the value.

#include "ButtonBench.h"
#include "QStringPrinter.h"

#include "Mossbell/ChaosToggleButton.h"
#include "Mossbell/ChaosToggleButtonNarrow.h"
#include "Mossbell/LeftRightArrowButton.h"
#include "Mossbell/ModeToggleButton.h"
#include "Mossbell/ToggleButton.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include "testing/WidgetProbes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace mossbell {
namespace {

using testing_support::PaintCounter;

using test::HostedParameter;
using test::Pointer;

const QColor onColor(255, 176, 32);

// Every way the framework builds a parameter button; the indexed ones stand for value 2.
enum class Kind {
    chaosToggle,
    narrow,
    narrowUntitled,
    arrowLeftAtOne,
    arrowLeftAtZero,
    modeModern,
    modeRetro,
    toggle,
    toggleOverride,
};

struct KindInfo {
    Kind kind;
    const char* name;
    bool indexed;    ///< bound to the modes parameter
    float clickFrom0; ///< what a click at value 0 sets
    QSizeF size;
};

constexpr KindInfo kinds[] = {
    {Kind::chaosToggle, "ChaosToggleButton", true, 2, {48, 56}},
    {Kind::narrow, "ChaosToggleButtonNarrow", false, 1, {24, 62}},
    {Kind::narrowUntitled, "ChaosToggleButtonNarrow untitled", false, 1, {24, 62}},
    {Kind::arrowLeftAtOne, "LeftRightArrowButton left at 1", false, 1, {28, 34}},
    {Kind::arrowLeftAtZero, "LeftRightArrowButton left at 0", false, 1, {28, 34}},
    {Kind::modeModern, "ModeToggleButton modern", true, 2, {88, 27}},
    {Kind::modeRetro, "ModeToggleButton retro", true, 2, {88, 27}},
    {Kind::toggle, "ToggleButton", false, 1, {88, 27}},
    {Kind::toggleOverride, "ToggleButton with a name override", false, 1, {88, 27}},
};

const KindInfo& info(Kind kind)
{
    return kinds[int(kind)];
}

std::unique_ptr<ParameterButton> make(Kind kind, std::shared_ptr<AudioParameter> param)
{
    switch (kind) {
    case Kind::chaosToggle: return std::make_unique<ChaosToggleButton>(param, 2, ChaosButtonColor::yellow);
    case Kind::narrow: return std::make_unique<ChaosToggleButtonNarrow>(param, "Freeze");
    case Kind::narrowUntitled: return std::make_unique<ChaosToggleButtonNarrow>(param, std::nullopt);
    case Kind::arrowLeftAtOne: return std::make_unique<LeftRightArrowButton>(param, 1.0f);
    case Kind::arrowLeftAtZero: return std::make_unique<LeftRightArrowButton>(param, 0.0f);
    case Kind::modeModern:
        return std::make_unique<ModeToggleButton>(param, 2, onColor, ToggleButtonStyle::modern, 14);
    case Kind::modeRetro: return std::make_unique<ModeToggleButton>(param, 2, onColor, ToggleButtonStyle::retro, 14);
    case Kind::toggle: return std::make_unique<ToggleButton>(param, onColor, std::nullopt, 14);
    case Kind::toggleOverride: return std::make_unique<ToggleButton>(param, onColor, "Hi Cut", 14);
    }
    return nullptr;
}

// A button of a kind, shown, on a parameter at value, with the host listening.
struct Bench {
    Bench(Kind kind, float value)
        : hosted(info(kind).indexed ? test::makeModes(value) : test::makeSwitch(value)), button(make(kind, hosted.param)),
          pointer(*button)
    {
        button->resize(button->sizeHint());
        button->show();
        test::runMainQueue();
    }

    QPointF middle() const { return QPointF(button->buttonSize().width() / 2, button->buttonSize().height() / 2); }

    HostedParameter hosted;
    std::unique_ptr<ParameterButton> button;
    Pointer pointer;
};

// --- Gestures ---------------------------------------------------------------------------------

// A point relative to the button's size: x = fx * width + dx, y = fy * height + dy.
struct At {
    double fx, dx, fy, dy;
    QPointF on(QSizeF size) const { return QPointF(fx * size.width() + dx, fy * size.height() + dy); }
};

constexpr At middle{0.5, 0, 0.5, 0};
constexpr At farAway{4, 0, -3, 0};

struct Gesture {
    const char* name;
    std::vector<At> movesAfterPress; ///< the press is in the middle
    At release;
    bool counts;
};

const Gesture gestures[] = {
    {"click in the middle", {}, middle, true},
    {"release on the top-left corner", {}, {0, 0, 0, 0}, true},
    {"release just inside the bottom-right corner", {}, {1, -0.01, 1, -0.01}, true},
    {"release on the right edge", {}, {1, 0, 0.5, 0}, false},
    {"release on the bottom edge", {}, {0.5, 0, 1, 0}, false},
    {"release just left of it", {}, {0, -0.01, 0.5, 0}, false},
    {"release just above it", {}, {0.5, 0, 0, -0.01}, false},
    {"drag within", {{0, 1, 0, 1}, {1, -1, 1, -1}, {0.3, 0, 0.7, 0}}, middle, true},
    {"leave and come back", {farAway, {0.5, 0, 1, 5}, middle}, middle, true},
    {"leave and release outside", {{0.2, 0, 0.2, 0}, farAway}, farAway, false},
};

TEST(ParameterButtonGesture, EachGestureOfEachButtonAsTheHostHearsIt)
{
    for (const KindInfo& kind : kinds) {
        for (const Gesture& gesture : gestures) {
            SCOPED_TRACE(std::string(kind.name) + ": " + gesture.name);
            Bench b(kind.kind, 0.0f);
            const QSizeF size = b.button->buttonSize();
            EXPECT_FALSE(b.button->isPressed());

            b.pointer.press(b.middle());
            for (const At& at : gesture.movesAfterPress)
                b.pointer.move(at.on(size));
            EXPECT_TRUE(b.button->isPressed());
            EXPECT_EQ(b.hosted.heard(), "touch 0") << "one touch, whatever the pointer does";

            b.pointer.release(gesture.release.on(size));
            EXPECT_FALSE(b.button->isPressed());
            const float expected = gesture.counts ? kind.clickFrom0 : 0.0f;
            const std::string clicked = std::to_string(int(kind.clickFrom0));
            EXPECT_EQ(b.hosted.heard(), gesture.counts ? "value " + clicked + ", release " + clicked : "release 0");

            test::runMainQueue();
            EXPECT_EQ(b.hosted.param->value(), expected);
            EXPECT_FALSE(b.hosted.param->isBeingInteractivelyEdited()) << "buttons never mark a drag";
        }
    }
}

TEST(ParameterButtonGesture, ACountedClickSetsWhatEachButtonStandsFor)
{
    const struct {
        Kind kind;
        float before;
        const char* heard;
        float after;
    } cases[] = {
        {Kind::chaosToggle, 0, "touch 0, value 2, release 2", 2},
        {Kind::chaosToggle, 2, "touch 2, release 2", 2}, // already on: the repeated 2 is dropped
        {Kind::chaosToggle, 2.7f, "touch 2.7, value 2, release 2", 2},
        {Kind::modeModern, 3, "touch 3, value 2, release 2", 2},
        {Kind::modeModern, 2, "touch 2, release 2", 2},
        {Kind::modeRetro, 1, "touch 1, value 2, release 2", 2},
        {Kind::narrow, 0, "touch 0, value 1, release 1", 1},
        {Kind::narrow, 1, "touch 1, value 0, release 0", 0},
        {Kind::narrow, 0.5f, "touch 0.5, value 0, release 0", 0},
        {Kind::toggle, 0, "touch 0, value 1, release 1", 1},
        {Kind::toggle, 1, "touch 1, value 0, release 0", 0},
        {Kind::toggle, 0.5f, "touch 0.5, value 0, release 0", 0},
        {Kind::arrowLeftAtOne, 1, "touch 1, value 0, release 0", 0},
        {Kind::arrowLeftAtOne, 0, "touch 0, value 1, release 1", 1},
        {Kind::arrowLeftAtZero, 0, "touch 0, value 1, release 1", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(info(c.kind).name) + " from " + std::to_string(c.before));
        Bench b(c.kind, c.before);
        b.pointer.click(b.middle()); // back to back: the press queues nothing the release needs
        EXPECT_EQ(b.hosted.heard(), c.heard);
        EXPECT_EQ(b.hosted.param->auParameter()->storedValue(), c.after);
        test::runMainQueue();
        EXPECT_EQ(b.hosted.param->value(), c.after);
    }
}

TEST(ParameterButtonGesture, HidingTheButtonMidPressEndsTheGestureWithoutAClick)
{
    Bench b(Kind::toggle, 0.0f);
    b.pointer.press(b.middle());
    b.button->hide();
    EXPECT_FALSE(b.button->isPressed());
    EXPECT_EQ(b.hosted.heard(), "touch 0, release 0");
    test::runMainQueue();
    EXPECT_EQ(b.hosted.param->value(), 0.0f);
}

TEST(ParameterButtonGesture, DeletingTheButtonMidPressEndsTheGestureWithoutAClick)
{
    // A rebuilt view (the skin follows a mode the host automates) deletes its buttons whatever
    // the pointer is doing; the host must not keep the touch.
    for (const KindInfo& kind : kinds) {
        SCOPED_TRACE(kind.name);
        Bench b(kind.kind, 0.0f);
        b.pointer.press(b.middle());
        EXPECT_EQ(b.hosted.heard(), "touch 0");
        b.button.reset();
        EXPECT_EQ(b.hosted.heard(), "release 0");
        test::runMainQueue();
        EXPECT_EQ(b.hosted.param->value(), 0.0f);
    }
}

TEST(ParameterButtonGesture, ARebindingMidPressEndsTheGestureOnTheParameterItBeganOn)
{
    Bench b(Kind::toggle, 0.0f);
    HostedParameter other(AudioParameter::create(9, "crush", "Crush", au::ParameterUnit::boolean, {0.0f, 1.0f}, 1.0f,
                                                 AudioParameter::ValueIncrement::linear(), std::nullopt, std::nullopt));
    b.pointer.press(b.middle());
    EXPECT_EQ(b.hosted.heard(), "touch 0");
    b.button->setParam(other.param);
    EXPECT_EQ(b.hosted.heard(), "release 0") << "the gesture ends where it began";
    EXPECT_FALSE(b.button->isPressed());
    b.pointer.release(b.middle());
    EXPECT_EQ(other.heard(), "") << "no release without a touch, and that press was no click";
    EXPECT_EQ(b.hosted.heard(), "");

    // The next click is the new parameter's, whole.
    b.pointer.click(b.middle());
    EXPECT_EQ(other.heard(), "touch 1, value 0, release 0");
    EXPECT_EQ(b.hosted.heard(), "");
}

TEST(ParameterButtonGesture, ARebindingSendsTheNextClickToTheNewParameter)
{
    Bench b(Kind::toggle, 0.0f);
    HostedParameter other(AudioParameter::create(9, "crush", "Crush", au::ParameterUnit::boolean, {0.0f, 1.0f}, 1.0f,
                                                 AudioParameter::ValueIncrement::linear(), std::nullopt, std::nullopt));
    b.button->setParam(other.param);
    EXPECT_EQ(b.button->param(), other.param);
    EXPECT_EQ(b.button->currentLabel()->text, "CRUSH");
    EXPECT_EQ(b.button->currentImageName(), "modern-button-on");

    b.pointer.click(b.middle());
    EXPECT_EQ(other.heard(), "touch 1, value 0, release 0");
    EXPECT_EQ(b.hosted.heard(), "");
}

// --- Images -----------------------------------------------------------------------------------

TEST(ParameterButtonImage, FollowsTheValueAndThePress)
{
    const struct {
        Kind kind;
        float value;
        const char* image;
        const char* pressedImage;
    } cases[] = {
        {Kind::chaosToggle, 0, "chaos-button-grey-off", "chaos-button-grey-off-down"},
        {Kind::chaosToggle, 2, "chaos-button-grey-on-yellow", "chaos-button-grey-on-yellow-down"},
        {Kind::chaosToggle, 2.7f, "chaos-button-grey-on-yellow", "chaos-button-grey-on-yellow-down"},
        {Kind::chaosToggle, 3, "chaos-button-grey-off", "chaos-button-grey-off-down"},
        {Kind::narrow, 0, "chaos-button-narrow-grey-off", "chaos-button-narrow-grey-off-down"},
        {Kind::narrow, 1, "chaos-button-narrow-grey-on-yellow", "chaos-button-narrow-grey-on-yellow-down"},
        {Kind::narrow, 0.5f, "chaos-button-narrow-grey-off", "chaos-button-narrow-grey-off-down"},
        {Kind::arrowLeftAtOne, 1, "chaos-button-small-yellow-left", "chaos-button-small-yellow-left-down"},
        {Kind::arrowLeftAtOne, 0, "chaos-button-small-yellow-right", "chaos-button-small-yellow-right-down"},
        {Kind::arrowLeftAtOne, 0.5f, "chaos-button-small-yellow-right", "chaos-button-small-yellow-right-down"},
        {Kind::arrowLeftAtZero, 0, "chaos-button-small-yellow-left", "chaos-button-small-yellow-left-down"},
        {Kind::modeModern, 0, "modern-button", "modern-button-down"},
        {Kind::modeModern, 2, "modern-button-on", "modern-button-on-down"},
        {Kind::modeRetro, 0, "retro-button", "retro-button"},
        {Kind::modeRetro, 2, "modern-button-on", "retro-button-down"},
        {Kind::toggle, 0, "modern-button", "modern-button-down"},
        {Kind::toggle, 1, "modern-button-on", "modern-button-on-down"},
        {Kind::toggle, 0.5f, "modern-button", "modern-button-down"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(info(c.kind).name) + " at " + std::to_string(c.value));
        Bench b(c.kind, 0.0f);
        b.hosted.hostSets(c.value);
        EXPECT_EQ(b.button->currentImageName(), c.image);
        b.pointer.press(b.middle());
        EXPECT_EQ(b.button->currentImageName(), c.pressedImage);
        b.pointer.release(farAway.on(b.button->buttonSize()));
        EXPECT_EQ(b.button->currentImageName(), c.image) << "back to the not-pressed image";
    }
}

TEST(ParameterButtonImage, AClickShowsTheNewStateOnTheNextMainQueueTurn)
{
    Bench b(Kind::arrowLeftAtOne, 1.0f);
    EXPECT_EQ(b.button->currentImageName(), "chaos-button-small-yellow-left");
    b.pointer.click(b.middle());
    EXPECT_EQ(b.button->currentImageName(), "chaos-button-small-yellow-left") << "the value is not back yet";
    test::runMainQueue();
    EXPECT_EQ(b.button->currentImageName(), "chaos-button-small-yellow-right");
}

TEST(ParameterButtonImage, RepaintsWhenTheHostMovesTheValue)
{
    Bench b(Kind::toggle, 0.0f);
    PaintCounter paints(*b.button);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(b.button.get()));
    QApplication::processEvents();
    ASSERT_GT(paints.count, 0);

    paints.count = 0;
    b.hosted.hostSets(0.0f);
    QApplication::processEvents();
    EXPECT_EQ(paints.count, 0) << "an unchanged value";

    b.hosted.hostSets(1.0f);
    QApplication::processEvents();
    EXPECT_EQ(paints.count, 1);
    EXPECT_EQ(b.button->currentImageName(), "modern-button-on");
}

// --- Labels -----------------------------------------------------------------------------------

QColor asset(ColorAsset color)
{
    return ColorResource::of(color).value();
}

TEST(ParameterButtonLabel, TextFontOffsetAndColourOfEachState)
{
    const QColor chaosText = asset(ColorAsset::chaosToggleText);
    const QColor chaosPressed = asset(ColorAsset::chaosToggleTextPressed);
    const QColor buttonText = asset(ColorAsset::buttonText);
    const QColor background = asset(ColorAsset::background);
    ASSERT_TRUE(chaosText.isValid() && chaosPressed.isValid() && buttonText.isValid() && background.isValid());
    using L = BitmapButtonLabel;
    const auto medium = MossFont::dosisMedium;
    const auto zindle = MossFont::zindle;

    const struct {
        Kind kind;
        float value;
        bool pressed;
        std::optional<BitmapButtonLabel> label;
    } cases[] = {
        {Kind::chaosToggle, 0, false, L{"WHISPER", medium, 13, -6, chaosText}},
        {Kind::chaosToggle, 2, false, L{"WHISPER", medium, 13, -6, chaosText}},
        {Kind::chaosToggle, 0, true, L{"WHISPER", medium, 13, -6, chaosPressed}},
        {Kind::chaosToggle, 2, true, L{"WHISPER", medium, 13, -6, chaosPressed}},
        {Kind::narrow, 0, false, L{"Freeze", medium, 13, -2, chaosText}},
        {Kind::narrow, 1, true, L{"Freeze", medium, 13, -2, chaosPressed}},
        {Kind::narrowUntitled, 1, false, std::nullopt},
        {Kind::narrowUntitled, 0, true, std::nullopt},
        {Kind::arrowLeftAtOne, 1, false, std::nullopt},
        {Kind::modeModern, 0, false, L{"WHISPER", zindle, 14, 2, buttonText}},
        {Kind::modeModern, 0, true, L{"WHISPER", zindle, 14, 2, buttonText}},
        {Kind::modeModern, 2, false, L{"WHISPER", zindle, 14, 2, onColor}},
        {Kind::modeModern, 2, true, L{"WHISPER", zindle, 14, 2, onColor}},
        {Kind::modeRetro, 0, false, L{"WHISPER", zindle, 14, 2, background}},
        {Kind::modeRetro, 0, true, L{"WHISPER", zindle, 14, 2, background}},
        {Kind::modeRetro, 2, false, L{"WHISPER", zindle, 14, 2, onColor}},
        {Kind::toggle, 0, false, L{"HIGH PASS", zindle, 14, 2, buttonText}},
        {Kind::toggle, 0, true, L{"HIGH PASS", zindle, 14, 2, buttonText}},
        {Kind::toggle, 1, false, L{"HIGH PASS", zindle, 14, 2, onColor}},
        {Kind::toggle, 0.5f, false, L{"HIGH PASS", zindle, 14, 2, buttonText}},
        {Kind::toggleOverride, 0, false, L{"Hi Cut", zindle, 14, 2, buttonText}},
        {Kind::toggleOverride, 1, true, L{"Hi Cut", zindle, 14, 2, onColor}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(info(c.kind).name) + " at " + std::to_string(c.value) +
                     (c.pressed ? ", pressed" : ""));
        Bench b(c.kind, c.value);
        if (c.pressed)
            b.pointer.press(b.middle());
        const auto label = b.button->currentLabel();
        ASSERT_EQ(label.has_value(), c.label.has_value());
        if (label) {
            EXPECT_EQ(label->text, c.label->text);
            EXPECT_EQ(label->font, c.label->font);
            EXPECT_EQ(label->fontSize, c.label->fontSize);
            EXPECT_EQ(label->offset, c.label->offset);
            EXPECT_EQ(label->color, c.label->color) << label->color.name().toStdString();
        }
    }
}

TEST(ParameterButtonLabel, AValueIndexWithoutItsNameShowsNoText)
{
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "index past the names" : "no value strings");
        const auto modes = test::makeModes(0.0f, named);
        const int index = named ? 7 : 1;
        ChaosToggleButton chaos(modes, index, ChaosButtonColor::yellow);
        ModeToggleButton mode(modes, index, onColor, ToggleButtonStyle::modern, 14);
        EXPECT_EQ(chaos.currentLabel()->text, "");
        EXPECT_EQ(mode.currentLabel()->text, "");
    }
}

TEST(ParameterButtonLabel, ANameOverrideSetLaterReplacesTheName)
{
    Bench b(Kind::toggle, 0.0f);
    auto& toggle = static_cast<ToggleButton&>(*b.button);
    toggle.setNameOverride("Lo Cut");
    EXPECT_EQ(toggle.currentLabel()->text, "Lo Cut");
    toggle.setNameOverride(std::nullopt);
    EXPECT_EQ(toggle.currentLabel()->text, "HIGH PASS");
}

// --- The view ---------------------------------------------------------------------------------

TEST(ParameterButtonView, NaturalSizeIsTheButtonSizeAndItIsAButton)
{
    for (const KindInfo& kind : kinds) {
        SCOPED_TRACE(kind.name);
        Bench b(kind.kind, 0.0f);
        EXPECT_EQ(b.button->buttonSize(), kind.size);
        EXPECT_EQ(b.button->naturalSize(), kind.size);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(b.button.get());
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::Button);
    }
}

} // namespace
} // namespace mossbell
