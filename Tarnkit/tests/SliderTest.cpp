// The styled sliders: the slide closures by event, the wheel's steps and circular wrap, the
// states, the bar, knob and fill geometry, and their drawing.

#include "TestEvents.h"

#include "Tarnkit/Fields/StyledScrollableSlider.h"
#include "Tarnkit/Foundation/Image.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace tarnkit;
using namespace tarnkit::testing;

TEST(StyledSliderTest, ClosuresFollowThePressDragAndReleaseButNotTheKeyboard)
{
    StyledSlider slider;
    slider.resize(200, 20);
    std::vector<std::pair<std::string, double>> calls;
    slider.onSlideStarted = [&](double v) { calls.emplace_back("started", v); };
    slider.onSlideOngoing = [&](double v) { calls.emplace_back("ongoing", v); };
    slider.onSlideComplete = [&](double v) { calls.emplace_back("complete", v); };

    // The knob's centre travels from 30 to 170 (the bar image's 60 points of thickness).
    press(&slider, {30, 10});
    drag(&slider, {100, 10});
    release(&slider, {170, 10});
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].first, "started");
    EXPECT_DOUBLE_EQ(calls[0].second, 0.0);
    EXPECT_EQ(calls[1].first, "ongoing");
    EXPECT_DOUBLE_EQ(calls[1].second, 0.5);
    EXPECT_EQ(calls[2].first, "complete");
    EXPECT_DOUBLE_EQ(calls[2].second, 1.0);
    EXPECT_FALSE(slider.cell().isHighlighted());

    calls.clear();
    QSignalSpy actions(&slider, &Control::action);
    key(&slider, QEvent::KeyPress, Qt::Key_Left);
    EXPECT_EQ(actions.count(), 1) << "a key step still sends the action";
    EXPECT_DOUBLE_EQ(slider.doubleValue(), 0.95);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(slider.currentEventType()) << "no event outside an action";
}

TEST(StyledSliderTest, AWheelStepsByAQuarterPercentOfTheRangePerPoint)
{
    struct Case {
        const char* name;
        bool circularCell;
        bool enabled;
        double start;
        QPoint delta;
        bool inverted;
        double expected;
    };
    const Case cases[] = {
        {"4 points up", false, true, 0.5, {0, 4}, false, 0.51},
        {"inverted", false, true, 0.5, {0, 4}, true, 0.49},
        {"horizontal delta subtracts", false, true, 0.5, {4, 0}, false, 0.49},
        {"linear stops at the end", false, true, 0.995, {0, 4}, false, 1.0},
        {"circular wraps past the maximum", true, true, 0.995, {0, 4}, false, 0.01},
        {"circular wraps past the minimum", true, true, 0.005, {0, -4}, false, 0.99},
        {"disabled ignores it", false, false, 0.5, {0, 4}, false, 0.5},
    };
    for (const Case& c : cases) {
        StyledScrollableSlider slider;
        slider.resize(200, 20);
        if (c.circularCell) {
            slider.setCell(std::make_unique<SliderCell>());
            slider.setSliderType(SliderType::circular);
        }
        slider.setDoubleValue(c.start);
        slider.setEnabled(c.enabled);
        int closures = 0;
        slider.onSlideStarted = slider.onSlideOngoing = slider.onSlideComplete = [&](double) { ++closures; };
        QSignalSpy actions(&slider, &Control::action);
        scroll(&slider, c.delta, c.inverted);
        EXPECT_NEAR(slider.doubleValue(), c.expected, 1e-12) << c.name;
        EXPECT_EQ(actions.count(), c.enabled ? 1 : 0) << c.name;
        EXPECT_EQ(closures, 0) << c.name;
    }

    // A styled cell is always linear: asked to be circular, the slider still stops at the end.
    StyledScrollableSlider styled;
    styled.setSliderType(SliderType::circular);
    styled.setDoubleValue(0.995);
    scroll(&styled, {0, 4});
    EXPECT_DOUBLE_EQ(styled.doubleValue(), 1.0);
}

