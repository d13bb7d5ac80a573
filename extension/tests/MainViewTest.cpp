// The plug-in view as a host shows it: the view controller's view with the main view, its skins
// and header, at several window sizes; also renders both skins at 1x and 2x to PNG files under
// plugin-view/ in the build tree, to be looked at.

#include "ModelTestSupport.h"

#include "extension/AudioUnitViewController.h"
#include "extension/ExtensionResources.h"
#include "extension/LargeDial.h"
#include "extension/MainView.h"
#include "extension/ModePresets.h"
#include "extension/ModernView.h"
#include "extension/ParameterAddress.h"
#include "extension/Retroview.h"
#include "extension/SmallDial.h"

#include "Mossbell/ModeToggleButton.h"
#include "Mossbell/ParameterHoldButton.h"
#include "Mossbell/PluginHeaderView.h"
#include "Mossbell/ToggleButton.h"
#include "Mossbell/tests/HostRecorder.h"

#include "platform/audiounit/ParameterTree.h"
#include "platform/ui/Button.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace zindle {
namespace {

using mossbell::test::HostRecorder;

/// The views of a type under root, in tree order. Our views carry no meta-object of their own,
/// so QObject::findChildren cannot tell them apart.
template <typename T>
std::vector<T*> viewsOf(const QWidget& root)
{
    std::vector<T*> found;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (auto* view = dynamic_cast<T*>(widget))
            found.push_back(view);
    }
    return found;
}

template <typename T>
T* viewOf(const QWidget& root)
{
    const auto found = viewsOf<T>(root);
    return found.empty() ? nullptr : found.front();
}

/// A host's window around the effect's view, with the effect made by its factory.
class PluginViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("ZINDLE_UPDATE_FEED_URL", test::refusedFeedUrl().toEncoded());
        controller = std::make_unique<AudioUnitViewController>();
        unit = controller->createAudioUnit(ZindleAudioUnit::description);
        recorder = std::make_unique<HostRecorder>(unit->parameterTree());
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(controller->userInterface()->view());
    }
    void TearDown() override { qunsetenv("ZINDLE_UPDATE_FEED_URL"); }

    Settings& settings() { return *controller->settings(); }
    MainView& mainView() { return *viewOf<MainView>(window); }

    void showAt(QSize size)
    {
        window.resize(size);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
    }

    /// Where a point of a widget of the design is in the main view's viewport.
    QPoint onScreen(const QWidget& widget, QPointF local)
    {
        const QPointF design = widget.mapTo(mainView().content(), local.toPoint());
        return (design * mainView().currentScale()).toPoint();
    }

    /// A host's change of the parameter at address, heard by the model on the main thread.
    void hostSets(std::uint64_t address, float value)
    {
        unit->parameterTree()->parameter(address)->setValue(value, recorder->token(), 0, au::AutomationEventType::value);
        test::runMainQueue();
        QApplication::processEvents();
    }

    QWidget window;
    std::unique_ptr<AudioUnitViewController> controller;
    std::shared_ptr<au::AudioUnit> unit;
    std::unique_ptr<HostRecorder> recorder;
};

TEST_F(PluginViewTest, TheControllerHostsTheMainViewFillingItsViewAndTellsTheModelItsWindow)
{
    EXPECT_EQ(controller->userInterface(), controller.get());
    EXPECT_EQ(controller->preferredContentSize(), QSizeF(640, 480));
    // The host's own control that has the keyboard when the view appears.
    auto* hostField = new QLineEdit;
    window.layout()->addWidget(hostField);
    hostField->setFocus();
    showAt({700, 500});
    EXPECT_EQ(settings().pluginMainResponder(), hostField);
    delete hostField;
    QWidget* view = controller->view();
    for (const QSize size : {QSize(700, 500), QSize(320, 900)}) {
        window.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(mainView().geometry(), view->rect()) << size.width();
    }
    EXPECT_EQ(settings().pluginWindow(), &window);
}

struct ScaleCase {
    QSize window;
    qreal scale;
};

class PluginViewScaleTest : public PluginViewTest, public ::testing::WithParamInterface<ScaleCase> {};

