// The application in process, on Qt's offscreen platform: link routing, the launch
// appearance, the start-up order, the window and its menu, moving the window, and the welcome
// window with debug mode off and on.
#include "Zindle/AboutPanel.h"
#include "Zindle/AppResources.h"
#include "Zindle/ContentView.h"
#include "Zindle/MainWindow.h"
#include "Zindle/ZindleApp.h"

#include "Mossbell/MossFont.h"
#include "Mossbell/tests/QStringPrinter.h"
#include "platform/foundation/tests/EventLoopWait.h"
#include "testing/UrlCatcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <sstream>

namespace zindleapp {
namespace {

using namespace std::chrono_literals;

// An update controller that counts the checks it is asked for.
class CountingController final : public update::StandardUpdaterController {
public:
    CountingController(bool starting, update::UpdaterDelegate* delegate)
        : StandardUpdaterController(starting, delegate)
    {
    }
    int checks = 0;
    void checkForUpdates(const void*) override { ++checks; }
};

// The application with a counting controller, as the start-up sequence makes it.
struct App {
    std::vector<std::pair<bool, update::UpdaterDelegate*>> made;
    ZindleApp app{[this](bool starting, update::UpdaterDelegate* delegate) {
        made.emplace_back(starting, delegate);
        return std::make_unique<CountingController>(starting, delegate);
    }};
    CountingController& controller()
    {
        return static_cast<CountingController&>(*app.sparkleHelper()->updaterController);
    }
};

TEST(RoutingTest, OnlyTheExactUpdateLinkAsksForACheck)
{
    App bench;
    const std::pair<std::vector<QString>, int> cases[] = {
        {{"zindle://openAndUpdate"}, 1},
        {{"zindle://openAndUpdate/any/path?query=1#fragment"}, 1},
        {{"zindle://openAndUpdate?x"}, 1},
        {{"zindle://user@openAndUpdate:8080/"}, 1},
        {{"zindle://openandupdate"}, 0},
        {{"zindle://OPENANDUPDATE"}, 0},
        {{"Zindle://openAndUpdate"}, 0},
        {{"ZINDLE://openAndUpdate"}, 0},
        {{"zindle://openAndUpdates"}, 0},
        {{"zindle://open"}, 0},
        {{"https://openAndUpdate"}, 0},
        {{"zindlex://openAndUpdate"}, 0},
        {{"zindle:openAndUpdate"}, 0},
        {{"zindle:///openAndUpdate"}, 0},
        {{"zindle://"}, 0},
        {{"openAndUpdate"}, 0},
        {{""}, 0},
        {{"zindle://openAndUpdate", "zindle://openAndUpdate"}, 2},
        {{"https://vartlow.com/", "zindle://openAndUpdate"}, 1},
    };
    for (const auto& [urls, checks] : cases) {
        bench.controller().checks = 0;
        bench.app.appDelegate().application(QStringList(urls.begin(), urls.end()));
        EXPECT_EQ(bench.controller().checks, checks) << urls.front().toStdString();
    }

    AppDelegate alone; // before start-up completes: nothing to ask
    alone.routeURL("zindle://openAndUpdate");
    alone.sparkleHelper = std::make_shared<SparkleHelper>();
    alone.routeURL("zindle://openAndUpdate");
}

TEST(StartUpTest, TheControllerIsMadeStoppedThenStartedAndTheHelperShared)
{
    App bench;
    ASSERT_EQ(bench.made.size(), 1u);
    EXPECT_FALSE(bench.made[0].first) << "made with starting false";
    EXPECT_EQ(bench.made[0].second, bench.app.sparkleHelper().get()) << "the helper is its delegate";
    EXPECT_EQ(bench.controller().updaterDelegate(), bench.app.sparkleHelper().get());
    EXPECT_TRUE(bench.controller().updater().isStarted()) << "started explicitly";
    EXPECT_EQ(bench.app.appDelegate().sparkleHelper, bench.app.sparkleHelper()) << "one helper for both";
    EXPECT_EQ(bench.app.mainWindow(), nullptr) << "all this before the window";

    const QUrl feed(bench.app.sparkleHelper()->feedURLString(bench.controller().updater()));
    EXPECT_EQ(feed.scheme(), "https");
    EXPECT_EQ(feed.path(), "/zindle/zindle.xml");
}

TEST(StartUpTest, TheLaunchTurnsTheApplicationDark)
{
    AppDelegate delegate;
    const QPalette before = qApp->palette();
    QObject other;
    delegate.applicationDidFinishLaunching(&other);
    delegate.applicationDidFinishLaunching(nullptr);
    EXPECT_EQ(qApp->palette(), before) << "only the application itself changes";

    delegate.applicationDidFinishLaunching(qApp);
    EXPECT_LT(qApp->palette().color(QPalette::Window).lightness(), 60);
    EXPECT_GT(qApp->palette().color(QPalette::WindowText).lightness(), 200);
    EXPECT_EQ(qApp->style()->name(), "fusion");
}

TEST(WindowTest, OneFixedDarkWindowWithoutATitleBar)
{
    App bench;
    MainWindow& window = bench.app.showMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(&bench.app.showMainWindow(), &window) << "one window";
    EXPECT_EQ(window.objectName(), "main");
    EXPECT_EQ(window.windowTitle(), "Zindle");
    EXPECT_EQ(window.size(), QSize(400, 572));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "cannot be resized";
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.palette().color(QPalette::Window), ColorResource::background().value());
    EXPECT_LT(ColorResource::background().value().lightness(), 40);
    const QImage picture = window.grab().toImage();
    EXPECT_EQ(picture.pixelColor(10, 560), ColorResource::background().value());

