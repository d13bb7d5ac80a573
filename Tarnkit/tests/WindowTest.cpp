#include "Tarnkit/Foundation/SheetWindow.h"
#include "Tarnkit/Foundation/WindowController.h"
#include "Tarnkit/Foundation/WindowHelpers.h"
#include "Tarnkit/Foundation/WindowState.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPropertyAnimation>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace {

using namespace tarnkit;

void processEvents()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

std::unique_ptr<QWidget> fixedContent(WindowState&)
{
    auto content = std::make_unique<QLabel>(QStringLiteral("Content"));
    content->setFixedSize(400, 300);
    return content;
}

// ---- placement maths ----------------------------------------------------------------------

TEST(WindowPlacementTest, CentredOnTheVisibleFrame)
{
    struct Case {
        Rect visible;
        Rect frame;
        Point origin;
    };
    const Case cases[] = {
        {{0, 25, 1440, 875}, {0, 0, 400, 300}, {520, 312.5}},
        {{0, 25, 1440, 875}, {900, 700, 400, 300}, {520, 312.5}}, // where it was does not matter
        {{100, 0, 800, 600}, {0, 0, 200, 101}, {400, 249.5}},     // not rounded
        {{-1920, 0, 1920, 1080}, {0, 0, 1920, 1080}, {-1920, 0}}, // a screen left of the primary
    };
    for (const Case& c : cases)
        EXPECT_EQ(window::centeredOrigin(c.visible, c.frame), c.origin);
}

TEST(WindowPlacementTest, CentredHorizontallyBelowTheTop)
{
    struct Case {
        Rect visible;
        Rect frame;
        double offset;
        Point origin;
    };
    const Case cases[] = {
        {{0, 25, 1440, 875}, {0, 0, 400, 300}, 20, {520, 580}},
        {{0, 25, 1440, 875}, {0, 0, 400, 300}, 0, {520, 600}},
        {{100, 50, 800, 600}, {0, 0, 200, 100}, 10, {400, 540}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(window::centeredHorizontallyOrigin(c.visible, c.frame, c.offset), c.origin);
}

TEST(WindowPlacementTest, RelativeToAView)
{
    struct Case {
        Rect view;
        Size window;
        Rect centered;
        Rect standing;
    };
    const Case cases[] = {
        {{100, 100, 300, 200}, {100, 50}, {200, 175, 100, 50}, {200, 300, 100, 50}},
        // Offsets are rounded (half away from zero), then the frame made integral.
        {{0, 0, 101, 101}, {50, 50}, {26, 26, 50, 50}, {26, 101, 50, 50}},
        {{10.5, 0, 100, 20}, {50, 10}, {35, 5, 51, 10}, {35, 20, 51, 10}},
        // A window larger than the view stands out on both sides.
        {{100, 100, 50, 50}, {150, 150}, {50, 50, 150, 150}, {50, 150, 150, 150}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(window::frameCentered(c.view, c.window), c.centered);
        EXPECT_EQ(window::frameStandingOn(c.view, c.window), c.standing);
    }
}

TEST(WindowPlacementTest, ShakeSwingsThreeTimesAndReturns)
{
    const auto keyframes = window::shakeKeyframes({100, 200, 500, 300});
    const double xs[] = {100, 85, 115, 85, 115, 85, 115, 100};
    ASSERT_EQ(keyframes.size(), std::size(xs));
    for (std::size_t i = 0; i < keyframes.size(); ++i) {
        EXPECT_DOUBLE_EQ(keyframes[i].x, xs[i]) << i;
        EXPECT_DOUBLE_EQ(keyframes[i].y, 200) << i;
    }
    EXPECT_DOUBLE_EQ(window::shakeDuration, 0.4);
}

TEST(WindowPlacementTest, ScreenSpaceIsYUpAndItsOwnInverse)
{
    const double height = QGuiApplication::primaryScreen()->geometry().height();
    const QRectF qt(10, 20, 300, 200);
    const Rect up = window::toScreenSpace(qt);
    EXPECT_EQ(up, Rect(10, height - 220, 300, 200));
    EXPECT_EQ(window::fromScreenSpace(up), qt);
}

// ---- placing real windows -----------------------------------------------------------------

class ShownWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        window.show();
        processEvents();
    }
    QRect available() const { return window.screen()->availableGeometry(); }

    QWidget window;
};

TEST_F(ShownWindow, ProperlyCenterPutsTheFrameInTheMiddle)
{
    window.move(3, 7);
    const QSize size = window.frameGeometry().size();
    window::properlyCenter(&window);
    const QRect frame = window.frameGeometry();
    EXPECT_NEAR(frame.center().x(), available().center().x(), 1);
    EXPECT_NEAR(frame.center().y(), available().center().y(), 1);
    EXPECT_EQ(frame.size(), size);
}

TEST_F(ShownWindow, ProperlyCenterHorizontallyHangsBelowTheTop)
{
    window::properlyCenterHorizontally(&window, 20);
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(frame.top(), available().top() + 20);
    EXPECT_NEAR(frame.center().x(), available().center().x(), 1);
}

TEST_F(ShownWindow, CentredOnAViewAndStandingOnIt)
{
    QWidget host;
    host.setGeometry(50, 60, 500, 400);
    auto* view = new QWidget(&host);
    view->setGeometry(100, 80, 200, 100);
    host.show();
    processEvents();
    const QRect viewRect(view->mapToGlobal(QPoint(0, 0)), view->size());

    window::centerFrame(&window, view, true);
    EXPECT_EQ(window.frameGeometry().center(), viewRect.center());

    window::horizontallyCenterFrame(&window, view, false);
    EXPECT_EQ(window.frameGeometry().bottom() + 1, viewRect.top()) << "the window stands on the view's top edge";
    EXPECT_EQ(window.frameGeometry().center().x(), viewRect.center().x());

    // A view outside a shown window leaves the window where it is.
    QWidget hidden;
    auto* orphan = new QWidget(&hidden);
    const QPoint before = window.pos();
    window::centerFrame(&window, orphan, false);
    EXPECT_EQ(window.pos(), before);
}

TEST(WindowTitlebarTest, AWindowWithoutDecorationsHasNoTitlebar)
{
    QWidget frameless(nullptr, Qt::Window | Qt::FramelessWindowHint);
    frameless.resize(200, 100);
    frameless.show();
    processEvents();
    EXPECT_EQ(window::titlebarHeight(&frameless), 0);
}

TEST_F(ShownWindow, ShakeRunsThroughTheKeyframesAndEndsWhereItStarted)
{
    window.resize(500, 300);
    processEvents();
    window.move(100, 200);
    processEvents();
    const QPoint start = window.pos();
    QPointer<QPropertyAnimation> animation = window::shake(&window);
    ASSERT_FALSE(animation.isNull());
    EXPECT_EQ(animation->duration(), 400);
    const int dx[] = {0, -15, 15, -15, 15, -15, 15, 0};
    for (int i = 0; i < 8; ++i) {
        animation->setCurrentTime(400 * i / 7);
        EXPECT_EQ(window.pos(), start + QPoint(dx[i], 0)) << i;
    }
    animation->setCurrentTime(400);
    processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.pos(), start);
    EXPECT_TRUE(animation.isNull()) << "the animation goes once it is done";
}

