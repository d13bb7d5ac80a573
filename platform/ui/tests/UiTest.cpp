#include "platform/ui/BasicViews.h"
#include "platform/ui/Button.h"
#include "platform/ui/DynamicView.h"
#include "platform/ui/Gestures.h"
#include "platform/ui/OpenURL.h"
#include "platform/ui/Painting.h"
#include "platform/ui/ScaledHost.h"
#include "platform/ui/Stack.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewAnchoring.h"
#include "platform/ui/ViewController.h"

#include "platform/foundation/Observation.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

namespace {

/// A view of a fixed size that counts its paints and records the clicks it gets.
class Probe : public ui::View {
public:
    explicit Probe(QSizeF size, const foundation::Observed<int>* watched = nullptr) : watched_(watched)
    {
        setNaturalSize(size);
    }
    int paints = 0;
    std::vector<QPointF> presses;

protected:
    void paint(QPainter& painter) override
    {
        ++paints;
        painter.fillRect(rect(), watched_ ? QColor::fromHsv(watched_->get() * 30 % 360, 200, 200) : Qt::gray);
    }
    void mousePressEvent(QMouseEvent* event) override { presses.push_back(event->position()); }

private:
    const foundation::Observed<int>* watched_;
};

/// Where a stack put its children, relative to the stack's layout origin.
std::vector<QRect> geometries(const ui::Stack& stack)
{
    std::vector<QRect> result;
    const QPoint origin = stack.layoutRect().topLeft().toPoint();
    for (QWidget* child : stack.children())
        result.push_back(child->geometry().translated(-origin));
    return result;
}

QMouseEvent mouse(QEvent::Type type, QPointF at, Qt::KeyboardModifiers modifiers = {})
{
    return QMouseEvent(type, at, at, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                       type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, modifiers);
}

/// Takes the links of a scheme, as the host application does.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

} // namespace


// ---- stacks ---------------------------------------------------------------------------------

struct StackCase {
    const char* name;
    ui::Axis axis;
    qreal spacing;
    Qt::Alignment alignment;
    QSize given; // the size the stack is laid out at; empty: its natural size
    std::vector<QSize> children;
    std::vector<ui::Placement> placements;
    QSize natural;
    std::vector<QRect> expected;
};

class StackLayoutTest : public ::testing::TestWithParam<StackCase> {};