TEST_P(PluginViewScaleTest, ScalesFromTheTopLeftAndAClickLandsOnTheControlUnderIt)
{
    const ScaleCase& c = GetParam();
    showAt(c.window);
    EXPECT_DOUBLE_EQ(mainView().currentScale(), c.scale);

    // The high-pass switch of the modern skin, clicked in the middle.
    auto* highPass = viewsOf<mossbell::ToggleButton>(*mainView().content()).at(2);
    ASSERT_EQ(highPass->param(), settings().highPassFilter());
    const float before = settings().highPassFilter()->value();
    const QPoint at = onScreen(*highPass, QPointF(44, 13));
    QTest::mouseClick(mainView().viewport(), Qt::LeftButton, {}, at);
    test::runMainQueue();
    EXPECT_EQ(settings().highPassFilter()->value(), before == 0.0f ? 1.0f : 0.0f);

    // Where the design does not reach, a click finds nothing.
    recorder->clear();
    const QPoint beyond(c.window.width() - 2, c.window.height() - 2);
    if (beyond.x() > 640 * c.scale || beyond.y() > 480 * c.scale) {
        QTest::mouseClick(mainView().viewport(), Qt::LeftButton, {}, beyond);
        EXPECT_TRUE(recorder->events().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PluginViewScaleTest,
                         ::testing::Values(ScaleCase{{640, 480}, 1.0}, ScaleCase{{1280, 960}, 2.0},
                                           ScaleCase{{1280, 480}, 1.0}, ScaleCase{{320, 480}, 0.5}));

TEST_F(PluginViewTest, TheMainModeChoosesTheSkinAndATabSwitchesIt)
{
    showAt({640, 480});
    ASSERT_EQ(settings().mainMode()->value(), 1.0f);
    EXPECT_FALSE(mainView().showsRetro());
    EXPECT_NE(viewOf<ModernView>(*mainView().content()), nullptr);

    // Host automation: exactly 0 is Retro, anything else Modern.
    for (const auto& [value, retro] : {std::pair{0.0f, true}, {0.5f, false}, {0.0f, true}, {1.0f, false}}) {
        hostSets(ParameterAddress::mainMode, value);
        EXPECT_EQ(mainView().showsRetro(), retro) << value;
        EXPECT_EQ(viewOf<Retroview>(*mainView().content()) != nullptr, retro) << value;
        EXPECT_EQ(viewOf<ModernView>(*mainView().content()) != nullptr, !retro) << value;
    }

    // The header's RETRO tab: one change from the interface, and the retro presets follow.
    recorder->clear();
    ui::Button* retroTab = mainView().header()->tabs().at(0);
    QTest::mouseClick(mainView().viewport(), Qt::LeftButton, {}, onScreen(*retroTab, retroTab->rect().center()));
    test::runMainQueue();
    QApplication::processEvents();
    EXPECT_TRUE(mainView().showsRetro());
    const auto events = recorder->events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().address, ParameterAddress::mainMode);
    EXPECT_EQ(events.front().value, 0.0f);
}

TEST_F(PluginViewTest, SkinsAreLaidOutAsDesigned)
{
    showAt({640, 480});
    const ModernView& modern = *viewOf<ModernView>(*mainView().content());
    // Where a view was laid out in the design; a stack may reach past that rect with children
    // moved by offsets.
    const auto frameOf = [&](const QWidget& widget) {
        const auto* stack = dynamic_cast<const ui::Stack*>(&widget);
        const QRectF laidOut = stack ? stack->layoutRect() : QRectF(QPointF(0, 0), widget.size());
        return laidOut.translated(widget.mapTo(mainView().content(), QPoint(0, 0)));
    };
    // Both rows fill the width between the 16-point sides: 3 x 200 + 2 x 4 = 608.
    const QRectF voice = frameOf(*modern.voiceInputDial());
    const QRectF output = frameOf(*modern.outputDial());
    EXPECT_EQ(voice.left(), 16);
    EXPECT_EQ(output.right(), 624);
    // The freeze button's centre: 71 right of and 106 below the centre of the 200 x 270 frame.
    const QRectF freeze = frameOf(*modern.freezeButton());
    EXPECT_EQ(freeze.center() - voice.center(), QPointF(71, 106));
    // The panels 4 points below the dials, to the 16-point margin at the bottom: the quality
    // dial sits in the middle of the 98 x 144 panel after the 302-point voice panel.
    const qreal skinTop = frameOf(*mainView().header()).bottom();
    EXPECT_EQ(voice.top(), skinTop);
    EXPECT_EQ(frameOf(*modern.qualityDial()).center(), QPointF(16 + 302 + 4 + 49, skinTop + 270 + 4 + 72));
    EXPECT_EQ(skinTop + 270 + 4 + 144 + 16, 480);

    hostSets(ParameterAddress::mainMode, 0.0f);
    const Retroview& retro = *viewOf<Retroview>(*mainView().content());
    // The buttons touch: 3 x 88 = 264; the dials: 3 x 120 + 2 x 44 = 448, both centred.
    EXPECT_EQ(frameOf(*retro.retroModeButton(2)).right() - frameOf(*retro.retroModeButton(0)).left(), 264);
    EXPECT_EQ(frameOf(*retro.outputDial()).right() - frameOf(*retro.voiceInputDial()).left(), 448);
    EXPECT_EQ(frameOf(*retro.voiceInputDial()).left(), (640 - 448) / 2);
    // Pushed to the top of the skin: 50 points below the header, the buttons 37 below the
    // 170-point dial frames.
    EXPECT_EQ(frameOf(*retro.voiceInputDial()).top(), skinTop + 50);
    EXPECT_EQ(frameOf(*retro.retroModeButton(1)).top(), skinTop + 50 + 170 + 37);
}

// Drags and double clicks reach a dial in design points, whatever the scale: at 2x, 20 pixels
// are 10 points, which move a gain by 10 x 0.005 x 66 dB.
TEST_F(PluginViewTest, ADialTurnsByDesignPointsAtTwiceTheSize)
{
    showAt({1280, 960});
    ASSERT_DOUBLE_EQ(mainView().currentScale(), 2.0);
    const auto& gain = settings().outputGain();
    LargeDial* dial = viewOf<ModernView>(*mainView().content())->outputDial();
    const QPoint at = onScreen(*dial->gestureView(), QRectF(dial->gestureView()->rect()).center());
    QWidget* viewport = mainView().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, at);
    QTest::mouseMove(viewport, at - QPoint(0, 12)); // 6 points: the drag starts
    QTest::mouseMove(viewport, at - QPoint(0, 32)); // 10 points more
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at - QPoint(0, 32));
    test::runMainQueue();
    EXPECT_NEAR(gain->value(), 3.3f, 1e-4f);
    EXPECT_FALSE(gain->isBeingInteractivelyEdited());

    // Through the window, as the platform delivers it: press, release, press and double
    // click, release.
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, viewport->mapTo(&window, at));
    test::runMainQueue();
    EXPECT_EQ(gain->value(), gain->defaultValue());
}