TEST(StyledSliderCellTest, StateKnobAndFillGeometry)
{
    StyledSlider slider;
    auto& cell = static_cast<StyledSliderCell&>(slider.cell());
    EXPECT_EQ(cell.controlState().rawValue(), 1u);
    cell.setHighlighted(true);
    EXPECT_EQ(cell.controlState().rawValue(), 9u);
    slider.setEnabled(false);
    EXPECT_EQ(cell.controlState().rawValue(), 3u) << "pressed does not show while disabled";
    cell.setStateValue(ControlStateValue::mixed);
    EXPECT_EQ(cell.controlState().rawValue(), 3u) << "never mixed";
    slider.setEnabled(true);
    cell.setHighlighted(false);

    slider.resize(200, 20);
    const Rect bar = cell.barRect(false);
    EXPECT_EQ(bar, Rect(2, 8, 196, 4)) << "2 in from each side, the image's 4 high, centred";
    EXPECT_DOUBLE_EQ(cell.knobThickness(), 60) << "the bar image's width";

    struct Case {
        double width;
        double value;
        Rect knob;
    };
    const Case cases[] = {
        {200, 0.0, Rect(22, 2, 16, 16)},   // centred on the base knob's centre, 30
        {200, 1.0, Rect(162, 2, 16, 16)},  // 170
        {30, 1.0, Rect(14, 2, 16, 16)},    // held at the limit, max(26 − 12, 1)
        {10, 1.0, Rect(1, 2, 16, 16)},     // a bar of 6: the limit is 1
    };
    for (const Case& c : cases) {
        slider.resize(int(c.width), 20);
        slider.setDoubleValue(c.value);
        const Rect knob = cell.knobRect(false);
        EXPECT_EQ(knob, c.knob) << c.width << " wide at " << c.value;
        EXPECT_GE(knob.minX(), 0);
        EXPECT_LE(knob.minX(), std::max(cell.barRect(false).width() - 12, 1.0));
        const Rect fill = cell.fillRect(cell.barRect(false), false);
        EXPECT_EQ(fill.maxX(), std::max(knob.midX(), cell.barRect(false).minX())) << "the fill ends under the knob";
    }
}

TEST(StyledSliderCellTest, AKnobLeftOfTheBarLeavesNoFill)
{
    // A style with a knob 1 point wide puts the knob's centre left of the bar in a narrow
    // slider: the fill must be empty, not a rect turned round.
    class TinyKnobCell : public StyledSliderCell {
    public:
        TinyKnobCell()
        {
            style_.setKnobImages({{StyledControlState::defaultState,
                                   std::make_shared<Image>(QStringLiteral("dot"), dotImage(), QImage())}});
        }
        SliderCellStyle& style() const override { return style_; }

    private:
        static QImage dotImage()
        {
            QImage dot(1, 16, QImage::Format_ARGB32);
            dot.fill(Qt::white);
            return dot;
        }
        mutable SliderCellStyle style_;
    };
    StyledSlider slider;
    slider.setCell(std::make_unique<TinyKnobCell>());
    slider.resize(10, 20);
    slider.setDoubleValue(1);
    auto& cell = static_cast<StyledSliderCell&>(slider.cell());
    const Rect bar = cell.barRect(false);
    ASSERT_LT(cell.knobRect(false).midX(), bar.minX());
    const Rect fill = cell.fillRect(bar, false);
    EXPECT_EQ(fill.width(), 0);
    EXPECT_EQ(fill.minX(), bar.minX());
}

TEST(StyledSliderTest, FixedWidthAndHalfOpacityWhileDisabled)
{
    StyledSlider slider;
    const Size natural = slider.intrinsicContentSize();
    slider.setFixedWidth(40);
    EXPECT_EQ(slider.intrinsicContentSize(), Size(60, 16)) << "the 60-point bar wins; the knob is the taller image";
    slider.setFixedWidth(90);
    EXPECT_EQ(slider.intrinsicContentSize().width, 90);
    slider.setFixedWidth(std::nullopt);
    EXPECT_EQ(slider.intrinsicContentSize(), natural);

    slider.resize(200, 20);
    slider.setDoubleValue(0.5);
    auto& cell = static_cast<StyledSliderCell&>(slider.cell());
    // Points where one image alone draws: the knob above the bar, the empty track.
    const QPointF knob(viewFlip(slider).map(cell.knobRect(false)).center().x(), 4);
    const QPointF track(190, 10);
    const QPointF filled(10, 10); // the fill over the track
    const QImage enabled = picture(slider);
    slider.setEnabled(false);
    const QImage disabled = picture(slider);
    for (const QPointF& at : {knob, track}) {
        const int full = qAlpha(enabled.pixel(at.toPoint()));
        ASSERT_GT(full, 0) << at.x();
        EXPECT_NEAR(qAlpha(disabled.pixel(at.toPoint())), full / 2.0, 2) << at.x();
    }
    EXPECT_LT(qAlpha(disabled.pixel(filled.toPoint())), qAlpha(enabled.pixel(filled.toPoint())));
    EXPECT_NE(enabled.pixel(filled.toPoint()), enabled.pixel(track.toPoint())) << "fill and track differ";
}

} // namespace