// ---- window controller ----------------------------------------------------------------------

TEST(WindowControllerTest, SizingOptionsBecomeLayoutConstraints)
{
    using O = HostingSizingOption;
    struct Case {
        HostingSizingOptions options;
        QLayout::SizeConstraint constraint;
    };
    const Case cases[] = {
        {{}, QLayout::SetNoConstraint},
        {O::minSize, QLayout::SetMinimumSize},
        {O::maxSize, QLayout::SetMaximumSize},
        {O::minSize | O::maxSize, QLayout::SetMinAndMaxSize},
        {O::intrinsicContentSize, QLayout::SetFixedSize},
        {O::minSize | O::intrinsicContentSize | O::maxSize, QLayout::SetFixedSize},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sizeConstraint(c.options), c.constraint) << c.options.toInt();
}

TEST(WindowControllerTest, HostsTheContentAndTellsItItsWindow)
{
    WindowState* handed = nullptr;
    QWidget* configured = nullptr;
    WindowController controller(
        [&](WindowState& state) {
            handed = &state;
            EXPECT_EQ(state.parentWindow(), nullptr) << "the window is named last";
            return std::make_unique<QLabel>("Hello");
        },
        {.configure = [&](QWidget& window) { configured = &window; }});

    ASSERT_NE(controller.window(), nullptr);
    EXPECT_EQ(configured, controller.window());
    EXPECT_EQ(controller.sheetWindow(), nullptr);
    ASSERT_NE(controller.contentView(), nullptr);
    EXPECT_EQ(controller.contentView()->window(), controller.window());
    EXPECT_EQ(handed, controller.windowState());
    EXPECT_EQ(WindowState::of(controller.contentView()), handed);
    EXPECT_EQ(handed->parentWindow(), controller.window());
    EXPECT_TRUE(controller.windowFrameAutosaveName().isEmpty());
    EXPECT_TRUE(controller.window()->isWindow());
}

TEST(WindowControllerTest, ShowWindowCenteredCentresFromTheMainQueue)
{
    WindowController controller(fixedContent);
    controller.window()->move(0, 0);
    controller.showWindowCentered(nullptr);
    EXPECT_TRUE(controller.window()->isVisible());
    processEvents();
    const QRect available = controller.window()->screen()->availableGeometry();
    EXPECT_NEAR(controller.window()->frameGeometry().center().x(), available.center().x(), 1);
    EXPECT_NEAR(controller.window()->frameGeometry().center().y(), available.center().y(), 1);

    // A controller gone before the queue runs leaves nothing to centre, and nothing breaks.
    auto gone = std::make_unique<WindowController>(fixedContent);
    gone->showWindowCentered(nullptr);
    gone.reset();
    processEvents();
}

