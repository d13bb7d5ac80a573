#include "tools/zindle-host/PluginWindow.h"
#include "tools/zindle-host/ShowSession.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sstream>

namespace zindlehost {
namespace {

/// How much of a region of two pictures of the same size differs, as a share of its pixels.
double changedShare(const QImage& a, const QImage& b, const QRect& region)
{
    int changed = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    return double(changed) / (region.width() * region.height());
}

TEST(PluginWindowTest, ShowsTheEffectsOwnViewWhoseMetersMoveWhileTheExamplesPlay)
{
    ShowSession session(ShowOptions{});
    const std::unique_ptr<QWidget> window = makePluginWindow(session);
    EXPECT_EQ(window->windowTitle(), "Vart: Zindle");
    EXPECT_EQ(window->size(), QSize(640, 480)) << "the size the view prefers";
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();
    const QImage silent = window->grab().toImage();

    // The voice dial's meter ring, in the modern skin's top-left panel.
    const QRect voiceMeter(40, 80, 170, 170);
    session.start();
    QElapsedTimer clock;
    clock.start();
    double moved = 0;
    while (moved < 0.05 && clock.elapsed() < 20000) {
        QTest::qWait(50);
        moved = changedShare(silent, window->grab().toImage(), voiceMeter);
    }
    EXPECT_GE(moved, 0.05) << "the meter lights up as the voice plays";
    session.stop();

    // Resizable: at twice the size the view draws at twice the scale.
    window->resize(1280, 960);
    QApplication::processEvents();
    const QImage large = window->grab().toImage();
    EXPECT_EQ(large.size(), QSize(1280, 960));
}

TEST(PluginWindowTest, ShowingRunsUntilTheWindowCloses)
{
    ShowSession session(ShowOptions{});
    std::ostringstream out;
    std::ostringstream err;
    const Console console{out, err, false};
    // Close whatever window opens once the loop runs.
    QTimer::singleShot(200, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            window->close();
    });
    EXPECT_EQ(showPluginWindow(session, console), 0);
    EXPECT_NE(out.str().find("showing Vart: Zindle"), std::string::npos) << out.str();
}

TEST(PluginWindowTest, CtrlCEndsTheShowLikeClosingTheWindow)
{
    ShowSession session(ShowOptions{});
    session.start();
    std::ostringstream out;
    std::ostringstream err;
    const Console console{out, err, false};
    QTimer::singleShot(200, [] { std::raise(SIGINT); });
    EXPECT_EQ(showPluginWindow(session, console), 0);
    EXPECT_TRUE(session.isPlaying()) << "the command stops the session after the window";
    // The handler is gone with the window: SIGINT is back to what it was.
    struct sigaction now = {};
    sigaction(SIGINT, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

} // namespace
} // namespace zindlehost
