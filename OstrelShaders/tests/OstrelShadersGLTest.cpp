// The module on the run's display: its GLSL builds, its renderers hand their inputs to the
// shaders at the right indices, and one frame of each view is written to a PNG.

#include "OstrelShaders/AboutRenderer.h"
#include "OstrelShaders/AboutShaderViewController.h"
#include "OstrelShaders/MetalShaderRenderer.h"
#include "OstrelShaders/MetalShaderViewController.h"
#include "OstrelShaders/ModuleBundle.h"
#include "OstrelShaders/OstrelShadersHelper.h"
#include "OstrelShaders/SupporterShaderRenderer.h"
#include "OstrelShaders/SupporterShaderViewController.h"
#include "platform/assets/ArtworkWriter.h"
#include "platform/shaderview/CommandBuffer.h"
#include "platform/shaderview/ShaderError.h"
#include "platform/shaderview/ShaderLibrary.h"
#include "platform/shaderview/tests/GLTesting.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace ostrelshaders;
using shaderview::ShaderView;
using shaderview::testing::GLTest;
using shaderview::testing::renderFrame;

const QString waveformVertex = QStringLiteral("audioWaveformVertexShader");
const QString waveformFragment = QStringLiteral("audioWaveformFragmentShader");

// ---- the module's own library -------------------------------------------------------------

using OstrelShadersGLTest = GLTest;

TEST_F(OstrelShadersGLTest, EveryPipelineOfTheLibraryBuilds)
{
    const auto library = shaderview::ShaderLibrary::load(moduleBundle().bundlePath());
    const std::pair<const char*, const char*> pairs[] = {
        {"audioWaveformVertexShader", "audioWaveformFragmentShader"},
        {"aboutVertexShader", "aboutFragmentShader"},
        {"supporterVertexShader", "supporterFragmentShader"},
        // The colour effects pair with any vertex function that hands on uv.
        {"audioWaveformVertexShader", "colorMatrixShader"},
        {"aboutVertexShader", "outsideSRGBShader"},
        {"supporterVertexShader", "outsideP3Shader"},
    };
    for (const auto& [vertex, fragment] : pairs) {
        shaderview::RenderPipelineDescriptor descriptor;
        descriptor.label = QStringLiteral("Check");
        descriptor.vertexFunction = library.function(QString::fromLatin1(vertex));
        descriptor.fragmentFunction = library.function(QString::fromLatin1(fragment));
        try {
            EXPECT_TRUE(device_->makeRenderPipelineState(descriptor)) << fragment;
        } catch (const shaderview::ShaderError& error) {
            ADD_FAILURE() << vertex << " + " << fragment << ": " << error.what();
        }
    }
}

TEST_F(OstrelShadersGLTest, MissingFunctionNameMakesConstructionThrow)
{
    ShaderView view(device_);
    EXPECT_THROW(MetalShaderRenderer(view, "Main", waveformVertex, "noSuchFragment"), shaderview::ShaderError);
    EXPECT_THROW(MetalShaderRenderer(view, "Main", "noSuchVertex", waveformFragment), shaderview::ShaderError);
    EXPECT_NO_THROW(MetalShaderRenderer(view, "Main", waveformVertex, waveformFragment));
}

// ---- the renderers' inputs, read back from probe shaders ---------------------------------

constexpr const char* probeVertex = R"(#version 330 core
layout(location = 0) in vec2 position;
out vec2 uv;
void main() { uv = vec2(position.x * 0.5 + 0.5, 0.5 - position.y * 0.5); gl_Position = vec4(position, 0.0, 1.0); }
)";

constexpr const char* probeHead = R"(#version 330 core
in vec2 uv;
out vec4 fragColor;
float byteOf(uint word, uint n) { return float((word >> (8u * n)) & 255u) / 255.0; }
vec3 encode(vec3 c) { return mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(vec3(0.0031308), c)); }
)";

// Each writes some inputs into one of eight columns, as 8-bit values.
constexpr const char* waveformProbe = R"(
uniform vec2 f0_viewSize;
uniform uint f1_seed;
uniform float f2_time;
void main()
{
    int column = int(uv.x * 8.0);
    vec3 c = vec3(0.0);
    if (column == 0) c = vec3(f0_viewSize / 255.0, 0.0);
    else if (column == 1) c = vec3(byteOf(f1_seed, 0u), byteOf(f1_seed, 1u), byteOf(f1_seed, 2u));
    else if (column == 2) c = vec3(byteOf(f1_seed, 3u), f2_time / 10.0, 0.0);
    fragColor = vec4(c, 1.0);
}
)";