    ContentView& content = *window.content();
    EXPECT_EQ(content.geometry(), window.rect());
    EXPECT_FALSE(content.debugMode());
    EXPECT_EQ(content.buttonWidth(), 180);
    EXPECT_EQ(content.debugLine(), nullptr);
    foundation::test::runEventLoopFor(100ms);
    EXPECT_EQ(content.model()->statusText(), "Validating...") << "no validation without debug mode";
}

TEST(WindowTest, TheApplicationMenu)
{
    App bench;
    QStringList texts;
    for (const QAction* action : bench.app.applicationMenu().actions())
        texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    EXPECT_EQ(texts, (QStringList{"About", "--", "Check for Updates\u2026", "--", "Quit Zindle"}));

    // Through the application's own helper, not the delegate's.
    bench.app.appDelegate().sparkleHelper.reset();
    bench.app.checkForUpdatesAction().trigger();
    EXPECT_EQ(bench.controller().checks, 1);

    bench.app.aboutAction().trigger();
    QMessageBox* panel = standardAboutPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->isModal());
    EXPECT_EQ(panel->windowTitle(), "About Zindle");
    const QString version = foundation::Bundle::main().shortVersionString();
    EXPECT_EQ(aboutPanelLines(foundation::Bundle::main()),
              (QStringList{"Zindle", "Version " + version + " (1)", "Copyright \u00a9 Vartlow"}));
    bench.app.aboutAction().trigger();
    EXPECT_EQ(standardAboutPanel(), panel) << "the one panel comes to the front";
    panel->close();
}

TEST(WindowTest, ADragOnTheBandMovesTheWindow)
{
    App bench;
    MainWindow& window = bench.app.showMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.move(100, 100);
    const QPoint start = window.pos();
    // A press, a move with the button held, a release, as the pointer makes them.
    auto drag = [](QWidget* widget, QPoint from, QPoint to) {
        QTest::mousePress(widget, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), widget->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(widget, &move);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
    };
    drag(window.content()->shaderBand(), QPoint(50, 150), QPoint(80, 170));
    EXPECT_EQ(window.pos(), start + QPoint(30, 20));

    // Below the band the window stays.
    QWidget* below = window.content()->childAt(200, 420);
    ASSERT_NE(below, nullptr);
    drag(below, QPoint(1, 1), QPoint(40, 40));
    EXPECT_EQ(window.pos(), start + QPoint(30, 20));
}