class FrameAutosave : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
        QCoreApplication::setOrganizationName(QStringLiteral("ZindleTests"));
        QCoreApplication::setApplicationName(QStringLiteral("WindowTest"));
    }
    void TearDown() override { QSettings::setDefaultFormat(QSettings::NativeFormat); }

    static QRect saved(const QString& name)
    {
        return QSettings().value(WindowController::frameSettingsKey(name)).toRect();
    }

    QTemporaryDir folder;
};

TEST_F(FrameAutosave, FrameSurvivesTheController)
{
    const QRect frame(120, 130, 400, 300);
    {
        WindowController first(fixedContent, {.frameName = QStringLiteral("Main")});
        EXPECT_EQ(first.windowFrameAutosaveName(), "Main");
        first.window()->setGeometry(frame);
    }
    EXPECT_EQ(saved("Main"), frame);

    WindowController second(fixedContent, {.frameName = QStringLiteral("Main")});
    EXPECT_EQ(second.window()->geometry(), frame);

    // Another name starts from nothing and keeps its own frame.
    WindowController other(fixedContent, {.frameName = QStringLiteral("Other")});
    EXPECT_NE(other.window()->geometry(), frame);
}

TEST_F(FrameAutosave, MovingAShownWindowSavesItsFrame)
{
    WindowController controller(fixedContent, {.frameName = QStringLiteral("Moved")});
    controller.showWindow(nullptr);
    processEvents();
    controller.window()->move(210, 220);
    processEvents();
    EXPECT_EQ(saved("Moved").topLeft(), controller.window()->geometry().topLeft());
    EXPECT_EQ(saved("Moved").size(), QSize(400, 300));
}

TEST_F(FrameAutosave, WithoutANameNothingIsSaved)
{
    {
        WindowController controller(fixedContent);
        controller.window()->setGeometry(10, 20, 400, 300);
        controller.showWindow(nullptr);
        processEvents();
    }
    EXPECT_TRUE(QSettings().allKeys().isEmpty());
}

// ---- window state ---------------------------------------------------------------------------

TEST(WindowStateTest, NotifiesOnlyRealChanges)
{
    WindowState state;
    auto first = std::make_unique<QWidget>();
    QWidget second;
    std::vector<QWidget*> heard;
    auto token = state.observeParentWindow([&](QWidget* window) { heard.push_back(window); });

    state.setParentWindow(nullptr); // none to none
    state.setParentWindow(first.get());
    state.setParentWindow(first.get()); // the same window
    state.setParentWindow(&second);
    state.setParentWindow(nullptr);
    state.setParentWindow(first.get());
    EXPECT_EQ(heard, (std::vector<QWidget*>{first.get(), &second, nullptr, first.get()}));

    // Held weakly: a destroyed window reads as none, and setting none then is no change.
    first.reset();
    EXPECT_EQ(state.parentWindow(), nullptr);
    state.setParentWindow(nullptr);
    EXPECT_EQ(heard.size(), 4u);
}

TEST(WindowStateTest, ReadsAreTrackedForRedrawing)
{
    WindowState state;
    QWidget window;
    int redraws = 0;
    auto tracking = foundation::withObservationTracking([&] { (void)state.parentWindow(); }, [&] { ++redraws; });
    state.setParentWindow(&window);
    EXPECT_EQ(redraws, 1);
}

// ---- sheet window ---------------------------------------------------------------------------

TEST(SheetWindowTest, SheetVariantMakesASheetWindow)
{
    const auto controller = WindowController::forSheet(fixedContent, {.frameName = QStringLiteral("SheetFrame")});
    SheetWindow* sheet = controller->sheetWindow();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(controller->window(), sheet);
    EXPECT_TRUE(sheet->canBecomeKeyWindow());
    EXPECT_FALSE(sheet->preventsApplicationTerminationWhenModal());
    EXPECT_FALSE(sheet->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(WindowState::of(controller->contentView())->parentWindow(), sheet);
    EXPECT_EQ(sheet->sheetParent(), nullptr) << "the controller does not begin the sheet";
}

TEST(SheetWindowTest, EscapeEndsTheSheetOnItsParent)
{
    QWidget parent;
    parent.resize(600, 400);
    parent.show();
    const auto controller = WindowController::forSheet(fixedContent);
    SheetWindow* sheet = controller->sheetWindow();
    int ended = 0;
    QObject::connect(sheet, &SheetWindow::sheetEnded, [&] { ++ended; });

    sheet->beginSheet(&parent);
    processEvents();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->sheetParent(), &parent);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(controller->contentView(), &escape); // unhandled keys travel up to the window
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->sheetParent(), nullptr);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(sheet->parentWidget(), nullptr) << "the parent does not keep an ended sheet";
}

TEST(SheetWindowTest, EscapeOnAWindowThatIsNotASheetDoesNothing)
{
    const auto controller = WindowController::forSheet(fixedContent);
    SheetWindow* sheet = controller->sheetWindow();
    int ended = 0;
    QObject::connect(sheet, &SheetWindow::sheetEnded, [&] { ++ended; });
    controller->showWindow(nullptr);
    processEvents();

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(sheet, &escape);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(ended, 0);
}

} // namespace
