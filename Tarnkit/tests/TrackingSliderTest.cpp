// The tracking slider: its defaults, the velocity gate of its drag, the states of the drag,
// the wheel, the value clamps, its cursor and its publisher; the clickable image view below it.

#include "TestEvents.h"

#include "Tarnkit/Fields/TrackingSlider.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/TKImagesAK.h"

#include <QGuiApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace tarnkit;
using namespace tarnkit::testing;

struct Recorder {
    explicit Recorder(TrackingSlider& slider)
        : actions(&slider, &Control::action),
          clickSubscription(slider.clicked().sink([this](const std::monostate&) { events.push_back("clicked"); }))
    {
        slider.onSlideStarted = [this](double v) { events.push_back("started " + std::to_string(v)); };
        slider.onSlideComplete = [this](double v) { events.push_back("complete " + std::to_string(v)); };
    }
    QSignalSpy actions;
    std::vector<std::string> events;
    Cancellable clickSubscription;
};

TEST(TrackingSliderTest, DefaultsOfANewSlider)
{
    TrackingSlider slider;
    EXPECT_EQ(slider.movementDirection(), TrackingSlider::MovementDirection::vertical);
    EXPECT_FALSE(slider.isHorizontal());
    EXPECT_DOUBLE_EQ(slider.incrementBy(), 0.01);
    EXPECT_DOUBLE_EQ(slider.minimumValue(), 0);
    EXPECT_DOUBLE_EQ(slider.maximumValue(), 1);
    EXPECT_DOUBLE_EQ(slider.minimumPanVelocity(), 5);
    EXPECT_DOUBLE_EQ(slider.doubleValue(), 0);
    EXPECT_FALSE(slider.valueWasEdited());
    EXPECT_FALSE(slider.isContinuous());
    EXPECT_EQ(slider.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(slider.cursor().hotSpot(), QPoint(3, 4));
    EXPECT_EQ(slider.cursor().pixmap().size(), TKImagesAK::cursorTrackingslider()->size().toSize());

    EXPECT_EQ(TrackingSlider::movementDirection(0), TrackingSlider::MovementDirection::horizontal);
    EXPECT_EQ(TrackingSlider::movementDirection(1), TrackingSlider::MovementDirection::vertical);
    EXPECT_FALSE(TrackingSlider::movementDirection(2));
    slider.setHorizontal(true);
    EXPECT_EQ(slider.movementDirection(), TrackingSlider::MovementDirection::horizontal);
}

// A drag on a 40 x 40 slider: pressed at the centre, moved 6 points up within 10 ms to begin,
// then one move per case.
TEST(TrackingSliderTest, OnlyMovesFasterThanTheMinimumVelocityStepOneIncrement)
{
    struct Case {
        const char* name;
        bool horizontal;
        QPointF by;   // Qt coordinates: negative y is upwards
        ulong ms;
        double expected;
    };
    const Case cases[] = {
        {"slow upward drag (4 pt/s)", false, {0, -0.4}, 100, 0.5},
        {"exactly the minimum (5 pt/s)", false, {0, -0.5}, 100, 0.5},
        {"a little faster (6 pt/s)", false, {0, -0.6}, 100, 0.51},
        {"very fast upward", false, {0, -40}, 10, 0.51},
        {"fast downward", false, {0, 40}, 10, 0.49},
        {"vertical ignores sideways", false, {40, 0}, 10, 0.5},
        {"horizontal rightward", true, {40, 0}, 10, 0.51},
        {"horizontal ignores vertical", true, {0, -40}, 10, 0.5},
    };
    for (const Case& c : cases) {
        TrackingSlider slider;
        slider.resize(40, 40);
        slider.setHorizontal(c.horizontal);
        slider.setDoubleValue(0.5);
        press(&slider, {20, 20}, 1000);
        drag(&slider, {20, 14}, 1010);
        ASSERT_EQ(slider.panGestureRecognizer().state(), GestureState::began) << c.name;
        EXPECT_DOUBLE_EQ(slider.doubleValue(), 0.5) << c.name << ": beginning steps nothing";
        drag(&slider, QPointF(20, 14) + c.by, 1010 + c.ms);
        EXPECT_NEAR(slider.doubleValue(), c.expected, 1e-12) << c.name;
        EXPECT_EQ(slider.valueWasEdited(), c.expected != 0.5) << c.name;
        release(&slider, QPointF(20, 14) + c.by, 1020 + c.ms);
    }
}

TEST(TrackingSliderTest, ADragBeginsStepsAndEnds)
{
    for (const bool continuous : {false, true}) {
        TrackingSlider slider;
        slider.resize(40, 40);
        slider.setContinuous(continuous);
        slider.setDoubleValue(0.99);
        Recorder record(slider);
        press(&slider, {20, 20}, 0);
        drag(&slider, {20, 10}, 10);
        EXPECT_EQ(record.events, (std::vector<std::string>{"clicked", "started 0.990000"}));
        EXPECT_FALSE(slider.valueWasEdited());
        EXPECT_EQ(slider.panGestureRecognizer().translation(&slider), Point(20, 20)) << "set to the centre";
        for (int i = 1; i <= 3; ++i)
            drag(&slider, {20, 10.0 - 10 * i}, 10 + 10 * ulong(i)); // 1000 pt/s upwards
        EXPECT_DOUBLE_EQ(slider.doubleValue(), 1.0) << "held at the maximum";
        EXPECT_TRUE(slider.valueWasEdited()) << "steps at the end still count";
        EXPECT_EQ(record.actions.count(), continuous ? 3 : 0);
        release(&slider, {20, -20}, 60);
        EXPECT_EQ(record.actions.count(), continuous ? 4 : 1) << "the end always sends";
        EXPECT_EQ(record.events.back(), "complete 1.000000");
        EXPECT_EQ(record.events.size(), 3u) << "no click for a drag";
    }

    // A press that just reaches the drag threshold is a drag, not a click as well.
    TrackingSlider slider;
    slider.resize(40, 40);
    Recorder record(slider);
    press(&slider, {20, 20}, 0);
    drag(&slider, {20, 16.5}, 10);
    release(&slider, {20, 16.5}, 20);
    EXPECT_EQ(std::count(record.events.begin(), record.events.end(), "clicked"), 1);
}

TEST(TrackingSliderTest, ACancelledOrFailedDragClicksAndResetsButCallsNoClosure)
{
    TrackingSlider slider;
    slider.resize(40, 40);
    slider.show();
    Recorder record(slider);
    press(&slider, {20, 20}, 0);
    drag(&slider, {20, 10}, 10);
    drag(&slider, {20, 0}, 20);
    ASSERT_TRUE(slider.valueWasEdited());
    record.events.clear();
    slider.hide(); // takes the drag away
    EXPECT_EQ(slider.panGestureRecognizer().state(), GestureState::cancelled);
    EXPECT_EQ(record.events, (std::vector<std::string>{"clicked"}));
    EXPECT_FALSE(slider.valueWasEdited());

    // A pan that fails is silent on its own; handed to the slider it clicks and resets too.
    QWidget elsewhere;
    elsewhere.resize(40, 40);
    PanGestureRecognizer failing(&elsewhere, {});
    press(&elsewhere, {20, 20}, 0);
    release(&elsewhere, {21, 20}, 10);
    ASSERT_EQ(failing.state(), GestureState::failed);
    slider.setDoubleValue(0.5);
    record.events.clear();
    slider.handlePanGesture(failing);
    EXPECT_EQ(record.events, (std::vector<std::string>{"clicked"}));
    EXPECT_EQ(record.actions.count(), 0);
}

TEST(TrackingSliderTest, DisabledItIgnoresDragsAndTheWheel)
{
    TrackingSlider slider;
    slider.resize(40, 40);
    slider.setDoubleValue(0.5);
    slider.setEnabled(false);
    Recorder record(slider);
    press(&slider, {20, 20}, 0);
    drag(&slider, {20, 10}, 10);
    drag(&slider, {20, 0}, 20);
    release(&slider, {20, 0}, 30);
    scroll(&slider, {0, 10});
    EXPECT_DOUBLE_EQ(slider.doubleValue(), 0.5);
    EXPECT_TRUE(record.events.empty());
    EXPECT_EQ(record.actions.count(), 0);
}

TEST(TrackingSliderTest, TheWheelStepsByTheSignOfItsDelta)
{
    struct Case {
        const char* name;
        bool horizontal;
        QPoint delta;
        bool inverted;
        double expected;
        int actions;
    };
    const Case cases[] = {
        {"up", false, {0, 30}, false, 0.51, 1},
        {"down", false, {0, -1}, false, 0.49, 1},
        {"up, inverted device", false, {0, 30}, true, 0.49, 1},
        {"vertical ignores a sideways scroll", false, {30, 0}, false, 0.5, 0},
        {"horizontal", true, {2, 0}, false, 0.51, 1},
        {"horizontal ignores a vertical scroll", true, {0, 30}, false, 0.5, 0},
    };
    for (const Case& c : cases) {
        TrackingSlider slider;
        slider.setHorizontal(c.horizontal);
        slider.setDoubleValue(0.5);
        Recorder record(slider);
        scroll(&slider, c.delta, c.inverted);
        EXPECT_NEAR(slider.doubleValue(), c.expected, 1e-12) << c.name;
        EXPECT_EQ(record.actions.count(), c.actions) << c.name;
        EXPECT_TRUE(record.events.empty()) << c.name << ": no closures";
    }
}

TEST(TrackingSliderTest, SettersClampAndTheIntegerValuesSaturate)
{
    struct Case {
        const char* name;
        double minimum;
        double maximum;
        double set;
        double expected;
        std::int32_t intValue;
        std::int64_t integerValue;
    };
    constexpr auto int32Max = std::numeric_limits<std::int32_t>::max();
    constexpr auto int32Min = std::numeric_limits<std::int32_t>::min();
    constexpr auto int64Max = std::numeric_limits<std::int64_t>::max();
    constexpr auto int64Min = std::numeric_limits<std::int64_t>::min();
    const Case cases[] = {
        {"above the range", 0, 1, 7, 1, 1, 1},
        {"below the range", 0, 1, -3, 0, 0, 0},
        {"truncated toward zero", -10, 10, -2.7, -2.7, -2, -2},
        {"minimum above the maximum holds the minimum", 2, 1, 0.5, 2, 2, 2},
        {"NaN keeps the old value", 0, 1, std::nan(""), 0.25, 0, 0},
        {"beyond 32 bits", 0, 1e20, 5e9, 5e9, int32Max, 5'000'000'000},
        {"below 32 bits", -1e20, 0, -5e9, -5e9, int32Min, -5'000'000'000},
        {"beyond 64 bits", 0, 1e300, 1e30, 1e30, int32Max, int64Max},
        {"below 64 bits", -1e300, 0, -1e30, -1e30, int32Min, int64Min},
    };
    for (const Case& c : cases) {
        TrackingSlider slider;
        slider.setDoubleValue(0.25);
        slider.setMinimumValue(c.minimum);
        slider.setMaximumValue(c.maximum);
        Recorder record(slider);
        slider.setDoubleValue(c.set);
        EXPECT_DOUBLE_EQ(slider.doubleValue(), c.expected) << c.name;
        EXPECT_EQ(slider.intValue(), c.intValue) << c.name;
        EXPECT_EQ(slider.integerValue(), c.integerValue) << c.name;
        EXPECT_EQ(record.actions.count(), 0) << c.name;
        EXPECT_FALSE(slider.valueWasEdited()) << c.name;
    }
    TrackingSlider slider;
    slider.setIntValue(3);
    EXPECT_DOUBLE_EQ(slider.doubleValue(), 1.0);
    slider.setFloatValue(0.5f);
    EXPECT_FLOAT_EQ(slider.floatValue(), 0.5f);
}

TEST(TrackingSliderTest, ItsCursorShowsWhileThePointerIsOver)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        TrackingSlider slider;
        slider.resize(20, 20);
        slider.show();
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), slider.mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(&slider, &enter);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->hotSpot(), QPoint(3, 4));
        QApplication::sendEvent(&slider, &enter); // a second enter pushes nothing more
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&slider, &leave);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

        QApplication::sendEvent(&slider, &enter);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    } // destroyed under the pointer
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(TrackingSliderTest, PublishesItsValueWithEachAction)
{
    TrackingSlider slider;
    slider.setDoubleValue(0.5);
    std::vector<double> values;
    Cancellable subscription = slider.doubleValuePublisher().sink([&](const double& v) { values.push_back(v); });
    scroll(&slider, {0, 3});
    scroll(&slider, {0, -3});
    EXPECT_EQ(values, (std::vector<double>{0.51, 0.5}));
}

TEST(ClickableImageViewTest, AClickSendsClickedAndADragDoesNot)
{
    ClickableImageView view(TKImagesAK::cursorTrackingslider());
    view.resize(view.sizeHint());
    EXPECT_EQ(view.sizeHint(), QSize(24, 24));
    int clicks = 0;
    Cancellable subscription = view.clicked().sink([&](const std::monostate&) { ++clicks; });
    press(&view, {10, 10});
    release(&view, {11, 11});
    EXPECT_EQ(clicks, 1);
    press(&view, {10, 10});
    drag(&view, {20, 10});
    release(&view, {20, 10});
    EXPECT_EQ(clicks, 1) << "a press that travels is no click";
    press(&view, {10, 10});
    release(&view, {30, 30});
    EXPECT_EQ(clicks, 1) << "released outside";
}

} // namespace