// A welcome view in a window of the application's size.
struct Welcome {
    explicit Welcome(bool debugMode, ContentViewModel::Validation validation = {})
        : model(std::make_shared<ContentViewModel>(
              [this](const au::ComponentDescription&) {
                  ++lookups;
                  return std::vector<au::ComponentManifest>{au::ComponentManifest{}};
              },
              validation ? validation : [](const au::ComponentManifest&, au::ValidationHandler) { return au::Status(-1); },
              20s, printed)),
          view(new ContentView(model, debugMode, 180))
    {
        window.setFixedSize(400, 572);
        view->setParent(&window);
        view->setGeometry(window.rect());
    }
    void show()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QRect geometryIn(const QWidget* child) const { return QRect(child->mapTo(&window, QPoint(0, 0)), child->size()); }

    int lookups = 0;
    std::ostringstream printed;
    std::shared_ptr<ContentViewModel> model;
    QWidget window;
    ContentView* view;
};

TEST(WelcomeTest, TheColumnFromBandToButtons)
{
    Welcome welcome(false);
    welcome.show();
    foundation::test::runEventLoopFor(50ms);
    EXPECT_EQ(welcome.lookups, 0) << "debug mode off: no lookup";

    EXPECT_EQ(welcome.geometryIn(welcome.view->shaderBand()), QRect(0, 0, 400, 300));
    const QRect help = welcome.geometryIn(welcome.view->helpButton());
    const QRect website = welcome.geometryIn(welcome.view->websiteButton());
    EXPECT_EQ(help.size(), QSize(180, 24)) << "the label's width, drawn 2 points past the layout on each side";
    EXPECT_EQ(website.size(), QSize(180, 24));
    EXPECT_EQ(website.left() - help.left(), 176 + 16) << "laid out 4 points narrower, 16 apart";
    EXPECT_EQ(help.bottom() + 1, 572 - 14);
    EXPECT_EQ(help.left() + website.right() + 1, 400) << "centred";
    EXPECT_EQ(welcome.view->title()->text(), "Zindle");
    EXPECT_NEAR(QRectF(welcome.geometryIn(welcome.view->title())).center().y(), 150, 1) << "centred on the band";

    testing_support::UrlCatcher browser("https");
    QTest::mouseClick(welcome.view->helpButton(), Qt::LeftButton);
    QTest::mouseClick(welcome.view->websiteButton(), Qt::LeftButton);
    EXPECT_EQ(browser.urls, (std::vector<QUrl>{QUrl("https://vartlow.com/help/zindle/welcome/"), QUrl("https://vartlow.com/")}));
}

TEST(WelcomeTest, DebugModeShowsTheStatusAndValidatesOncePerAppearance)
{
    au::ValidationHandler pending;
    int validations = 0;
    Welcome welcome(true, [&](const au::ComponentManifest&, au::ValidationHandler handler) {
        ++validations;
        pending = std::move(handler);
        return au::status::ok;
    });
    ASSERT_NE(welcome.view->debugLine(), nullptr);
    welcome.show();
    EXPECT_EQ(validations, 1);
    const QRect band = welcome.geometryIn(welcome.view->shaderBand());
    const QRect help = welcome.geometryIn(welcome.view->helpButton());
    const QImage before = welcome.window.grab().toImage();
    QImage debugArea = before.copy(welcome.geometryIn(welcome.view->debugLine()));
    EXPECT_EQ(welcome.view->debugLine()->sizeHint(),
              ui::textSize("Dev Only Debugging: Validating...", roundedSystemFont(12, QFont::Bold)).toSize());

    pending(au::ValidationResult::passed, au::ValidationResults{{au::validationOutputKey, std::vector<std::string>{"ok"}}});
    ASSERT_TRUE(foundation::test::runEventLoopUntil([&] { return welcome.model->statusText() == "Validation Passed"; }));
    foundation::test::runEventLoopFor(50ms);
    EXPECT_EQ(welcome.view->debugLine()->sizeHint(),
              ui::textSize("Dev Only Debugging: Validation Passed", roundedSystemFont(12, QFont::Bold)).toSize());
    EXPECT_NE(welcome.window.grab().toImage().copy(welcome.geometryIn(welcome.view->debugLine())), debugArea);
    EXPECT_EQ(welcome.geometryIn(welcome.view->shaderBand()), band) << "nothing else moves";
    EXPECT_EQ(welcome.geometryIn(welcome.view->helpButton()), help);
    EXPECT_EQ(help.bottom() + 1, welcome.geometryIn(welcome.view->debugLine()).top() - 14);

    welcome.window.hide();
    welcome.window.show();
    EXPECT_EQ(validations, 2) << "a new appearance validates again";
}

