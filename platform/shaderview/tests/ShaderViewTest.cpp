// The layer without GL: libraries, frame pacing, views without a device, textures by asset
// name, and the window-key notifications. Runs on Qt's offscreen platform.

#include "platform/assets/ArtworkWriter.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/shaderview/ShaderError.h"
#include "platform/shaderview/ShaderLibrary.h"
#include "platform/shaderview/ShaderView.h"
#include "platform/shaderview/TextureLoader.h"
#include "platform/shaderview/WindowKeyNotifications.h"
#include "platform/shaderview/tests/FakeDevice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <numeric>

namespace {

namespace fs = std::filesystem;
using namespace shaderview;

void write(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

class ShaderLibraryTest : public ::testing::Test {
protected:
    fs::path bundle() const { return fs::path(dir_.path().toStdString()) / "Lib.bundle"; }
    fs::path shaders() const { return ShaderLibrary::shaderDirectory(bundle()); }
    QTemporaryDir dir_;
};

TEST_F(ShaderLibraryTest, FunctionsByNameWithStageAndIncludesExpandedOnce)
{
    write(shaders() / "shared.glsl", "float shared() { return 1.0; }\n#include \"shared.glsl\"\n");
    write(shaders() / "more.glsl", "#include \"shared.glsl\"\nfloat more() { return 2.0; }\n");
    write(shaders() / "quad.vert", "#version 330 core\nvoid main() {}\n");
    write(shaders() / "glow.frag", "#version 330 core\n  #include \"shared.glsl\"\n#include \"more.glsl\"\nvoid main() {}\n");
    write(shaders() / "notes.txt", "not a function");

    const ShaderLibrary library = ShaderLibrary::load(bundle());
    EXPECT_EQ(library.functionNames(), (QStringList{"glow", "quad"}));
    const auto quad = library.function("quad");
    ASSERT_TRUE(quad);
    EXPECT_EQ(quad->stage, ShaderStage::vertex);
    const auto glow = library.function("glow");
    ASSERT_TRUE(glow);
    EXPECT_EQ(glow->stage, ShaderStage::fragment);
    EXPECT_TRUE(glow->source.startsWith("#version 330 core\n"));
    EXPECT_EQ(glow->source.count("float shared()"), 1) << glow->source.toStdString();
    EXPECT_EQ(glow->source.count("float more()"), 1);
    EXPECT_FALSE(glow->source.contains("#include"));
    EXPECT_FALSE(library.function("shared"));
    EXPECT_FALSE(library.function("absent"));
}

TEST_F(ShaderLibraryTest, MissingFolderOrIncludeThrows)
{
    EXPECT_THROW(ShaderLibrary::load(bundle()), ShaderError);
    write(shaders() / "lost.frag", "#version 330 core\n#include \"nowhere.glsl\"\n");
    EXPECT_THROW(ShaderLibrary::load(bundle()), ShaderError);
}

TEST(ShaderViewPacing, WholeMillisecondsAddUpToTheRate)
{
    struct Case {
        int fps;
        int low;
        int high;
    };
    for (const Case c : {Case{60, 16, 17}, Case{30, 33, 34}, Case{1000, 1, 1}, Case{1, 1000, 1000}}) {
        long long total = 0;
        for (int frame = 0; frame < c.fps; ++frame) {
            const int interval = ShaderView::frameInterval(frame, c.fps);
            EXPECT_GE(interval, c.low) << c.fps;
            EXPECT_LE(interval, c.high) << c.fps;
            total += interval;
        }
        EXPECT_EQ(total, 1000) << c.fps << " frames a second";
        // The pattern repeats each second, so long runs never drift.
        EXPECT_EQ(ShaderView::frameInterval(c.fps + 3, c.fps), ShaderView::frameInterval(3, c.fps));
    }
    EXPECT_EQ(ShaderView::frameInterval(0, 0), 1000) << "a rate below one is one frame a second";
}

class SizeRecorder final : public ShaderViewDelegate {
public:
    void drawableSizeWillChange(ShaderView&, QSize size) override { sizes.push_back(size); }
    void draw(ShaderView&) override { ++draws; }
    std::vector<QSize> sizes;
    int draws = 0;
};

TEST(ShaderViewWithoutGL, NoDeviceShowsNothingAndStillReportsItsSize)
{
    // The offscreen platform has no GL: the system's device is absent, never a crash.
    EXPECT_FALSE(Device::systemDefault());

    QWidget window;
    ShaderView view(nullptr, &window);
    SizeRecorder recorder;
    view.setDelegate(&recorder);
    EXPECT_EQ(view.drawingSurface(), nullptr);
    view.resize(120, 80);
    window.resize(120, 80);
    window.show(); // safe here: no GL widget exists without a device
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(view.grabFrame().isNull());
    EXPECT_EQ(view.drawableSize(), QSize(120, 80) * view.devicePixelRatioF());
    ASSERT_FALSE(recorder.sizes.empty());
    EXPECT_EQ(recorder.sizes.back(), view.drawableSize());
    EXPECT_EQ(recorder.draws, 0);
    EXPECT_EQ(view.currentRenderPassDescriptor(), nullptr);
    EXPECT_EQ(view.currentDrawable(), nullptr);

    // A device that draws nowhere makes no surface either.
    view.setDevice(std::make_shared<shaderview::testing::FakeDevice>());
    EXPECT_NE(view.device(), nullptr);
    EXPECT_EQ(view.drawingSurface(), nullptr);
}

TEST(TextureLoaderTest, LoadsTheNamedImageAtTheScale)
{
    QTemporaryDir dir;
    const fs::path bundle = fs::path(dir.path().toStdString()) / "Art.bundle";
    assets::ArtworkWriter writer(bundle);
    ASSERT_TRUE(writer.writeImage("logo", QSizeF(30, 20), [](QPainter& p, const QSizeF& s) {
        p.fillRect(QRectF(QPointF(), s), Qt::white);
    }));
    shaderview::testing::FakeDevice device;
    TextureLoader loader(device);
    EXPECT_EQ(loader.newTexture("logo", 1.0, bundle)->size(), QSize(30, 20));
    EXPECT_EQ(loader.newTexture("logo", 2.0, bundle)->size(), QSize(60, 40));
    EXPECT_THROW(loader.newTexture("absent", 1.0, bundle), ShaderError);
}

TEST(WindowKeyNotificationsTest, TheWindowThatGainsAndLosesFocusIsNamed)
{
    startWindowKeyNotifications();
    startWindowKeyNotifications(); // a second start must not post twice
    QObject observer;
    std::vector<std::pair<QString, const QObject*>> seen;
    auto& center = foundation::NotificationCenter::defaultCenter();
    for (const QString& name : {windowDidBecomeKeyNotification, windowDidResignKeyNotification})
        center.addObserver(&observer, name, nullptr, [&](const foundation::Notification& n) { seen.emplace_back(n.name, n.object); });

    QWidget first, second;
    first.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
    QApplication::setActiveWindow(&first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == first.windowHandle(); }));
    seen.clear();

    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    QApplication::setActiveWindow(&second);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == second.windowHandle(); }));

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, windowDidResignKeyNotification);
    EXPECT_EQ(seen[0].second, &first);
    EXPECT_EQ(seen[1].first, windowDidBecomeKeyNotification);
    EXPECT_EQ(seen[1].second, &second);
}

} // namespace