constexpr const char* aboutProbe = R"(
uniform vec2 f0_viewSize;
uniform float f1_time;
uniform sampler2D t0_logo;
uniform sampler2D t1_noise;
void main()
{
    int column = int(uv.x * 8.0);
    vec3 c = vec3(0.0);
    if (column == 0) c = vec3(f0_viewSize / 255.0, 0.0);
    else if (column == 1) c = vec3(f1_time / 10.0, 0.0, 0.0);
    else if (column == 2) c = encode(texture(t0_logo, vec2(0.5)).rgb);
    else if (column == 3) c = encode(texture(t1_noise, vec2(0.5)).rgb);
    fragColor = vec4(c, 1.0);
}
)";

constexpr const char* supporterProbe = R"(
uniform vec2 f0_viewSize;
uniform float f1_time;
uniform float f2_scale;
uniform float f3_on[6];
uniform float f4_down[6];
uniform float f5_history[6];
uniform float f6_historyTime[6];
void main()
{
    int column = int(uv.x * 8.0);
    vec3 c = vec3(0.0);
    if (column == 0) c = vec3(f0_viewSize / 255.0, 0.0);
    else if (column == 1) c = vec3(f1_time / 10.0, f2_scale / 4.0, 0.0);
    else if (column == 2) c = vec3(f3_on[0], f3_on[1], f3_on[2]);
    else if (column == 3) c = vec3(f3_on[3], f3_on[4], f3_on[5]);
    else if (column == 4) c = vec3(f4_down[0], f4_down[4], f4_down[5]);
    else if (column == 5) c = (vec3(f5_history[0], f5_history[1], f5_history[2]) + 1.0) / 8.0;
    else if (column == 6) c = vec3(f6_historyTime[0], f6_historyTime[1], f6_historyTime[2]) / 10.0;
    fragColor = vec4(c, 1.0);
}
)";

class RendererInputsGLTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const fs::path shaders = shaderview::ShaderLibrary::shaderDirectory(bundle());
        fs::create_directories(shaders);
        for (const char* name : {"audioWaveformVertexShader", "aboutVertexShader", "supporterVertexShader"})
            std::ofstream(shaders / (std::string(name) + ".vert")) << probeVertex;
        std::ofstream(shaders / "audioWaveformFragmentShader.frag") << probeHead << waveformProbe;
        std::ofstream(shaders / "aboutFragmentShader.frag") << probeHead << aboutProbe;
        std::ofstream(shaders / "supporterFragmentShader.frag") << probeHead << supporterProbe;
        assets::ArtworkWriter writer(bundle());
        const auto solid = [](QColor colour) {
            return [colour](QPainter& p, const QSizeF& size) { p.fillRect(QRectF(QPointF(), size), colour); };
        };
        ASSERT_TRUE(writer.writeImage(AboutRenderer::logoAssetName, QSizeF(8, 8), solid(QColor(250, 20, 120))));
        ASSERT_TRUE(writer.writeImage(AboutRenderer::noiseAssetName, QSizeF(8, 8), solid(QColor(30, 140, 220))));

        environment_.clock = [this] { return now_; };
        environment_.resourceBundle = [this] { return bundle(); };
    }

    fs::path bundle() const { return fs::path(dir_.path().toStdString()) / "Probe.bundle"; }

    /// The frame of view (in window) at the probe size, once the clock reads 2.5 s.
    QImage frame(QWidget& window, ShaderView& view)
    {
        now_ = 102.5;
        view.setGeometry(0, 0, size_.width(), size_.height());
        return renderFrame(window, view, size_);
    }

    static QColor column(const QImage& image, int index)
    {
        return image.pixelColor(index * image.width() / 8 + image.width() / 16, image.height() / 2);
    }

    static void expectColumn(const QImage& image, int index, std::array<int, 3> expected, const char* what)
    {
        const QColor c = column(image, index);
        EXPECT_NEAR(c.red(), expected[0], 1) << what << " red";
        EXPECT_NEAR(c.green(), expected[1], 1) << what << " green";
        EXPECT_NEAR(c.blue(), expected[2], 1) << what << " blue";
    }

    QTemporaryDir dir_;
    RendererEnvironment environment_;
    double now_ = 100.0;
    const QSize size_{128, 16};
};

TEST_F(RendererInputsGLTest, NamedRendererHandsSizeSeedAndClock)
{
    QWidget window;
    ShaderView view(device_, &window);
    view.resize(size_);
    MetalShaderRenderer renderer(view, "Probe", waveformVertex, waveformFragment, environment_);
    view.setDelegate(&renderer);
    view.setPaused(true);
    const QImage image = frame(window, view);
    ASSERT_FALSE(image.isNull());

    const std::uint32_t seed = renderer.seed();
    expectColumn(image, 0, {128, 16, 0}, "size");
    expectColumn(image, 1, {int(seed & 255), int((seed >> 8) & 255), int((seed >> 16) & 255)}, "seed");
    expectColumn(image, 2, {int(seed >> 24), 64, 0}, "seed and clock");
}