TEST(WelcomeTest, TheVersionLine)
{
    EXPECT_EQ(ContentView::versionString(foundation::Bundle::main()),
              foundation::Bundle::main().shortVersionString() + " (1)");
    QTemporaryDir directory;
    const std::filesystem::path path = directory.path().toStdString();
    const std::pair<const char*, const char*> cases[] = {
        {"{}", " ()"},
        {R"({"CFBundleShortVersionString": "2.1"})", "2.1 ()"},
        {R"({"CFBundleVersion": "77"})", " (77)"},
        {R"({"CFBundleShortVersionString": 3, "CFBundleVersion": "8"})", " (8)"},
    };
    for (const auto& [info, line] : cases) {
        std::ofstream(path / "Info.json") << info;
        EXPECT_EQ(ContentView::versionString(*foundation::Bundle::open(path)), line) << info;
    }
}

TEST(TitleTest, ThreeShadowsBeneathTheTitle)
{
    Welcome welcome(false);
    const TitleView& title = *welcome.view->title();
    ASSERT_EQ(title.shadows().size(), 3u);
    const std::tuple<float, qreal, qreal> expected[] = {{0.4f, 0, 1}, {0.4f, 1, 2}, {0.3f, 4, 4}};
    for (std::size_t i = 0; i < 3; ++i) {
        const Shadow& shadow = title.shadows()[i];
        EXPECT_NEAR(shadow.color.alphaF(), std::get<0>(expected[i]), 0.01);
        EXPECT_EQ(shadow.radius, std::get<1>(expected[i]));
        EXPECT_EQ(shadow.offset, QPointF(0, std::get<2>(expected[i])));
        EXPECT_LT(shadow.color.lightness(), 40);
        EXPECT_GT(shadow.color.blue(), shadow.color.red()) << "violet";
    }

    // Drawn over white: the shadows darken what lies below the letters, not what lies above.
    TitleView plain("Zindle", mossbell::zindleFont(36), Qt::white, {});
    TitleView shadowed("Zindle", mossbell::zindleFont(36), Qt::white, title.shadows());
    auto darkRows = [](TitleView& view) {
        view.resize(view.sizeHint());
        QImage image(view.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 235) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    };
    EXPECT_TRUE(darkRows(plain).empty()) << "white on white";
    const std::vector<int> rows = darkRows(shadowed);
    ASSERT_FALSE(rows.empty());
    EXPECT_GT(rows.back(), shadowed.height() / 2 + 10) << "the shadow falls below";
}

TEST(TitleTest, ABlurSpreadsAPointAndKeepsItsInk)
{
    QImage dot(41, 41, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::transparent);
    dot.setPixelColor(20, 20, Qt::black);
    const QImage blurredDot = blurred(dot, 2.0);
    long total = 0;
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x)
            total += qAlpha(blurredDot.pixel(x, y));
    EXPECT_NEAR(total, 255, 16) << "the ink is spread, not lost (beyond 8-bit rounding)";
    EXPECT_GT(qAlpha(blurredDot.pixel(22, 20)), 0);
    EXPECT_GT(qAlpha(blurredDot.pixel(20, 20)), qAlpha(blurredDot.pixel(23, 20)));
    EXPECT_EQ(qAlpha(blurredDot.pixel(20, 34)), 0) << "a deviation of 2 reaches about 6 pixels";
}

} // namespace
} // namespace zindleapp