TEST_P(StackLayoutTest, PlacesChildren)
{
    const StackCase& c = GetParam();
    ui::Stack stack(c.axis, c.spacing, c.alignment);
    for (std::size_t i = 0; i < c.children.size(); ++i)
        stack.add(new Probe(QSizeF(c.children[i])), i < c.placements.size() ? c.placements[i] : ui::Placement{});
    EXPECT_EQ(stack.sizeHint(), c.natural);
    stack.resize(c.given.isEmpty() ? stack.sizeHint() : c.given);
    stack.show();
    EXPECT_EQ(geometries(stack), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StackLayoutTest,
    ::testing::Values(
        StackCase{"rowCentred", ui::Axis::horizontal, 4, Qt::AlignCenter, {}, {{10, 20}, {30, 10}}, {}, {44, 20},
                  {{0, 0, 10, 20}, {14, 5, 30, 10}}},
        StackCase{"rowTop", ui::Axis::horizontal, 4, Qt::AlignTop, {}, {{10, 20}, {30, 10}}, {}, {44, 20},
                  {{0, 0, 10, 20}, {14, 0, 30, 10}}},
        StackCase{"negativeSpacingOverlaps", ui::Axis::horizontal, -5, Qt::AlignBottom, {}, {{10, 20}, {30, 10}}, {},
                  {35, 20}, {{0, 0, 10, 20}, {5, 10, 30, 10}}},
        StackCase{"columnLeading", ui::Axis::vertical, 2, Qt::AlignLeft, {}, {{10, 20}, {30, 10}}, {}, {30, 32},
                  {{0, 0, 10, 20}, {0, 22, 30, 10}}},
        StackCase{"columnCentredInMoreRoom", ui::Axis::vertical, 0, Qt::AlignCenter, {50, 50}, {{10, 20}, {30, 10}}, {},
                  {30, 30}, {{20, 10, 10, 20}, {10, 30, 30, 10}}},
        StackCase{"overlayCentred", ui::Axis::overlay, 0, Qt::AlignCenter, {}, {{10, 20}, {30, 10}}, {}, {30, 20},
                  {{10, 0, 10, 20}, {0, 5, 30, 10}}},
        StackCase{"overlayTrailing", ui::Axis::overlay, 0, Qt::AlignRight | Qt::AlignBottom, {}, {{10, 20}, {30, 10}},
                  {}, {30, 20}, {{20, 0, 10, 20}, {0, 10, 30, 10}}},
        // A frame replaces the child's size in the layout and centres it; padding adds around
        // the frame; an offset moves the child alone.
        StackCase{"frameThenPadding", ui::Axis::horizontal, 0, Qt::AlignCenter, {},
                  {{10, 10}, {10, 10}},
                  {ui::Placement{ui::Frame{40, 30}, QMarginsF(5, 0, 3, 0), {}}, ui::Placement{{}, {}, QPointF(2, -3)}},
                  {58, 30}, {{20, 10, 10, 10}, {50, 7, 10, 10}}},
        StackCase{"frameWidthOnly", ui::Axis::vertical, 0, Qt::AlignCenter, {}, {{10, 10}},
                  {ui::Placement{ui::Frame{90, std::nullopt}, {}, {}}}, {90, 10}, {{40, 0, 10, 10}}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(StackTest, SpacersShareTheRoomLeftAndStacksWithThemAreFlexible)
{
    ui::Stack row(ui::Axis::horizontal, 0);
    auto* left = row.add(new Probe({10, 10}));
    row.addSpacer();
    auto* middle = row.add(new Probe({20, 10}));
    row.addSpacer();
    auto* right = row.add(new Probe({10, 10}));
    EXPECT_EQ(row.sizeHint(), QSize(56, 10)) << "each spacer counts its minimum length";
    EXPECT_EQ(row.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    EXPECT_EQ(row.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);

    row.resize(200, 10);
    row.show();
    EXPECT_EQ(left->geometry(), QRect(0, 0, 10, 10));
    EXPECT_EQ(middle->geometry(), QRect(90, 0, 20, 10));
    EXPECT_EQ(right->geometry(), QRect(190, 0, 10, 10));

    // The flexible row fills the width of an overlay; a fixed child keeps its size.
    ui::Stack layers(ui::Axis::overlay);
    auto* nested = layers.add(new ui::Stack(ui::Axis::horizontal));
    nested->add(new Probe({10, 10}));
    nested->addSpacer();
    auto* fixed = layers.add(new Probe({30, 30}));
    layers.resize(300, 40);
    layers.show();
    EXPECT_EQ(nested->geometry().width(), 300);
    EXPECT_EQ(fixed->geometry(), QRect(135, 5, 30, 30));
}

TEST(StackTest, ChildrenMovedOutsideStayVisibleAndClicksReachTheLayersBelow)
{
    QWidget window;
    window.resize(200, 100);
    auto* layers = new ui::Stack(ui::Axis::overlay, 0, Qt::AlignCenter, &window);
    auto* bottom = layers->add(new Probe({200, 100}));
    // The upper layer is a row across the whole width with one control at its right end.
    auto* row = layers->add(new ui::Stack(ui::Axis::horizontal));
    row->addSpacer();
    auto* control = row->add(new Probe({20, 20}));
    // A label moved 45 points down from the centre of a 40 x 40 stack reaches 25 points below it.
    auto* dial = new ui::Stack(ui::Axis::overlay);
    dial->add(new Probe({40, 40}));
    auto* label = dial->add(new Probe({20, 10}), ui::Placement{{}, {}, QPointF(0, 45)});
    layers->add(dial, ui::Placement{{}, {}, QPointF(-70, -30)});
    layers->setGeometry(0, 0, 200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_EQ(window.childAt(30, 50), bottom) << "the empty part of the row lets the click through";
    EXPECT_EQ(window.childAt(195, 50), control);
    // The dial sits at (80, 30) moved to (10, 0); its label at (10, 15) moved to (10, 60).
    EXPECT_EQ(label->mapTo(&window, QPoint(0, 0)), QPoint(20, 60));
    EXPECT_EQ(window.childAt(label->mapTo(&window, QPoint(10, 5))), label) << "a child past its stack's edge is hit";
    EXPECT_EQ(label->visibleRegion().boundingRect(), label->rect()) << "and not clipped";
}

// ---- gestures -------------------------------------------------------------------------------

struct GestureCase {
    const char* name;
    qreal minimumDistance;
    std::vector<std::pair<QEvent::Type, QPointF>> events;
    Qt::KeyboardModifiers modifiers;
    std::string expected; // c(x,y) change, e(x,y) end, t single tap, o Option tap, d double tap
};

class GestureTest : public ::testing::TestWithParam<GestureCase> {};

TEST_P(GestureTest, RecognisesDragAndTapsTogether)
{
    const GestureCase& c = GetParam();
    std::string log;
    const auto record = [&log](char what, const QPointF& p) {
        log += what;
        log += QStringLiteral("(%1,%2)").arg(int(p.x())).arg(int(p.y())).toStdString();
    };
    ui::GestureRecognizer gestures;
    gestures.setDrag({c.minimumDistance, [&](const ui::DragValue& v) { record('c', v.location); },
                      [&](const ui::DragValue& v) { record('e', v.location); }});
    gestures.addTap({1, {}, [&] { log += "t"; }});
    gestures.addTap({1, ui::optionModifier, [&] { log += "o"; }});
    gestures.addTap({2, {}, [&] { log += "d"; }});
    for (const auto& [type, at] : c.events) {
        const QMouseEvent event = mouse(type, at, c.modifiers);
        switch (type) {
        case QEvent::MouseButtonPress: gestures.press(event); break;
        case QEvent::MouseButtonDblClick: gestures.doubleClick(event); break;
        case QEvent::MouseMove: gestures.move(event); break;
        default: gestures.release(event); break;
        }
    }
    EXPECT_EQ(log, c.expected);
    EXPECT_FALSE(gestures.isTracking());
}

constexpr auto press = QEvent::MouseButtonPress;
constexpr auto twice = QEvent::MouseButtonDblClick;
constexpr auto moveTo = QEvent::MouseMove;
constexpr auto release = QEvent::MouseButtonRelease;

INSTANTIATE_TEST_SUITE_P(
    Cases, GestureTest,
    ::testing::Values(
        GestureCase{"zeroDistanceStartsAtThePress", 0, {{press, {5, 5}}, {moveTo, {6, 5}}, {release, {40, 5}}}, {},
                    "c(5,5)c(6,5)e(40,5)"},
        GestureCase{"shortMoveIsATap", 3, {{press, {5, 5}}, {moveTo, {7, 5}}, {release, {7, 5}}}, {}, "t"},
        GestureCase{"threePointsStartTheDrag", 3, {{press, {5, 5}}, {moveTo, {5, 8}}, {moveTo, {5, 20}}, {release, {5, 21}}},
                    {}, "c(5,8)c(5,20)e(5,21)"},
        GestureCase{"sixPointsNeeded", 6, {{press, {5, 5}}, {moveTo, {5, 10}}, {release, {5, 10}}}, {}, "t"},
        GestureCase{"optionClick", 6, {{press, {5, 5}}, {release, {5, 5}}}, ui::optionModifier, "to"},
        GestureCase{"doubleClick", 6, {{press, {5, 5}}, {release, {5, 5}}, {twice, {5, 5}}, {release, {5, 5}}}, {},
                    "ttd"},
        GestureCase{"aDragIsNoTap", 6, {{press, {5, 5}}, {moveTo, {5, 30}}, {release, {5, 30}}}, ui::optionModifier,
                    "c(5,30)e(5,30)"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(GestureTest, AHiddenViewEndsItsDrag)
{
    Probe view({50, 50});
    std::string log;
    view.gestures().setDrag({0, [&](const ui::DragValue&) { log += "c"; }, [&](const ui::DragValue&) { log += "e"; }});
    view.show();
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(10, 10));
    view.hide();
    EXPECT_EQ(log, "");
    // Probe records presses itself; drive the view's own handlers through a plain View.
    class Plain : public ui::View {
    protected:
        void paint(QPainter&) override {}
    } plain;
    plain.setNaturalSize({50, 50});
    plain.gestures().setDrag({0, [&](const ui::DragValue&) { log += "c"; }, [&](const ui::DragValue&) { log += "e"; }});
    plain.show();
    QTest::mousePress(&plain, Qt::LeftButton, {}, QPoint(10, 10));
    plain.hide();
    EXPECT_EQ(log, "ce");
}

// ---- observation ----------------------------------------------------------------------------

TEST(ViewTest, RepaintsOnlyWhenWhatItDrewChanges)
{
    foundation::Observed<int> shown{1};
    foundation::Observed<int> unrelated{1};
    Probe view({40, 40}, &shown);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QApplication::processEvents();
    const int before = view.paints;
    ASSERT_GT(before, 0);

    unrelated.set(2);
    shown.set(1);
    QApplication::processEvents();
    EXPECT_EQ(view.paints, before) << "neither an unread property nor an equal value repaints";

    shown.set(2);
    shown.set(3);
    QApplication::processEvents();
    EXPECT_EQ(view.paints, before + 1) << "two changes before the repaint ask for one";
}

TEST(DynamicViewTest, RebuildsOnTheNextTurnAndOnlyForANewKey)
{
    foundation::Observed<float> mode{0.0f};
    foundation::Observed<int> readWhileBuilding{0};
    int builds = 0;
    ui::DynamicView<bool> view([&] { return mode.get() == 0.0f; },
                               [&](const bool& retro) {
                                   ++builds;
                                   (void)readWhileBuilding.get();
                                   return new Probe(retro ? QSizeF(10, 10) : QSizeF(20, 20));
                               });
    QPointer<QWidget> first = view.content();
    EXPECT_EQ(builds, 1);
    EXPECT_TRUE(view.currentKey());

    mode.set(1.0f);
    EXPECT_EQ(view.content(), first) << "not inside the change";
    QApplication::processEvents();
    EXPECT_EQ(builds, 2);
    EXPECT_FALSE(view.currentKey());
    EXPECT_EQ(view.content()->sizeHint(), QSize(20, 20));
    EXPECT_TRUE(first.isNull()) << "the old content is gone";
    EXPECT_EQ(view.children().size(), 1u);

    mode.set(0.5f); // another value, the same key
    readWhileBuilding.set(1);
    QApplication::processEvents();
    EXPECT_EQ(builds, 2);
}

// ---- scaling --------------------------------------------------------------------------------

struct ScaleCase {
    QSize window;
    qreal scale;
};

class ScaledHostTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaledHostTest, ScalesUniformlyFromTheTopLeftAndMapsClicks)
{
    const ScaleCase& c = GetParam();
    ui::ScaledHost host(QSizeF(640, 480));
    auto* design = new ui::Stack(ui::Axis::overlay, 0, Qt::AlignLeft | Qt::AlignTop);
    auto* target = design->add(new Probe({40, 20}), ui::Placement{{}, {}, QPointF(600, 460)});
    host.setContent(design);
    host.resize(c.window);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EXPECT_DOUBLE_EQ(host.currentScale(), c.scale);
    EXPECT_DOUBLE_EQ(ui::ScaledHost::scaleFor(QSizeF(c.window), QSizeF(640, 480)), c.scale);

    // A click on the probe's point (10, 5), wherever the scale puts it on screen.
    const QPoint onScreen((600 + 10) * c.scale, (460 + 5) * c.scale);
    QTest::mouseClick(host.viewport(), Qt::LeftButton, {}, onScreen);
    ASSERT_EQ(target->presses.size(), 1u);
    EXPECT_NEAR(target->presses[0].x(), 10, 1.0 / c.scale);
    EXPECT_NEAR(target->presses[0].y(), 5, 1.0 / c.scale);

    // Past the design (right or below it) nothing is hit.
    QTest::mouseClick(host.viewport(), Qt::LeftButton, {}, QPoint(c.window.width() - 1, c.window.height() - 1));
    if (c.window.width() > 640 * c.scale + 1 || c.window.height() > 480 * c.scale + 1) {
        EXPECT_EQ(target->presses.size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaledHostTest,
                         ::testing::Values(ScaleCase{{640, 480}, 1.0}, ScaleCase{{1280, 960}, 2.0},
                                           ScaleCase{{1280, 480}, 1.0}, ScaleCase{{320, 480}, 0.5}));

// ---- drawing --------------------------------------------------------------------------------

TEST(PaintingTest, ResizableImagesKeepTheirCapsAndTileOrStretchTheMiddle)
{
    // A 30 x 30 image: red 10-point corners, a middle of two 5-point columns (blue, green).
    QImage image(30, 30, QImage::Format_ARGB32);
    image.fill(Qt::red);
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            image.setPixelColor(x, y, x < 15 ? Qt::blue : Qt::green);

    const auto draw = [&](ui::ResizingMode mode) {
        QImage canvas(70, 40, QImage::Format_ARGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        ui::drawResizableImage(painter, QRectF(0, 0, 70, 40), image, QMarginsF(10, 10, 10, 10), mode);
        return canvas;
    };
    const QImage tiled = draw(ui::ResizingMode::tile);
    EXPECT_EQ(tiled.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(tiled.pixelColor(67, 37), QColor(Qt::red));
    // The 50-point middle repeats the 10-point pattern five times.
    for (int x : {12, 22, 32, 42, 52})
        EXPECT_EQ(tiled.pixelColor(x, 20), QColor(Qt::blue)) << x;
    for (int x : {17, 27, 57})
        EXPECT_EQ(tiled.pixelColor(x, 20), QColor(Qt::green)) << x;

    const QImage stretched = draw(ui::ResizingMode::stretch);
    EXPECT_EQ(stretched.pixelColor(20, 20), QColor(Qt::blue)) << "the blue half covers 25 points";
    EXPECT_EQ(stretched.pixelColor(50, 20), QColor(Qt::green));
}

// ---- text field, links, controllers -----------------------------------------------------------

TEST(TextFieldTest, ReturnSubmitsEscapeCancelsAndLeavingIsReported)
{
    QWidget window;
    auto* field = new ui::TextField(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    std::string log;
    field->onSubmit = [&] { log += "s"; };
    field->onCancel = [&] { log += "c"; };
    field->onFocusLost = [&] { log += "l"; };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    field->setFocus();
    QTest::keyClicks(field, "12");
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Escape);
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(log, "scl");
    EXPECT_EQ(field->text(), "12");
}

TEST(OpenURLTest, HandsTheLinkToItsHandler)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("zindle", &catcher, "open");
    EXPECT_TRUE(ui::openURL(QUrl("zindle://openAndUpdate")));
    EXPECT_EQ(catcher.urls, std::vector<QUrl>{QUrl("zindle://openAndUpdate")});
    QDesktopServices::unsetUrlHandler("zindle");
    EXPECT_FALSE(ui::openURL(QUrl()));
}

TEST(ViewControllerTest, LoadsOnceAndTellsWhenTheViewAppears)
{
    struct Controller : ui::ViewController {
        int loads = 0;
        int appearances = 0;
        QWidget* window = nullptr;
        QPointer<QObject> partOfTheView;

    protected:
        QWidget* loadView() override
        {
            ++loads;
            auto* view = new QWidget;
            partOfTheView = new QObject(view);
            return view;
        }
        void viewDidAppear() override
        {
            ++appearances;
            window = view()->window();
        }
    };
    QWidget window;
    QPointer<QObject> viewsOwnChild;
    {
        Controller controller;
        QWidget* view = controller.view();
        viewsOwnChild = controller.partOfTheView;
        EXPECT_EQ(controller.view(), view);
        EXPECT_EQ(controller.loads, 1);
        view->setParent(&window);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_EQ(controller.appearances, 1);
        EXPECT_EQ(controller.window, &window);
    }
    // The window keeps the view its controller left behind, with everything in it, and showing
    // it again calls nobody.
    window.hide();
    window.show();
    EXPECT_EQ(window.findChildren<QWidget*>().size(), 1);
    EXPECT_FALSE(viewsOwnChild.isNull());
}
TEST(ViewAnchoringTest, PinsWithInsetsAndIgnoresAnAbsentView)
{
    QWidget view;
    view.resize(200, 100);
    QWidget pinned(&view);
    view.show(); // a hidden widget keeps its resize events until it is shown
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    pinned.setGeometry(1, 2, 3, 4);
    ui::anchorToAllSidesOf(pinned, nullptr, QMargins(20, 10, 40, 30));
    EXPECT_EQ(pinned.geometry(), QRect(1, 2, 3, 4));

    // Insets top 10, left 20, bottom 30, right 40.
    ui::anchorToAllSidesOf(pinned, &view, QMargins(20, 10, 40, 30));
    EXPECT_EQ(pinned.geometry(), QRect(20, 10, 200 - 60, 100 - 40));
    view.resize(300, 200);
    EXPECT_EQ(pinned.geometry(), QRect(20, 10, 300 - 60, 200 - 40));
    ui::anchorToAllSidesOf(pinned, &view, QMargins());
    view.resize(310, 210);
    EXPECT_EQ(pinned.geometry(), QRect(0, 0, 310, 210));
}


#include "UiTest.moc"

TEST(ButtonTest, ActsOnAReleaseOverItAndLooksPressedOnlyWhileHeldOverIt)
{
    foundation::Observed<int> count{0};
    int actions = 0;
    ui::Button button([&] { return ui::ButtonLabel{QString::number(count.get()), QFont(), Qt::black, {}}; },
                      [&] { ++actions; });
    button.resize(button.sizeHint());
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    const QPoint inside = button.rect().center();

    QTest::mousePress(&button, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(button.isPressed());
    QTest::mouseMove(&button, QPoint(-20, -20));
    EXPECT_FALSE(button.isPressed()) << "leaving while held";
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(actions, 0);

    QTest::mouseClick(&button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(button.label().text, "0");
    count.set(10);
    EXPECT_GT(button.sizeHint().width(), ui::textSize("0", QFont()).width()) << "the size follows the label";
}

TEST(ViewTest, PicksTheImageScaleThroughEveryTransform)
{
    class ScaleProbe : public ui::View {
    public:
        qreal seen = 0;

    protected:
        void paint(QPainter& painter) override { seen = ui::pixelScale(painter); }
    };
    // Rendered into a 2x image.
    ScaleProbe rendered;
    rendered.setNaturalSize({10, 10});
    rendered.resize(10, 10);
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    rendered.render(&image);
    EXPECT_DOUBLE_EQ(rendered.seen, 2);

    // Inside a design scaled by 3.
    ui::ScaledHost host(QSizeF(100, 100));
    auto* design = ui::zstack();
    auto* scaled = design->add(new ScaleProbe);
    scaled->setNaturalSize({10, 10});
    host.setContent(design);
    host.resize(300, 300);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    host.viewport()->repaint();
    EXPECT_NEAR(scaled->seen, 3, 1e-9);
}
