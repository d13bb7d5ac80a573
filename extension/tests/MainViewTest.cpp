// The plug-in view as a host shows it: the view controller's view with the main view, its skins
// and header, at several window sizes; also renders both skins at 1x and 2x to PNG files under
// plugin-view/ in the build tree, to be looked at.

#include "ModelTestSupport.h"

#include "extension/AudioUnitViewController.h"
#include "extension/LargeDial.h"
#include "extension/MainView.h"
#include "extension/ModePresets.h"
#include "extension/ModernView.h"
#include "extension/ParameterAddress.h"
#include "extension/Retroview.h"

#include "Mossbell/ModeToggleButton.h"
#include "Mossbell/PluginHeaderView.h"
#include "Mossbell/ToggleButton.h"
#include "Mossbell/tests/HostRecorder.h"

#include "platform/audiounit/ParameterTree.h"
#include "platform/ui/Button.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>
#include <QVBoxLayout>

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
    showAt({700, 500});
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

    hostSets(ParameterAddress::mainMode, 0.0f);
    const Retroview& retro = *viewOf<Retroview>(*mainView().content());
    // The buttons touch: 3 x 88 = 264; the dials: 3 x 120 + 2 x 44 = 448, both centred.
    EXPECT_EQ(frameOf(*retro.retroModeButton(2)).right() - frameOf(*retro.retroModeButton(0)).left(), 264);
    EXPECT_EQ(frameOf(*retro.outputDial()).right() - frameOf(*retro.voiceInputDial()).left(), 448);
    EXPECT_EQ(frameOf(*retro.voiceInputDial()).left(), (640 - 448) / 2);
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
            // The design fills the window: its background reaches the bottom-right corner.
            EXPECT_EQ(picture.pixelColor(picture.width() - 1, picture.height() - 1).alpha(), 255);
        }
    }
}

} // namespace
} // namespace zindle
