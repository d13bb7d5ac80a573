// The momentary buttons: the chaos key and the image button call their actions, the hold
// button holds its parameter at 1 for as long as it is pressed.

#include "ButtonBench.h"
#include "QStringPrinter.h"

#include "Mossbell/ChaosButton.h"
#include "Mossbell/ImageButton.h"
#include "Mossbell/ParameterHoldButton.h"

#include <QAccessible>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace mossbell {
namespace {

using test::HostedParameter;
using test::Pointer;

// --- ChaosButton ------------------------------------------------------------------------------

TEST(ChaosButton, ActsOnAReleaseInsideItsFrame)
{
    const struct {
        const char* what;
        std::vector<QPointF> moves;
        QPointF release;
        int actions;
    } cases[] = {
        {"click", {}, {24, 28}, 1},
        {"release just inside the bottom-right corner", {}, {47.99, 55.99}, 1},
        {"release on the right edge", {}, {48, 28}, 0},
        {"release on the bottom edge", {}, {24, 56}, 0},
        {"release outside", {}, {-3, 28}, 0},
        {"leave and come back", {{200, 200}, {10, 10}}, {10, 10}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int actions = 0;
        ChaosButton button("Chaos", ChaosButtonColor::yellow, [&] { ++actions; });
        button.show();
        Pointer pointer(button);
        pointer.press({24, 28});
        for (const QPointF& to : c.moves)
            pointer.move(to);
        EXPECT_TRUE(button.isPressed());
        EXPECT_EQ(actions, 0) << "nothing happens at the press";
        pointer.release(c.release);
        EXPECT_FALSE(button.isPressed());
        EXPECT_EQ(actions, c.actions);
    }
}

TEST(ChaosButton, ImageLabelAndSize)
{
    ChaosButton button("Chaos", ChaosButtonColor::yellow, nullptr);
    button.show();
    EXPECT_EQ(button.naturalSize(), QSizeF(48, 56));
    EXPECT_EQ(button.color(), ChaosButtonColor::yellow);
    EXPECT_EQ(button.currentImageName(), "chaos-button-yellow");
    const BitmapButtonLabel label{"Chaos", MossFont::dosisMedium, 13, -4,
                                  ColorResource::of(ColorAsset::chaosYellowText).value()};
    EXPECT_EQ(button.currentLabel(), label);

    Pointer pointer(button);
    pointer.press({24, 28});
    EXPECT_EQ(button.currentImageName(), "chaos-button-yellow-down");
    EXPECT_EQ(button.currentLabel(), label) << "the label does not follow the press";
    pointer.release({24, 28}); // no action given: nothing to call
    EXPECT_EQ(button.currentImageName(), "chaos-button-yellow");
}

// --- ImageButton ------------------------------------------------------------------------------

TEST(ImageButton, TheActionHearsWhetherOptionIsHeldAtTheRelease)
{
    // The image is 72 x 24 points; the hit area stays 48 x 56 from its top-left corner.
    const auto option = ui::optionModifier;
    const struct {
        const char* what;
        Qt::KeyboardModifiers atPress;
        QPointF release;
        Qt::KeyboardModifiers atRelease;
        std::vector<bool> calls;
    } cases[] = {
        {"plain click", {}, {10, 10}, {}, {false}},
        {"Option at the release", {}, {10, 10}, option, {true}},
        {"Option with Shift at the release", {}, {10, 10}, option | Qt::ShiftModifier, {true}},
        {"Option let go before the release", option, {10, 10}, {}, {false}},
        {"Shift alone", {}, {10, 10}, Qt::ShiftModifier, {false}},
        {"on the image but right of the hit area", {}, {60, 10}, {}, {}},
        {"below the image but inside the hit area", {}, {10, 40}, option, {true}},
        {"just inside the hit area's far corner", {}, {47.99, 55.99}, {}, {false}},
        {"on the hit area's right edge", {}, {48, 10}, {}, {}},
        {"on the hit area's bottom edge", {}, {10, 56}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<bool> calls;
        ImageButton button(ImageResource::of(ImageAsset::settingsButton), ImageResource::of(ImageAsset::settingsButtonDown),
                           [&](bool optionHeld) { calls.push_back(optionHeld); });
        button.resize(button.sizeHint());
        button.show();
        Pointer pointer(button);
        pointer.press({10, 10}, c.atPress);
        EXPECT_TRUE(calls.empty());
        pointer.release(c.release, c.atRelease);
        EXPECT_EQ(calls, c.calls);
    }
}

TEST(ImageButton, ShowsTheCallersImagesAtTheirOwnSize)
{
    ImageButton button(ImageResource::of(ImageAsset::settingsButton), ImageResource::of(ImageAsset::modernButtonOn),
                       nullptr);
    button.show();
    EXPECT_EQ(button.naturalSize(), QSizeF(72, 24));
    EXPECT_EQ(button.buttonSize(), QSizeF(48, 56)) << "the hit area";
    EXPECT_EQ(button.currentImageName(), "settings-button");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);

    Pointer pointer(button);
    pointer.press({10, 10});
    EXPECT_EQ(button.currentImageName(), "modern-button-on");
    EXPECT_EQ(button.naturalSize(), QSizeF(88, 27));
    pointer.release({10, 10});
    EXPECT_EQ(button.currentImageName(), "settings-button");
    EXPECT_EQ(button.naturalSize(), QSizeF(72, 24));
}

// --- ParameterHoldButton ----------------------------------------------------------------------

// A freeze switch held by a button of two images of different sizes.
struct HoldBench {
    explicit HoldBench(float value = 0.0f)
        : hosted(AudioParameter::create(14, "voiceFreeze", "Freeze", au::ParameterUnit::boolean, {0.0f, 1.0f}, value,
                                        AudioParameter::ValueIncrement::linear(), std::nullopt, std::nullopt)),
          button(hosted.param, ImageResource::of(ImageAsset::chaosButtonYellow),
                 ImageResource::of(ImageAsset::chaosButtonYellowDown)),
          pointer(button)
    {
        button.resize(button.sizeHint());
        button.show();
    }

    HostedParameter hosted;
    ParameterHoldButton button;
    Pointer pointer;
};

TEST(ParameterHoldButton, HoldsTheValueAtOneUntilTheReleaseWhereverItIs)
{
    const struct {
        const char* what;
        std::vector<QPointF> moves;
        QPointF release;
    } cases[] = {
        {"held still", {}, {22, 26}},
        {"moved about inside", {{1, 1}, {40, 50}, {22, 26}}, {22, 26}},
        {"released far outside", {{500, -300}}, {500, -300}},
        {"released on the edge", {}, {44, 52}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HoldBench b;
        b.pointer.press({22, 26});
        EXPECT_EQ(b.hosted.heard(), "touch 0, value 1");
        EXPECT_TRUE(b.button.isGestureActive());
        test::runMainQueue();
        EXPECT_EQ(b.hosted.param->value(), 1.0f);
        EXPECT_EQ(b.button.currentImageName(), "chaos-button-yellow-down");

        for (const QPointF& to : c.moves)
            b.pointer.move(to);
        EXPECT_EQ(b.hosted.heard(), "") << "moving sends nothing";
        b.pointer.release(c.release);
        EXPECT_FALSE(b.button.isGestureActive());
        EXPECT_EQ(b.hosted.heard(), "value 0, release 0");
        test::runMainQueue();
        EXPECT_EQ(b.hosted.param->value(), 0.0f);
        EXPECT_EQ(b.button.currentImageName(), "chaos-button-yellow");
        EXPECT_FALSE(b.hosted.param->isBeingInteractivelyEdited());
    }
}

TEST(ParameterHoldButton, AQuickClickIsAWholeHold)
{
    // The main queue runs before each input event, so the release finds the value at 1.
    HoldBench b;
    b.pointer.click({22, 26});
    EXPECT_EQ(b.hosted.heard(), "touch 0, value 1, value 0, release 0");
    EXPECT_EQ(b.hosted.param->auParameter()->storedValue(), 0.0f);
    test::runMainQueue();
    EXPECT_EQ(b.hosted.param->value(), 0.0f);
}

TEST(ParameterHoldButton, AHoldWhileTheHostHasItAtOneKeepsItAtOne)
{
    HoldBench b(1.0f);
    b.pointer.press({22, 26});
    EXPECT_EQ(b.hosted.heard(), "touch 1");
    test::runMainQueue();
    EXPECT_EQ(b.hosted.param->value(), 1.0f) << "held, so 1";
    b.pointer.release({22, 26});
    EXPECT_EQ(b.hosted.heard(), "value 0, release 0");
    test::runMainQueue();
    EXPECT_EQ(b.hosted.param->value(), 0.0f);
}

TEST(ParameterHoldButton, HidingMidHoldLetsGo)
{
    HoldBench b;
    b.pointer.press({22, 26});
    b.hosted.heard();
    b.button.hide();
    // Nothing ran the main queue since the press: the value 0 is a repeat of the value the
    // parameter still has, and the release carries the 0 to the host.
    EXPECT_EQ(b.hosted.heard(), "release 0");
    EXPECT_FALSE(b.button.isGestureActive());
    EXPECT_EQ(b.hosted.param->auParameter()->storedValue(), 0.0f);
    test::runMainQueue();
    EXPECT_EQ(b.hosted.param->value(), 0.0f);
}

TEST(ParameterHoldButton, DeletingItMidHoldLetsGo)
{
    // A skin rebuilt under a held freeze key must not leave the freeze on.
    HostedParameter hosted(test::makeSwitch());
    auto button = std::make_unique<ParameterHoldButton>(hosted.param, ImageResource::of(ImageAsset::chaosButtonYellow),
                                                        ImageResource::of(ImageAsset::chaosButtonYellowDown));
    button->resize(button->sizeHint());
    button->show();
    Pointer(*button).press({22, 26});
    test::runMainQueue();
    EXPECT_EQ(hosted.heard(), "touch 0, value 1");
    button.reset();
    EXPECT_EQ(hosted.heard(), "value 0, release 0");
    test::runMainQueue();
    EXPECT_EQ(hosted.param->value(), 0.0f);
}

TEST(ParameterHoldButton, ARebindingMidHoldLetsGoOfTheHeldParameter)
{
    HoldBench b;
    HostedParameter other(test::makeSwitch());
    b.pointer.press({22, 26});
    test::runMainQueue();
    EXPECT_EQ(b.hosted.heard(), "touch 0, value 1");
    b.button.setParam(other.param);
    EXPECT_EQ(b.hosted.heard(), "value 0, release 0");
    EXPECT_FALSE(b.button.isGestureActive());
    b.pointer.release({22, 26});
    EXPECT_EQ(other.heard(), "") << "the new parameter was never touched";
    test::runMainQueue();
    EXPECT_EQ(b.hosted.param->value(), 0.0f);
    EXPECT_EQ(other.param->value(), 0.0f);
}

TEST(ParameterHoldButton, TheImageFollowsTheValueNotThePress)
{
    HoldBench b;
    EXPECT_EQ(b.button.naturalSize(), QSizeF(44, 52));
    const struct {
        float value;
        const char* image;
    } cases[] = {{1, "chaos-button-yellow-down"}, {0.5f, "chaos-button-yellow"}, {0, "chaos-button-yellow"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        b.hosted.hostSets(c.value);
        EXPECT_EQ(b.button.currentImageName(), c.image);
    }
    EXPECT_EQ(b.hosted.heard(), "") << "the host's own sets are not sent back";
}

TEST(ParameterHoldButton, NaturalSizeIsTheShownImagesAndItIsAButton)
{
    HostedParameter hosted(test::makeSwitch());
    ParameterHoldButton button(hosted.param, ImageResource::of(ImageAsset::settingsButton),
                               ImageResource::of(ImageAsset::modernButtonOn));
    EXPECT_EQ(button.image().name(), "settings-button");
    EXPECT_EQ(button.pressedImage().name(), "modern-button-on");
    EXPECT_EQ(button.naturalSize(), QSizeF(72, 24));
    hosted.hostSets(1.0f);
    EXPECT_EQ(button.currentImageName(), "modern-button-on");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);

    // A rebinding shows and drives the new parameter.
    HostedParameter other(test::makeSwitch());
    button.setParam(other.param);
    EXPECT_EQ(button.currentImageName(), "settings-button");
    EXPECT_EQ(button.naturalSize(), QSizeF(72, 24));
    Pointer(button).press({5, 5});
    EXPECT_EQ(other.heard(), "touch 0, value 1");
    EXPECT_EQ(hosted.heard(), "");
}

} // namespace
} // namespace mossbell