TEST_F(RendererInputsGLTest, AboutRendererHandsSizeClockAndBothTextures)
{
    QWidget window;
    ShaderView view(device_, &window);
    view.resize(size_);
    AboutRenderer renderer(view, environment_);
    view.setDelegate(&renderer);
    view.setPaused(true);
    const QImage image = frame(window, view);
    ASSERT_FALSE(image.isNull());

    expectColumn(image, 0, {128, 16, 0}, "size");
    expectColumn(image, 1, {64, 0, 0}, "clock");
    expectColumn(image, 2, {250, 20, 120}, "logo");
    expectColumn(image, 3, {30, 140, 220}, "noise");
}

TEST_F(RendererInputsGLTest, SupporterRendererHandsItsSwitchesEveryFrame)
{
    QWidget window;
    ShaderView view(device_, &window);
    view.resize(size_);
    SupporterShaderRenderer renderer(view, "Probe", environment_);
    view.setDelegate(&renderer);
    view.setPaused(true);
    renderer.switchOnState() = {1, 0, 1, 0, 1, 1};
    renderer.switchDownState() = {1, 0, 0, 0, 1, 0};
    now_ = 101.0;
    renderer.recordSwitchOn(4);
    now_ = 102.0;
    renderer.recordSwitchOn(2);
    const QImage image = frame(window, view);
    ASSERT_FALSE(image.isNull());

    const int scale = int(std::lround(renderer.scale() / 4.0 * 255));
    expectColumn(image, 0, {128, 16, 0}, "size");
    expectColumn(image, 1, {64, scale, 0}, "clock and scale");
    expectColumn(image, 2, {255, 0, 255}, "on 0-2");
    expectColumn(image, 3, {0, 255, 255}, "on 3-5");
    expectColumn(image, 4, {255, 255, 0}, "down 0, 4, 5");
    expectColumn(image, 5, {96, 159, 0}, "history: 2, 4, none");
    expectColumn(image, 6, {51, 26, 0}, "history times: 2, 1, 0");

    // A change shows in the next frame: the arrays are copied anew each time.
    renderer.switchOnState()[1] = 1;
    const QImage next = view.grabFrame();
    expectColumn(next, 2, {255, 255, 255}, "on 0-2 after a change");
}

// ---- colour effects as values -----------------------------------------------------------------

/// Applies a shaderview::Shader as a view would: content at texture 0, argument k at
/// fragment input k, over the full-view quad.
class EffectDelegate final : public shaderview::ShaderViewDelegate {
public:
    EffectDelegate(shaderview::Device& device, const shaderview::Shader& shader, const QImage& content) : shader_(shader)
    {
        const auto library = shaderview::ShaderLibrary::load(shader.libraryBundle);
        shaderview::RenderPipelineDescriptor descriptor;
        descriptor.label = shader.function;
        descriptor.vertexFunction = library.function(waveformVertex);
        descriptor.fragmentFunction = library.function(shader.function);
        pipeline_ = device.makeRenderPipelineState(descriptor);
        queue_ = device.makeCommandQueue();
        quad_ = device.makeBuffer(std::array<float, 8>{-1, -1, -1, 1, 1, -1, 1, 1}.data(), 32);
        content_ = device.makeTexture(content);
    }
    void drawableSizeWillChange(ShaderView&, QSize) override {}
    void draw(ShaderView& view) override
    {
        auto commands = queue_->makeCommandBuffer();
        auto encoder = commands->makeRenderCommandEncoder(*view.currentRenderPassDescriptor());
        encoder->setRenderPipelineState(*pipeline_);
        encoder->setViewport({0, 0, double(view.drawableSize().width()), double(view.drawableSize().height()), 0, 1});
        encoder->setVertexBuffer(quad_.get(), 0, 0);
        encoder->setFragmentTexture(content_.get(), 0);
        for (std::size_t k = 0; k < shader_.arguments.size(); ++k)
            encoder->setFragmentBytes(shader_.arguments[k].data(), sizeof(shaderview::Shader::Float4), int(k));
        encoder->drawPrimitives(shaderview::PrimitiveType::triangleStrip, 0, 4);
        encoder->endEncoding();
        commands->commit();
    }

private:
    shaderview::Shader shader_;
    std::unique_ptr<shaderview::RenderPipelineState> pipeline_;
    std::unique_ptr<shaderview::CommandQueue> queue_;
    std::unique_ptr<shaderview::Buffer> quad_;
    std::unique_ptr<shaderview::Texture> content_;
};