// A host may switch the skin while the user drags a dial of the old one: the old skin goes
// away on the next turn of the loop, and the host still hears the end of the gesture.
TEST_F(PluginViewTest, ASkinSwitchedMidDragReleasesTheDraggedDial)
{
    showAt({640, 480});
    const auto& gain = settings().outputGain();
    LargeDial* dial = viewOf<ModernView>(*mainView().content())->outputDial();
    const QPoint at = onScreen(*dial->gestureView(), QRectF(dial->gestureView()->rect()).center());
    QWidget* viewport = mainView().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, at);
    QTest::mouseMove(viewport, at - QPoint(0, 10));
    QTest::mouseMove(viewport, at - QPoint(0, 20));
    ASSERT_TRUE(gain->isBeingInteractivelyEdited());

    hostSets(ParameterAddress::mainMode, 0.0f);
    ASSERT_TRUE(mainView().showsRetro());
    QTest::mouseMove(viewport, at - QPoint(0, 40));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at - QPoint(0, 40));
    test::runMainQueue();

    std::vector<au::AutomationEventType> heard;
    for (const auto& event : recorder->events()) {
        if (event.address == ParameterAddress::outputGain)
            heard.push_back(event.type);
    }
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(heard.front(), au::AutomationEventType::touch);
    EXPECT_EQ(heard.back(), au::AutomationEventType::release);
    EXPECT_EQ(std::count(heard.begin(), heard.end(), au::AutomationEventType::release), 1);
    EXPECT_FALSE(gain->isBeingInteractivelyEdited());

    // The parameter follows the host again.
    hostSets(ParameterAddress::outputGain, -12.0f);
    EXPECT_EQ(gain->value(), -12.0f);
}

