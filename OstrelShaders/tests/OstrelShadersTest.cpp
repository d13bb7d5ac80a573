// The module without GL: a device that draws nowhere and a clock moved by hand. Runs on
// Qt's offscreen platform.

#include "OstrelShaders/AboutRenderer.h"
#include "OstrelShaders/AboutSampleView.h"
#include "OstrelShaders/AboutShaderViewController.h"
#include "OstrelShaders/MetalShaderRenderer.h"
#include "OstrelShaders/MetalShaderViewController.h"
#include "OstrelShaders/ModuleBundle.h"
#include "OstrelShaders/OstrelShadersHelper.h"
#include "OstrelShaders/ShaderClock.h"
#include "OstrelShaders/SupporterShaderRenderer.h"
#include "OstrelShaders/SupporterShaderViewController.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/shaderview/ShaderError.h"
#include "platform/shaderview/ShaderLibrary.h"
#include "platform/shaderview/WindowKeyNotifications.h"
#include "platform/shaderview/tests/FakeDevice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <memory>

namespace {

using namespace ostrelshaders;
using shaderview::ShaderView;
using shaderview::testing::FakeDevice;
using SwitchArray = SupporterShaderRenderer::SwitchArray;

const QString waveformVertex = QStringLiteral("audioWaveformVertexShader");
const QString waveformFragment = QStringLiteral("audioWaveformFragmentShader");

/// A fake device and a clock that moves only when told; the real module bundle.
class OstrelRendererTest : public ::testing::Test {
protected:
    RendererEnvironment environment()
    {
        RendererEnvironment env;
        env.systemDefaultDevice = [this] { return device_; };
        env.clock = [this] { return now_; };
        return env;
    }

