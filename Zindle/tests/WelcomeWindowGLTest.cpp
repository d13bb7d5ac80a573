// The application's window on the run's display with the real GL waveform band: the band
// animates behind the title, and a picture of the window goes to the build tree
// (zindle-window.png), the one the README shows.
#include "Zindle/ContentView.h"
#include "Zindle/MainWindow.h"
#include "Zindle/ZindleApp.h"

#include "platform/shaderview/tests/GLTesting.h"

#include <gtest/gtest.h>

#include <QTest>

#include <set>

namespace zindleapp {
namespace {

using shaderview::testing::GLTest;

using WelcomeWindowGLTest = GLTest;

// How many distinct colours a region of the picture holds.
int colourCount(const QImage& image, const QRect& rect)
{
    std::set<QRgb> colours;
    for (int y = rect.top(); y <= rect.bottom(); y += 2)
        for (int x = rect.left(); x <= rect.right(); x += 2)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

TEST_F(WelcomeWindowGLTest, TheBandAnimatesBehindTheTitle)
{
    ZindleApp app;
    app.appDelegate().applicationDidFinishLaunching(qApp);
    MainWindow& window = app.showMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    shaderview::ShaderView* band = window.content()->shaderBand()->controller().metalKitView();
    ASSERT_NE(band, nullptr);
    ASSERT_TRUE(band->device()) << "the real GL device draws the band";

    QTest::qWait(600); // let the waveform move
    const QImage first = window.grab().toImage();
    QTest::qWait(300);
    const QImage later = window.grab().toImage();
    ASSERT_EQ(first.size(), QSize(400, 572) * window.devicePixelRatio());
    const QRect bandPixels(0, 0, first.width(), int(300 * window.devicePixelRatio()));
    EXPECT_GT(colourCount(first, bandPixels), 50) << "a waveform, not a flat fill";
    EXPECT_NE(first.copy(bandPixels), later.copy(bandPixels)) << "it moves";

    const QRect title = window.content()->title()->geometry();
    int white = 0;
    for (int y = title.top(); y <= title.bottom(); ++y)
        for (int x = title.left(); x <= title.right(); ++x)
            white += qGray(first.pixel(x, y)) > 245;
    EXPECT_GT(white, 100) << "the white title over the band";

    ASSERT_TRUE(first.save(ZINDLE_WINDOW_PICTURE));
}

} // namespace
} // namespace zindleapp
