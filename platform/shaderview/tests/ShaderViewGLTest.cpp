#include "platform/shaderview/CommandBuffer.h"
#include "platform/shaderview/ShaderError.h"
#include "platform/shaderview/ShaderLibrary.h"
#include "platform/shaderview/ShaderView.h"
#include "platform/shaderview/tests/GLTesting.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace {

using namespace shaderview;
using shaderview::testing::GLTest;
using shaderview::testing::renderFrame;

// Eight columns, each showing some of the inputs as 8-bit values, so a readback proves
// that every kind of input arrives at its index and with its bytes.
constexpr const char* probeVertex = R"(#version 330 core
layout(location = 0) in vec2 position;
out vec2 uv;
void main()
{
    uv = vec2(position.x * 0.5 + 0.5, 0.5 - position.y * 0.5);
    gl_Position = vec4(position, 0.0, 1.0);
}
)";

constexpr const char* probeFragment = R"(#version 330 core
in vec2 uv;
out vec4 fragColor;
uniform vec2 f0_size;
uniform uint f1_word;
uniform float f2_time;
uniform float f3_values[6];
uniform sampler2D t0_image;

float byteOf(uint word, uint n) { return float((word >> (8u * n)) & 255u) / 255.0; }
vec3 encode(vec3 c) { return mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(vec3(0.0031308), c)); }

void main()
{
    int column = int(uv.x * 8.0);
    vec3 c = vec3(0.0);
    if (column == 0) c = vec3(f0_size.x / 255.0, f0_size.y / 255.0, uv.y);
    else if (column == 1) c = vec3(byteOf(f1_word, 0u), byteOf(f1_word, 1u), byteOf(f1_word, 2u));
    else if (column == 2) c = vec3(byteOf(f1_word, 3u), f2_time, 0.0);
    else if (column == 3) c = vec3(f3_values[0], f3_values[1], f3_values[2]);
    else if (column == 4) c = vec3(f3_values[3], f3_values[4], f3_values[5]);
    else if (column == 5) c = encode(texture(t0_image, vec2(0.5)).rgb);
    fragColor = vec4(c, 1.0);
}
)";

void write(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

class ProbeDelegate final : public ShaderViewDelegate {
public:
    ProbeDelegate(Device& device, const ShaderLibrary& library) : device_(device)
    {
        RenderPipelineDescriptor descriptor;
        descriptor.label = QStringLiteral("Probe");
        descriptor.vertexFunction = library.function(QStringLiteral("probeVertex"));
        descriptor.fragmentFunction = library.function(QStringLiteral("probeFragment"));
        pipeline_ = device.makeRenderPipelineState(descriptor);
        queue_ = device.makeCommandQueue();
        constexpr std::array<float, 8> quad{-1, -1, -1, 1, 1, -1, 1, 1};
        quad_ = device.makeBuffer(quad.data(), sizeof quad);
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(QColor(10, 200, 90));
        texture_ = device.makeTexture(image);
    }

    void drawableSizeWillChange(ShaderView&, QSize size) override { reportedSize = size; }

    void draw(ShaderView& view) override
    {
        auto commands = queue_->makeCommandBuffer();
        ASSERT_TRUE(commands);
        auto encoder = commands->makeRenderCommandEncoder(*view.currentRenderPassDescriptor());
        ASSERT_TRUE(encoder);
        const std::array<float, 2> size{float(view.drawableSize().width()), float(view.drawableSize().height())};
        const std::uint32_t word = 0xA1B2C3D4u;
        const float time = 0.75f;
        const std::array<float, 6> values{0.1f, 0.2f, 0.3f, 0.6f, 0.8f, 1.0f};
        auto valueBuffer = device_.makeBuffer(values.data(), sizeof values);
        encoder->setRenderPipelineState(*pipeline_);
        encoder->setViewport({0, 0, double(size[0]), double(size[1]), 0, 1});
        encoder->setVertexBuffer(quad_.get(), 0, 0);
        encoder->setFragmentBytes(size.data(), sizeof size, 0);
        encoder->setFragmentBytes(&word, sizeof word, 1);
        encoder->setFragmentBytes(&time, sizeof time, 2);
        encoder->setFragmentBuffer(valueBuffer.get(), 0, 3);
        encoder->setFragmentTexture(texture_.get(), 0);
        encoder->drawPrimitives(PrimitiveType::triangleStrip, 0, 4);
        encoder->endEncoding();
        commands->present(*view.currentDrawable());
        commands->commit();
        ++frames;
    }

    QSize reportedSize;
    int frames = 0;

private:
    Device& device_;
    std::unique_ptr<RenderPipelineState> pipeline_;
    std::unique_ptr<CommandQueue> queue_;
    std::unique_ptr<Buffer> quad_;
    std::unique_ptr<Texture> texture_;
};

class ShaderViewGLTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const auto shaders = ShaderLibrary::shaderDirectory(bundle());
        write(shaders / "probeVertex.vert", probeVertex);
        write(shaders / "probeFragment.frag", probeFragment);
        write(shaders / "broken.frag", "#version 330 core\nout vec4 c;\nvoid main() { c = undefinedThing; }\n");
    }

    std::filesystem::path bundle() const { return std::filesystem::path(dir_.path().toStdString()) / "Probe.bundle"; }

    QTemporaryDir dir_;
};