    std::shared_ptr<FakeDevice> device_ = std::make_shared<FakeDevice>();
    double now_ = 1000.0;
};

// ---- the clock ---------------------------------------------------------------------------

TEST_F(OstrelRendererTest, ClockStandsStillWhilePausedAndGoesOnFromThere)
{
    ShaderClock clock([this] { return now_; });
    now_ += 10;
    EXPECT_FLOAT_EQ(clock.time(), 10);

    clock.pause();
    now_ += 5;
    // Drawn on demand while paused (a resize): the paused instant, not 15.
    EXPECT_FLOAT_EQ(clock.time(), 10);
    clock.resume();
    EXPECT_FLOAT_EQ(clock.time(), 10) << "no jump back or forth at resume";
    EXPECT_DOUBLE_EQ(clock.pausedTime(), 5);
    now_ += 2;
    EXPECT_FLOAT_EQ(clock.time(), 12);

    clock.resume(); // without a pause: nothing
    EXPECT_FLOAT_EQ(clock.time(), 12);
    EXPECT_DOUBLE_EQ(clock.pausedTime(), 5);

    // Two pauses: the paused span counts from the later one.
    clock.pause();
    now_ += 3;
    clock.pause();
    now_ += 4;
    EXPECT_FLOAT_EQ(clock.time(), 15);
    clock.resume();
    EXPECT_DOUBLE_EQ(clock.pausedTime(), 9);
    EXPECT_FLOAT_EQ(clock.time(), 15);

    clock.start();
    EXPECT_FLOAT_EQ(clock.time(), 0);
    EXPECT_FALSE(clock.isPaused());
}

// ---- renderers ---------------------------------------------------------------------------

TEST_F(OstrelRendererTest, RendererStartsFromTheViewAndItsClockFromConstruction)
{
    QWidget window;
    ShaderView view(device_, &window);
    view.resize(400, 300);
    now_ = 50;
    MetalShaderRenderer renderer(view, "Main", waveformVertex, waveformFragment, environment());
    EXPECT_EQ(renderer.name(), "Main");
    EXPECT_EQ(renderer.vertexCount(), 4);
    EXPECT_EQ(renderer.viewport(), (shaderview::Viewport{0, 0, 400, 300, 0, 1}));
    EXPECT_FLOAT_EQ(renderer.clock().time(), 0);
    now_ = 52.5;
    EXPECT_FLOAT_EQ(renderer.clock().time(), 2.5);

    renderer.drawableSizeWillChange(view, QSize(0, 0));
    EXPECT_EQ(renderer.viewSize(), (std::array<float, 2>{0, 0}));
    renderer.drawableSizeWillChange(view, QSize(800, 600));
    EXPECT_EQ(renderer.viewSize(), (std::array<float, 2>{800, 600}));

    ASSERT_EQ(device_->pipelines.size(), 1u);
    const auto& pipeline = device_->pipelines[0];
    EXPECT_EQ(pipeline.label, "Shader Pipeline");
    EXPECT_EQ(pipeline.vertexFunction->name, waveformVertex);
    EXPECT_EQ(pipeline.fragmentFunction->name, waveformFragment);
    EXPECT_EQ(pipeline.colorPixelFormat, shaderview::PixelFormat::rgba16Float);
}

TEST_F(OstrelRendererTest, SeedsDifferBetweenRenderersAndStayWithinOne)
{
    ShaderView view(device_);
    MetalShaderRenderer first(view, "A", waveformVertex, waveformFragment, environment());
    MetalShaderRenderer second(view, "B", waveformVertex, waveformFragment, environment());
    const auto seed = first.seed();
    EXPECT_NE(first.seed(), second.seed());
    EXPECT_EQ(first.seed(), seed);
}

// Every renderer refuses a view without a device, or whose device gives no queue.
TEST_F(OstrelRendererTest, RenderersWithoutDeviceOrQueueThrowNoValidDevice)
{
    using Make = std::function<void(ShaderView&)>;
    const std::pair<const char*, Make> renderers[] = {
        {"named", [this](ShaderView& v) { MetalShaderRenderer(v, "Main", waveformVertex, waveformFragment, environment()); }},
        {"about", [this](ShaderView& v) { AboutRenderer(v, environment()); }},
        {"supporter", [this](ShaderView& v) { SupporterShaderRenderer(v, "S", environment()); }},
    };
    for (const auto& [name, make] : renderers) {
        ShaderView noDevice(nullptr);
        EXPECT_THROW(make(noDevice), RendererError) << name;

        auto queueless = std::make_shared<FakeDevice>();
        queueless->givesQueue = false;
        ShaderView noQueue(queueless);
        try {
            make(noQueue);
            ADD_FAILURE() << name << " built without a queue";
        } catch (const RendererError& error) {
            EXPECT_EQ(error, RendererError::noValidDevice());
            EXPECT_EQ(error.localizedDescription(), "No valid metal device");
            EXPECT_STREQ(error.what(), "No valid metal device");
        }
    }
}

TEST_F(OstrelRendererTest, MissingFunctionsAndUnallocatableQuadFailConstruction)
{
    ShaderView view(device_);
    EXPECT_THROW(MetalShaderRenderer(view, "Main", waveformVertex, "noSuchFunction", environment()), shaderview::ShaderError);
    EXPECT_THROW(MetalShaderRenderer(view, "Main", "noSuchFunction", waveformFragment, environment()), shaderview::ShaderError);

    device_->allocates = false;
    EXPECT_THROW(MetalShaderRenderer(view, "Main", waveformVertex, waveformFragment, environment()), shaderview::ShaderError);
}

TEST_F(OstrelRendererTest, AboutRendererTakesTheViewsFormatAndItsArtwork)
{
    ShaderView view(device_);
    view.setColorPixelFormat(shaderview::PixelFormat::rgba8Unorm);
    AboutRenderer renderer(view, environment());
    ASSERT_EQ(device_->pipelines.size(), 1u);
    EXPECT_EQ(device_->pipelines[0].label, "About View Pipeline");
    EXPECT_EQ(device_->pipelines[0].colorPixelFormat, shaderview::PixelFormat::rgba8Unorm);
    EXPECT_EQ(device_->pipelines[0].vertexFunction->name, "aboutVertexShader");
    EXPECT_EQ(device_->pipelines[0].fragmentFunction->name, "aboutFragmentShader");
    // A view in no window loads the artwork at 1x.
    ASSERT_EQ(device_->textureSizes.size(), 2u);
    EXPECT_EQ(device_->textureSizes[0], QSize(256, 256));

    // A bundle without the library leaves both functions unset: the pipeline fails.
    RendererEnvironment noLibrary = environment();
    noLibrary.resourceBundle = [] { return std::filesystem::path("/nonexistent/Nothing.bundle"); };
    EXPECT_THROW(AboutRenderer(view, noLibrary), shaderview::ShaderError);
}

// ---- the supporter's switches --------------------------------------------------------------

TEST_F(OstrelRendererTest, SwitchHistoryKeepsTheLastSixNewestFirst)
{
    ShaderView view(device_);
    SupporterShaderRenderer renderer(view, "Supporter", environment());
    EXPECT_EQ(renderer.switchHistory(), (SwitchArray{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(renderer.switchHistoryTime(), (SwitchArray{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(renderer.switchOnState(), (SwitchArray{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(SupporterShaderRenderer::animationBufferSize, 24);

    const int events[] = {0, 1, 2, 3, 4, 5, 2};
    for (int i = 0; i < 7; ++i) {
        now_ += 1;
        renderer.recordSwitchOn(events[i]);
    }
    EXPECT_EQ(renderer.switchHistory(), (SwitchArray{2, 5, 4, 3, 2, 1}));
    EXPECT_EQ(renderer.switchHistoryTime(), (SwitchArray{7, 6, 5, 4, 3, 2}));

    // Outside 0 to 5 records nothing.
    renderer.recordSwitchOn(6);
    renderer.recordSwitchOn(-1);
    EXPECT_EQ(renderer.switchHistory(), (SwitchArray{2, 5, 4, 3, 2, 1}));
}

class SupporterControllerTest : public OstrelRendererTest {
protected:
    QWidget view_;
    std::unique_ptr<SupporterShaderViewController> controller_ =
        std::make_unique<SupporterShaderViewController>(&view_, QStringLiteral("Supporter"), environment());
};

TEST_F(SupporterControllerTest, SwitchOperationsRecordOnlyRealTurnOns)
{
    controller_->viewWillAppear();
    SupporterShaderRenderer* renderer = controller_->renderer();
    ASSERT_NE(renderer, nullptr);

    now_ += 1;
    controller_->switchOn(3);
    controller_->switchOn(3); // already on: no second entry
    EXPECT_EQ(renderer->switchHistory(), (SwitchArray{3, -1, -1, -1, -1, -1}));
    now_ += 1;
    controller_->switchOff(3);
    controller_->switchOff(3);
    EXPECT_EQ(renderer->switchOnState(), (SwitchArray{0, 0, 0, 0, 0, 0}));
    controller_->switchOn(3); // off then on: one new event
    EXPECT_EQ(renderer->switchHistory(), (SwitchArray{3, 3, -1, -1, -1, -1}));
    EXPECT_EQ(renderer->switchHistoryTime(), (SwitchArray{2, 1, 0, 0, 0, 0}));

    controller_->switchDown(1);
    controller_->switchDown(1);
    EXPECT_EQ(renderer->switchDownState(), (SwitchArray{0, 1, 0, 0, 0, 0}));
    controller_->switchUp(1);
    EXPECT_EQ(renderer->switchDownState(), (SwitchArray{0, 0, 0, 0, 0, 0}));
}

TEST_F(SupporterControllerTest, IndicesOutsideTheRowChangeNothing)
{
    controller_->viewWillAppear();
    SupporterShaderRenderer* renderer = controller_->renderer();
    ASSERT_NE(renderer, nullptr);
    for (const int index : {-1, 6, 1000}) {
        controller_->switchOn(index);
        controller_->switchOff(index);
        controller_->switchDown(index);
        controller_->switchUp(index);
    }
    EXPECT_EQ(renderer->switchOnState(), (SwitchArray{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(renderer->switchDownState(), (SwitchArray{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(renderer->switchHistory(), (SwitchArray{-1, -1, -1, -1, -1, -1}));
}

TEST_F(SupporterControllerTest, InitialStatesWaitForTheRendererAndOnlyWhileThereIsNone)
{
    controller_->switchOn(0); // no renderer yet: nothing to change, nothing kept
    controller_->setInitialButtonStates(true, false, true, false, false, true);
    ASSERT_TRUE(controller_->switchOnStateToSetOnAppear());

    controller_->viewWillAppear();
    ASSERT_NE(controller_->renderer(), nullptr);
    EXPECT_EQ(controller_->renderer()->switchOnState(), (SwitchArray{1, 0, 1, 0, 0, 1}));
    EXPECT_EQ(controller_->renderer()->switchHistory(), (SwitchArray{-1, -1, -1, -1, -1, -1}));

    // With a renderer the states go to it; the kept ones stay as they were.
    controller_->setInitialButtonStates(false, true, false, false, false, false);
    EXPECT_EQ(controller_->renderer()->switchOnState(), (SwitchArray{0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(*controller_->switchOnStateToSetOnAppear(), (SwitchArray{1, 0, 1, 0, 0, 1}));

    // The next renderer starts again from the kept states.
    controller_->viewDidDisappear();
    EXPECT_EQ(controller_->renderer(), nullptr);
    controller_->switchOn(4); // no renderer: nothing
    controller_->viewWillAppear();
    EXPECT_EQ(controller_->renderer()->switchOnState(), (SwitchArray{1, 0, 1, 0, 0, 1}));
}

// ---- controllers ---------------------------------------------------------------------------

class ShaderViewControllerTest : public OstrelRendererTest {
protected:
    std::unique_ptr<MetalShaderViewController> makeController(QWidget* view)
    {
        return std::make_unique<MetalShaderViewController>(view, QStringLiteral("Main"), waveformVertex, waveformFragment,
                                                           environment());
    }
    void post(const QString& name, const QObject* window)
    {
        foundation::NotificationCenter::defaultCenter().post(name, window);
    }
};

TEST_F(ShaderViewControllerTest, OneViewPerAppearanceAndANewRendererAfterEach)
{
    QWidget window;
    QWidget view(&window);
    auto controller = makeController(&view);
    EXPECT_EQ(controller->metalKitView(), nullptr);

    controller->viewWillAppear();
    ShaderView* first = controller->metalKitView();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->parentWidget(), &view);
    EXPECT_EQ(first->delegate(), controller->renderer());
    EXPECT_EQ(first->colorPixelFormat(), shaderview::PixelFormat::rgba16Float);
    EXPECT_EQ(first->preferredFramesPerSecond(), 60);
    const MetalShaderRenderer* firstRenderer = controller->renderer();
    controller->viewWillAppear(); // no second view or renderer
    EXPECT_EQ(controller->metalKitView(), first);
    EXPECT_EQ(controller->renderer(), firstRenderer);
    EXPECT_EQ(view.findChildren<ShaderView*>().size(), 1);
    EXPECT_EQ(device_->pipelines.size(), 1u);

    const auto firstSeed = controller->renderer()->seed();
    now_ += 30;
    controller->viewDidDisappear();
    EXPECT_EQ(controller->metalKitView(), nullptr);
    EXPECT_EQ(controller->renderer(), nullptr);
    EXPECT_TRUE(view.findChildren<ShaderView*>().empty());

    controller->viewWillAppear();
    ASSERT_NE(controller->renderer(), nullptr);
    EXPECT_FLOAT_EQ(controller->renderer()->clock().time(), 0) << "a new appearance starts the clock again";
    EXPECT_NE(controller->renderer()->seed(), firstSeed);
}

TEST_F(ShaderViewControllerTest, ShowAndHideOfTheViewDriveTheAppearance)
{
    QWidget window;
    auto controller = makeController(&window);
    window.resize(200, 100);
    window.show();
    ASSERT_NE(controller->metalKitView(), nullptr);
    EXPECT_EQ(controller->metalKitView()->geometry(), window.rect()) << "pinned to all sides";
    window.resize(300, 120);
    EXPECT_EQ(controller->metalKitView()->geometry(), window.rect());
    window.hide();
    EXPECT_EQ(controller->metalKitView(), nullptr);
}

TEST_F(ShaderViewControllerTest, OnlyItsOwnWindowPausesAndResumesIt)
{
    QWidget window, otherWindow;
    QWidget view(&window);
    auto controller = makeController(&view);
    controller->viewWillAppear();
    controller->viewDidAppear();
    MetalShaderRenderer* renderer = controller->renderer();
    ShaderView* shaderView = controller->metalKitView();
    ASSERT_NE(renderer, nullptr);
    EXPECT_FALSE(shaderView->isPaused());

    post(shaderview::windowDidResignKeyNotification, &otherWindow);
    post(shaderview::windowDidResignKeyNotification, &view); // the view is not the window
    post(shaderview::windowDidResignKeyNotification, nullptr);
    EXPECT_FALSE(renderer->clock().isPaused());
    EXPECT_FALSE(shaderView->isPaused());

    now_ += 10;
    post(shaderview::windowDidResignKeyNotification, &window);
    EXPECT_TRUE(renderer->clock().isPaused());
    EXPECT_TRUE(shaderView->isPaused());
    now_ += 5;
    post(shaderview::windowDidBecomeKeyNotification, &otherWindow);
    EXPECT_TRUE(shaderView->isPaused());
    post(shaderview::windowDidBecomeKeyNotification, &window);
    EXPECT_FALSE(shaderView->isPaused());
    EXPECT_FLOAT_EQ(renderer->clock().time(), 10);
}

TEST_F(ShaderViewControllerTest, ResigningWithoutARendererOnlyPausesTheView)
{
    QWidget window;
    QWidget view(&window);
    RendererEnvironment noDevice = environment();
    noDevice.systemDefaultDevice = [] { return std::shared_ptr<shaderview::Device>(); };
    MetalShaderViewController controller(&view, "Main", waveformVertex, waveformFragment, noDevice);
    controller.viewWillAppear();
    controller.viewDidAppear();
    ASSERT_NE(controller.metalKitView(), nullptr);
    EXPECT_EQ(controller.renderer(), nullptr);
    EXPECT_EQ(controller.metalKitView()->delegate(), nullptr);
    post(shaderview::windowDidResignKeyNotification, &window);
    EXPECT_TRUE(controller.metalKitView()->isPaused());
}

TEST_F(ShaderViewControllerTest, DestroyedControllerLeavesNoRegistrationsOrViewBehind)
{
    auto& center = foundation::NotificationCenter::defaultCenter();
    const std::size_t before = center.registrationCount();
    QWidget window;
    QWidget view(&window);
    auto controller = makeController(&view);
    controller->viewWillAppear();
    controller->viewDidAppear();
    controller->viewDidAppear();
    EXPECT_EQ(center.registrationCount(), before + 4);

    controller.reset();
    EXPECT_EQ(center.registrationCount(), before);
    EXPECT_TRUE(view.findChildren<ShaderView*>().empty());
    post(shaderview::windowDidResignKeyNotification, &window); // reaches nothing dead
    post(shaderview::windowDidBecomeKeyNotification, &window);
}

TEST_F(ShaderViewControllerTest, AboutControllerAndSampleViewBuildTheirRenderers)
{
    QWidget window;
    QWidget view(&window);
    AboutShaderViewController controller(&view, environment());
    controller.viewWillAppear();
    ASSERT_NE(controller.renderer(), nullptr);
    EXPECT_EQ(controller.metalKitView()->delegate(), controller.renderer());

    // The sample view sets itself up each time it moves in or out of a parent: the system's
    // device, 16-bit float colour and a new renderer whose clock starts again. A new renderer
    // may reuse the old one's address, so the pipelines the device made are counted instead.
    AboutSampleView sample(nullptr, environment());
    EXPECT_EQ(sample.renderer(), nullptr);
    const std::size_t built = device_->pipelines.size();
    sample.setColorPixelFormat(shaderview::PixelFormat::rgba8Unorm);
    sample.setParent(&view);
    ASSERT_NE(sample.renderer(), nullptr);
    EXPECT_EQ(device_->pipelines.size(), built + 1);
    EXPECT_EQ(sample.device(), device_.get());
    EXPECT_EQ(sample.colorPixelFormat(), shaderview::PixelFormat::rgba16Float);
    EXPECT_EQ(sample.renderer()->pipelineState().colorPixelFormat(), shaderview::PixelFormat::rgba16Float);
    EXPECT_EQ(sample.delegate(), sample.renderer());

    now_ += 20;
    EXPECT_FLOAT_EQ(sample.renderer()->clock().time(), 20);
    sample.setParent(nullptr); // taken out: set up once more
    ASSERT_NE(sample.renderer(), nullptr);
    EXPECT_EQ(device_->pipelines.size(), built + 2);
    EXPECT_EQ(sample.delegate(), sample.renderer());
    EXPECT_FLOAT_EQ(sample.renderer()->clock().time(), 0) << "a new renderer starts its clock again";
}

// ---- helpers ---------------------------------------------------------------------------------

TEST(OstrelShadersHelperTest, ShaderValuesNameFunctionsOfTheModuleLibrary)
{
    const shaderview::Shader matrix = OstrelShadersHelper::colorMatrixShader({1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 0.5f});
    EXPECT_EQ(matrix.function, "colorMatrixShader");
    ASSERT_EQ(matrix.arguments.size(), 4u);
    EXPECT_EQ(matrix.arguments[3], (shaderview::Shader::Float4{0, 0, 0, 0.5f}));
    EXPECT_EQ(matrix.libraryBundle, moduleBundle().bundlePath());
    EXPECT_EQ(moduleBundle().bundlePath().filename(), "OstrelShaders_OstrelShaders.bundle");

    const shaderview::ShaderLibrary library = shaderview::ShaderLibrary::load(moduleBundle().bundlePath());
    for (const shaderview::Shader& shader :
         {matrix, OstrelShadersHelper::outsideSRGBShader(), OstrelShadersHelper::outsideP3Shader()}) {
        const auto function = library.function(shader.function);
        ASSERT_TRUE(function) << shader.function.toStdString();
        EXPECT_EQ(function->stage, shaderview::ShaderStage::fragment);
    }
    EXPECT_TRUE(OstrelShadersHelper::outsideSRGBShader().arguments.empty());
    EXPECT_EQ(OstrelShadersHelper::outsideP3Shader().function, "outsideP3Shader");
}

TEST(OstrelShadersBundleTest, LibraryHoldsAllNineFunctions)
{
    const shaderview::ShaderLibrary library = shaderview::ShaderLibrary::load(moduleBundle().bundlePath());
    EXPECT_EQ(library.functionNames(),
              (QStringList{"aboutFragmentShader", "aboutVertexShader", "audioWaveformFragmentShader", "audioWaveformVertexShader",
                           "colorMatrixShader", "outsideP3Shader", "outsideSRGBShader", "supporterFragmentShader",
                           "supporterVertexShader"}));
}

} // namespace