TEST_F(OstrelShadersGLTest, ColourEffectsApplyToContent)
{
    struct Case {
        shaderview::Shader shader;
        QColor content;
        QColor expected;
    };
    const Case cases[] = {
        // red = green in, green = half of red in (linear), blue = alpha in.
        {OstrelShadersHelper::colorMatrixShader({0, 1, 0, 0}, {0.5f, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, 0, 1}), QColor(255, 0, 0),
         QColor(0, 188, 255)},
        // Colours inside the gamut pass unchanged.
        {OstrelShadersHelper::outsideSRGBShader(), QColor(10, 200, 90), QColor(10, 200, 90)},
        {OstrelShadersHelper::outsideP3Shader(), QColor(240, 30, 60), QColor(240, 30, 60)},
    };
    for (const Case& c : cases) {
        QImage content(4, 4, QImage::Format_RGB32);
        content.fill(c.content);
        EffectDelegate effect(*device_, c.shader, content);
        QWidget window;
        ShaderView view(device_, &window);
        view.setGeometry(0, 0, 32, 32);
        view.setDelegate(&effect);
        view.setPaused(true);
        const QImage image = renderFrame(window, view, QSize(32, 32));
        ASSERT_FALSE(image.isNull());
        const QColor got = image.pixelColor(16, 16);
        EXPECT_NEAR(got.red(), c.expected.red(), 1) << c.shader.function.toStdString();
        EXPECT_NEAR(got.green(), c.expected.green(), 1) << c.shader.function.toStdString();
        EXPECT_NEAR(got.blue(), c.expected.blue(), 1) << c.shader.function.toStdString();
    }
}

// ---- one frame of each view, for the eye ------------------------------------------------------

class ShaderFramesGLTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        environment_.clock = [this] { return now_; };
        QDir().mkpath(QStringLiteral(ZINDLE_SHADER_FRAMES_DIR));
    }

    /// Shows the controller's window, lets the clock reach seconds, grabs and saves a frame.
    QImage capture(QWidget& window, ShaderViewController& controller, QSize size, double seconds, const char* file)
    {
        window.resize(size);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window) || !controller.metalKitView())
            return {};
        now_ = 100.0 + seconds;
        const QImage image = controller.metalKitView()->grabFrame();
        const QString path = QStringLiteral(ZINDLE_SHADER_FRAMES_DIR "/") + QString::fromLatin1(file);
        EXPECT_TRUE(image.save(path)) << path.toStdString();
        return image;
    }

    static int luminance(QColor c) { return (c.red() * 3 + c.green() * 6 + c.blue()) / 10; }

    static int brightestInRow(const QImage& image, int y)
    {
        int best = 0;
        for (int x = 0; x < image.width(); ++x)
            best = std::max(best, luminance(image.pixelColor(x, y)));
        return best;
    }

    RendererEnvironment environment_;
    double now_ = 100.0;
};

TEST_F(ShaderFramesGLTest, WaveformBand)
{
    QWidget window;
    MetalShaderViewController controller(&window, "Main", waveformVertex, waveformFragment, environment_);
    const QImage image = capture(window, controller, QSize(400, 300), 6.0, "audioWaveform.png");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(400, 300));
    ASSERT_NE(controller.renderer(), nullptr);
    // Light along the centre line, darkness at the corners.
    EXPECT_GT(brightestInRow(image, 150), 120);
    EXPECT_LT(luminance(image.pixelColor(2, 2)), 30);
    EXPECT_LT(luminance(image.pixelColor(397, 297)), 30);
}

TEST_F(ShaderFramesGLTest, AboutAnimation)
{
    QWidget window;
    AboutShaderViewController controller(&window, environment_);
    const QImage image = capture(window, controller, QSize(360, 360), 2.0, "about.png");
    ASSERT_FALSE(image.isNull());
    ASSERT_NE(controller.renderer(), nullptr);
    // The logo's middle bar is at the centre; the corners are night.
    EXPECT_GT(luminance(image.pixelColor(180, 180)), 160);
    EXPECT_LT(luminance(image.pixelColor(3, 3)), 40);
}

TEST_F(ShaderFramesGLTest, SupporterSwitches)
{
    QWidget window;
    SupporterShaderViewController controller(&window, "Supporter", environment_);
    controller.setInitialButtonStates(true, false, true, false, false, true);
    window.resize(440, 140);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    now_ = 101.0;
    controller.switchOn(3);  // its ring is spreading when the frame is taken
    controller.switchDown(4);
    const QImage image = capture(window, controller, QSize(440, 140), 1.4, "supporter.png");
    ASSERT_FALSE(image.isNull());
    // Switch centres are 60 points apart around the middle; an on switch shows its colour
    // left of the knob, an off one its dark track right of the knob.
    const QColor on = image.pixelColor(70 - 14, 70);
    const QColor off = image.pixelColor(130 + 14, 70);
    EXPECT_GT(on.blue(), 120);
    EXPECT_GT(on.blue(), on.red());
    EXPECT_LT(luminance(off), 90);
    EXPECT_GT(on.blue() - on.red(), 3 * std::abs(off.blue() - off.red()));
}

} // namespace