// Reads a column's centre pixel at the given row.
QColor pixel(const QImage& image, int column, int row)
{
    return image.pixelColor(column * image.width() / 8 + image.width() / 16, row);
}

void expectNear(int actual, int expected, const char* what)
{
    EXPECT_NEAR(actual, expected, 1) << what;
}

TEST_F(ShaderViewGLTest, EveryKindOfInputReachesTheFragmentFunction)
{
    const ShaderLibrary library = ShaderLibrary::load(bundle());
    ProbeDelegate probe(*device_, library);
    QWidget window;
    ShaderView view(device_, &window);
    view.setDelegate(&probe);
    view.setPaused(true);
    view.setGeometry(0, 0, 64, 16);

    const QImage frame = renderFrame(window, view, QSize(64, 16));
    ASSERT_FALSE(frame.isNull());
    ASSERT_EQ(frame.size(), view.drawableSize());
    EXPECT_GE(probe.frames, 1);
    EXPECT_EQ(probe.reportedSize, view.drawableSize());

    const int top = 1, bottom = frame.height() - 2;
    expectNear(pixel(frame, 0, top).red(), frame.width(), "width");
    expectNear(pixel(frame, 0, top).green(), frame.height(), "height");
    EXPECT_LT(pixel(frame, 0, top).blue(), 40) << "uv.y is 0 at the top";
    EXPECT_GT(pixel(frame, 0, bottom).blue(), 215) << "uv.y is 1 at the bottom";
    expectNear(pixel(frame, 1, top).red(), 0xD4, "word byte 0");
    expectNear(pixel(frame, 1, top).green(), 0xC3, "word byte 1");
    expectNear(pixel(frame, 1, top).blue(), 0xB2, "word byte 2");
    expectNear(pixel(frame, 2, top).red(), 0xA1, "word byte 3");
    expectNear(pixel(frame, 2, top).green(), 191, "time 0.75");
    expectNear(pixel(frame, 3, top).red(), 26, "buffer[0]");
    expectNear(pixel(frame, 3, top).green(), 51, "buffer[1]");
    expectNear(pixel(frame, 3, top).blue(), 77, "buffer[2]");
    expectNear(pixel(frame, 4, top).red(), 153, "buffer[3]");
    expectNear(pixel(frame, 4, top).green(), 204, "buffer[4]");
    expectNear(pixel(frame, 4, top).blue(), 255, "buffer[5]");
    expectNear(pixel(frame, 5, top).red(), 10, "texture red");
    expectNear(pixel(frame, 5, top).green(), 200, "texture green");
    expectNear(pixel(frame, 5, top).blue(), 90, "texture blue");
}

TEST_F(ShaderViewGLTest, PipelinesFailWithTheReason)
{
    const ShaderLibrary library = ShaderLibrary::load(bundle());
    struct Case {
        const char* vertex;
        const char* fragment;
        const char* reason;
    };
    const Case cases[] = {
        {"probeVertex", "absentFunction", "no fragment function"},
        {"absentFunction", "probeFragment", "no vertex function"},
        {"probeFragment", "probeVertex", "no vertex function"}, // stages swapped
        {"probeVertex", "broken", "does not compile"},
    };
    for (const Case& c : cases) {
        RenderPipelineDescriptor descriptor;
        descriptor.label = QStringLiteral("Case");
        descriptor.vertexFunction = library.function(QString::fromLatin1(c.vertex));
        descriptor.fragmentFunction = library.function(QString::fromLatin1(c.fragment));
        try {
            device_->makeRenderPipelineState(descriptor);
            ADD_FAILURE() << c.vertex << " + " << c.fragment << " made a pipeline";
        } catch (const ShaderError& error) {
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
    }
}

TEST_F(ShaderViewGLTest, PausedViewDrawsOnlyWhenAskedAndRunningViewKeepsDrawing)
{
    const ShaderLibrary library = ShaderLibrary::load(bundle());
    ProbeDelegate probe(*device_, library);
    QWidget window;
    ShaderView view(device_, &window);
    view.setDelegate(&probe);
    view.setGeometry(0, 0, 64, 16);
    view.setPaused(true);
    ASSERT_FALSE(renderFrame(window, view, QSize(64, 16)).isNull());

    QTest::qWait(100); // let the exposure's own paints pass
    int before = probe.frames;
    QTest::qWait(300);
    EXPECT_EQ(probe.frames, before) << "a paused view drew by itself";

    view.setNeedsDisplay();
    EXPECT_TRUE(QTest::qWaitFor([&] { return probe.frames > before; }, 2000)) << "asked for a frame, got none";

    view.setPaused(false);
    before = probe.frames;
    EXPECT_TRUE(QTest::qWaitFor([&] { return probe.frames >= before + 5; }, 3000)) << "a running view stopped drawing";
}

} // namespace