TEST_F(PluginViewTest, EachControlBindsItsParameterWithItsLook)
{
    using mossbell::ToggleButtonStyle;
    Settings& s = settings();
    const ModernView& modern = *viewOf<ModernView>(*mainView().content());

    const struct {
        LargeDial* dial;
        std::shared_ptr<mossbell::AudioParameter> param;
    } large[] = {
        {modern.voiceInputDial(), s.voiceInputGain()},
        {modern.synthInputDial(), s.synthInputGain()},
        {modern.outputDial(), s.outputGain()},
    };
    for (const auto& row : large) {
        SCOPED_TRACE(row.param->name());
        EXPECT_EQ(row.dial->param(), row.param);
        EXPECT_EQ(row.dial->style(), LargeDialStyle::modern);
        EXPECT_EQ(row.dial->dialImageCount(), 90);
    }
    // Each large dial's meter reads its own level.
    s.updateLevels(100.0, 50.0, 20.0); // synth in, voice in, out
    EXPECT_EQ(modern.voiceInputDial()->meterIndex(), 12);
    EXPECT_EQ(modern.synthInputDial()->meterIndex(), 25);
    EXPECT_EQ(modern.outputDial()->meterIndex(), 5);

    const struct {
        SmallDial* dial;
        std::shared_ptr<mossbell::AudioParameter> param;
        SmallDialColor color;
    } small[] = {
        {modern.unvoicedLevelDial(), s.whiteNoiseLevel(), SmallDialColor::blue},
        {modern.thresholdDial(), s.whiteNoiseThreshold(), SmallDialColor::blue},
        {modern.qualityDial(), s.vocoderQuality(), SmallDialColor::yellow},
        {modern.shiftDial(), s.formantShift(), SmallDialColor::red},
    };
    for (const auto& row : small) {
        SCOPED_TRACE(row.param->name());
        EXPECT_EQ(row.dial->param(), row.param);
        EXPECT_EQ(row.dial->color(), row.color);
        EXPECT_EQ(row.dial->imageCount(), 90);
    }

    const auto* freeze = dynamic_cast<mossbell::ParameterHoldButton*>(modern.freezeButton());
    ASSERT_NE(freeze, nullptr);
    EXPECT_EQ(freeze->param(), s.voiceFreeze());
    EXPECT_EQ(freeze->image().name(), "modern-button-freeze");
    EXPECT_EQ(freeze->pressedImage().name(), "modern-button-freeze-down");

    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        const auto* mode = dynamic_cast<mossbell::ModeToggleButton*>(modern.voiceModeButton(index));
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(mode->param(), s.voiceMode());
        EXPECT_EQ(mode->valueIndex(), index);
        EXPECT_EQ(mode->buttonStyle(), ToggleButtonStyle::modern);
        EXPECT_EQ(mode->buttonFontSize(), 13);
        EXPECT_EQ(mode->buttonTextColor(), Colors::buttonBlue().value());
    }
    const std::shared_ptr<mossbell::AudioParameter> toggled[] = {s.compress(), s.crush(), s.highPassFilter(),
                                                                 s.lowPassFilter()};
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        const auto* toggle = dynamic_cast<mossbell::ToggleButton*>(modern.toggleButton(index));
        ASSERT_NE(toggle, nullptr);
        EXPECT_EQ(toggle->param(), toggled[index]);
        EXPECT_FALSE(toggle->nameOverride().has_value());
        EXPECT_EQ(toggle->buttonFontSize(), 13);
        EXPECT_EQ(toggle->buttonTextColor(), Colors::buttonRed().value());
    }

    hostSets(ParameterAddress::mainMode, 0.0f);
    const Retroview& retro = *viewOf<Retroview>(*mainView().content());
    const std::shared_ptr<mossbell::AudioParameter> gains[] = {s.voiceInputGain(), s.synthInputGain(),
                                                               s.outputGain()};
    const LargeDial* retroDials[] = {retro.voiceInputDial(), retro.synthInputDial(), retro.outputDial()};
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(retroDials[index]->param(), gains[index]);
        EXPECT_EQ(retroDials[index]->style(), LargeDialStyle::retro);
        EXPECT_EQ(retroDials[index]->dialImageCount(), 90);
        const auto* mode = dynamic_cast<mossbell::ModeToggleButton*>(retro.retroModeButton(index));
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(mode->param(), s.retroMode());
        EXPECT_EQ(mode->valueIndex(), index);
        EXPECT_EQ(mode->buttonStyle(), ToggleButtonStyle::retro);
        EXPECT_EQ(mode->buttonFontSize(), 13);
        EXPECT_EQ(mode->buttonTextColor(), Colors::retroGreen().value());
    }
    s.updateLevels(100.0, 50.0, 20.0);
    EXPECT_EQ(retro.voiceInputDial()->meterIndex(), 9);
    EXPECT_EQ(retro.synthInputDial()->meterIndex(), 18);
    EXPECT_EQ(retro.outputDial()->meterIndex(), 3);
}

TEST_F(PluginViewTest, RetroButtonsChooseTheRetroModeAndItsPreset)
{
    hostSets(ParameterAddress::mainMode, 0.0f);
    showAt({640, 480});
    const Retroview& retro = *viewOf<Retroview>(*mainView().content());
    auto* talkbox = static_cast<mossbell::ModeToggleButton*>(retro.retroModeButton(2));
    EXPECT_EQ(settings().retroMode()->value(), 2.0f);
    EXPECT_EQ(talkbox->currentImageName(), "modern-button-on");

    QWidget* nuvo = retro.retroModeButton(0);
    QTest::mouseClick(mainView().viewport(), Qt::LeftButton, {}, onScreen(*nuvo, QPointF(44, 13)));
    test::runMainQueue();
    EXPECT_EQ(settings().retroMode()->value(), 0.0f);
    // The Nuvo voicing sets the hidden parameters at once.
    for (const VoicingRow& row : retroVoicingPreset)
        EXPECT_EQ(settings().parameter(row.address)->value(), row.values[0]) << row.address;
}

TEST_F(PluginViewTest, AnUpdateNoticeAppearsWhileTheViewIsShown)
{
    showAt({640, 480});
    EXPECT_EQ(mainView().header()->updateButton(), nullptr);
    EXPECT_EQ(mainView().header()->appUpdateURL(), QUrl("zindle://openAndUpdate"));
    // The rest of the header's wiring: the main mode's tabs, the version, the face, no menu.
    EXPECT_EQ(mainView().header()->tabParameter(), settings().mainMode());
    EXPECT_EQ(mainView().header()->pluginVersion().toStdString(), settings().pluginVersion());
    EXPECT_EQ(mainView().header()->headerFont(), mossbell::MossFont::zindle);
    EXPECT_EQ(mainView().header()->menu(), nullptr);
    settings().setUpdateDetails(mossbell::UpdateAvailableDetails{"1.2"});
    QApplication::processEvents();
    ASSERT_NE(mainView().header()->updateButton(), nullptr);
    EXPECT_EQ(mainView().header()->updateButton()->label().text, "1.2 AVAILABLE");
}

TEST_F(PluginViewTest, RendersBothSkinsAtOneAndTwoTimes)
{
    const QDir frames(QStringLiteral(ZINDLE_FRAMES_DIR));
    ASSERT_TRUE(frames.mkpath("."));
    // Some level on the meters and a few values off their defaults, as while playing.
    std::static_pointer_cast<Settings>(controller->settings())->updateLevels(62, 78, 55);
    hostSets(ParameterAddress::formantShift, 3.0f);
    for (const auto& [mode, name] : {std::pair{1.0f, "modern"}, {0.0f, "retro"}}) {
        hostSets(ParameterAddress::mainMode, mode);
        for (const int scale : {1, 2}) {
            showAt(QSize(640, 480) * scale);
            const QImage picture = mainView().grab().toImage();
            EXPECT_EQ(picture.size(), QSize(640, 480) * scale);
            const QString file = QStringLiteral("zindle-%1%2.png").arg(name, scale == 2 ? "@2x" : "");
            EXPECT_TRUE(picture.save(frames.filePath(file))) << file.toStdString();
            // The design fills the window: in the modern skin its background colour shows in
            // both bottom corners, below the panels' 16-point margin (the retro backdrop covers
            // them).
            if (mode != 0.0f) {
                const QColor background = Colors::background().value();
                for (const QPoint corner : {QPoint(0, picture.height() - 1),
                                            QPoint(picture.width() - 1, picture.height() - 1)}) {
                    const QColor seen = picture.pixelColor(corner);
                    EXPECT_NEAR(seen.red(), background.red(), 2) << corner.x();
                    EXPECT_NEAR(seen.green(), background.green(), 2) << corner.x();
                    EXPECT_NEAR(seen.blue(), background.blue(), 2) << corner.x();
                }
            }
        }
    }
}

} // namespace
} // namespace zindle
