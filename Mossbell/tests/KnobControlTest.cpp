// The knob as the host hears it: drags, resets and clicks driven with real mouse events, and
// the frame it draws following the value from wherever the value comes.

#include "HostRecorder.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/KnobControl.h"

#include "platform/audiounit/ParameterTree.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "testing/WidgetProbes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace mossbell {
namespace {

using testing_support::PaintCounter;

using Unit = au::ParameterUnit;
using Increment = AudioParameter::ValueIncrement;
using Event = au::AutomationEventType;

constexpr int frameCount = 51;
constexpr int knobSize = 40;
const QPoint pressPoint(knobSize / 2, knobSize / 2);

// Frame i is a square of red level 4 i, so a picture of the knob says which frame it drew.
QImage frameImage(int frame, qreal pixelScale)
{
    QImage image(QSize(knobSize, knobSize) * pixelScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelScale);
    image.fill(QColor(4 * frame, 0, 0));
    return image;
}

struct ParameterSpec {
    Unit unit;
    AudioParameter::ValueRange range;
    Increment increment;
    float value;
};

const ParameterSpec unitRange{Unit::generic, {0.0f, 1.0f}, Increment::linear(), 0.5f};

void settle()
{
    for (int i = 0; i < 3; ++i) {
        test::runMainQueue();
        QApplication::processEvents();
    }
}

// A knob of 51 test frames on its own window, with a host observing its parameter's tree.
struct Bench {
    explicit Bench(const ParameterSpec& spec, float scale = 0.005f, qreal minDrag = 6.0)
        : param(AudioParameter::create(4, "mix", "Mix", spec.unit, spec.range, spec.value, spec.increment,
                                       std::nullopt, std::nullopt)),
          tree(au::ParameterTree::createTree({param->auParameter()})), host(tree),
          knob(param, minDrag, scale, frameCount, frameImage)
    {
        editingToken = param->observeBeingInteractivelyEdited([this](bool) { ++editingChanges; });
        knob.resize(knob.sizeHint());
        knob.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&knob));
        settle();
    }

    void press() { QTest::mousePress(&knob, Qt::LeftButton, {}, pressPoint); }
    void moveTo(int y) { QTest::mouseMove(&knob, QPoint(pressPoint.x(), y)); }
    void release(int y) { QTest::mouseRelease(&knob, Qt::LeftButton, {}, QPoint(pressPoint.x(), y)); }

    // The frame the knob draws now, read from its picture.
    int drawnFrame()
    {
        QImage picture(knob.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        knob.render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
        return QColor(picture.pixel(knobSize / 2, knobSize / 2)).red() / 4;
    }

    std::shared_ptr<AudioParameter> param;
    std::shared_ptr<au::ParameterTree> tree;
    test::HostRecorder host;
    KnobControl knob;
    int editingChanges = 0;
    foundation::ObservationToken editingToken;
};

// --- Dragging ---------------------------------------------------------------------------------

struct Heard {
    Event type;
    float position; ///< of the value the host heard, on the parameter's travel
};

TEST(KnobDrag, WhatTheHostHears)
{
    const ParameterSpec logMidpoint{Unit::hertz, {20.0f, 20000.0f}, Increment::logarithmic(1000.0f), 1000.0f};
    const ParameterSpec indexed{Unit::indexed, {0.0f, 4.0f}, Increment::linear(), 2.0f};
    const struct {
        const char* what;
        ParameterSpec spec;
        std::vector<int> moves; ///< pointer heights after the press at 20; 14 is 6 points up
        std::vector<Heard> heard;
    } cases[] = {
        {"100 points up raise the position by 0.5",
         {Unit::generic, {0.0f, 1.0f}, Increment::linear(), 0.2f},
         {14, -86},
         {{Event::touch, 0.2f}, {Event::value, 0.7f}, {Event::release, 0.7f}}},
        {"100 points down lower it by 0.5",
         {Unit::generic, {0.0f, 1.0f}, Increment::linear(), 0.8f},
         {26, 126},
         {{Event::touch, 0.8f}, {Event::value, 0.3f}, {Event::release, 0.3f}}},
        {"a logarithmic travel moves by position, its midpoint at the centre",
         logMidpoint,
         {14, -36, 64},
         {{Event::touch, 0.5f}, {Event::value, 0.75f}, {Event::value, 0.25f}, {Event::release, 0.25f}}},
        {"past the top pins the upper bound and turning back lowers at once",
         unitRange,
         {14, -86, -186, -176},
         {{Event::touch, 0.5f}, {Event::value, 1.0f}, {Event::value, 0.95f}, {Event::release, 0.95f}}},
        {"past the bottom pins the lower bound",
         unitRange,
         {26, 226, 236, 226},
         {{Event::touch, 0.5f}, {Event::value, 0.0f}, {Event::value, 0.05f}, {Event::release, 0.05f}}},
        // 0.02 a point: 2.2, 2.4 stay at 2; 2.6 sends 3; 2.8, 3.0, then down to 2.52 stay at
        // 3; 2.44 sends 2.
        {"an indexed value steps only past a half step",
         indexed,
         {14, 4, -6, -16, -26, -36, -12, -8},
         {{Event::touch, 0.5f}, {Event::value, 0.75f}, {Event::value, 0.5f}, {Event::release, 0.5f}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b(c.spec);
        b.press();
        b.moveTo(15);
        EXPECT_TRUE(b.host.events().empty()) << "5 points do not start the drag";
        for (const int y : c.moves) {
            b.moveTo(y);
            EXPECT_TRUE(b.knob.isDragging());
            EXPECT_TRUE(b.param->isBeingInteractivelyEdited());
        }
        b.release(c.moves.back());
        EXPECT_FALSE(b.knob.isDragging());
        EXPECT_FALSE(b.param->isBeingInteractivelyEdited());
        EXPECT_EQ(b.editingChanges, 2) << "set once at the start and cleared once at the end";

        const auto events = b.host.events();
        ASSERT_EQ(events.size(), c.heard.size());
        for (std::size_t i = 0; i < events.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(events[i].type, c.heard[i].type);
            EXPECT_EQ(events[i].address, 4u);
            EXPECT_NEAR(b.param->normalizedPosition(events[i].value), c.heard[i].position, 1e-5f);
            if (c.spec.unit == Unit::indexed) {
                EXPECT_EQ(events[i].value, std::round(events[i].value)) << "whole values only";
            }
        }
        settle();
        EXPECT_EQ(b.param->value(), events.back().value) << "the view ends where the host is";
        EXPECT_EQ(b.knob.imageIndex(), b.param->imageIndex(b.param->value(), frameCount));
    }
}

TEST(KnobDrag, TheDragKeepsItsOwnValueWhileTheHostSendsOthers)
{
    Bench b(unitRange);
    b.press();
    b.moveTo(14);
    b.moveTo(-6); // 0.6
    b.param->setValue(0.1f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    settle();
    EXPECT_FLOAT_EQ(b.param->value(), 0.6f) << "the dragged parameter ignores the host meanwhile";
    b.moveTo(-26); // 0.7
    b.release(-26);

    const auto events = b.host.events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_FLOAT_EQ(events[2].value, 0.7f);
    EXPECT_EQ(events[3].type, Event::release);
    EXPECT_FLOAT_EQ(events[3].value, 0.7f);
}

TEST(KnobDrag, AKnobTakenAwayMidDragStillReleases)
{
    const auto param = AudioParameter::create(4, "mix", "Mix", Unit::generic, {0.0f, 1.0f}, 0.5f, Increment::linear(),
                                              std::nullopt, std::nullopt);
    const auto tree = au::ParameterTree::createTree({param->auParameter()});
    test::HostRecorder host(tree);
    QWidget window;
    auto* knob = new KnobControl(param, 6.0, 0.005f, frameCount, frameImage, &window);
    knob->resize(knob->sizeHint());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mousePress(knob, Qt::LeftButton, {}, pressPoint);
    QTest::mouseMove(knob, QPoint(pressPoint.x(), 14));
    QTest::mouseMove(knob, QPoint(pressPoint.x(), -6)); // 0.6
    ASSERT_TRUE(param->isBeingInteractivelyEdited());
    settle();
    // As when the view holding it is rebuilt on a later turn of the loop: deleted, never
    // hidden first.
    delete knob;
    settle();

    const auto events = host.events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].type, Event::touch);
    EXPECT_EQ(events[1].type, Event::value);
    EXPECT_EQ(events[2].type, Event::release);
    EXPECT_FLOAT_EQ(events[2].value, 0.6f);
    EXPECT_FALSE(param->isBeingInteractivelyEdited()) << "host values reach the parameter again";
    param->setValue(0.2f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    settle();
    EXPECT_EQ(param->value(), 0.2f);
}

// --- Clicks -----------------------------------------------------------------------------------

TEST(KnobClicks, DoubleClickAndOptionClickResetAsOneChange)
{
    const struct {
        const char* what;
        void (*click)(Bench&);
    } cases[] = {
        // Through the window, as the platform delivers it: press, release, press and double
        // click, release.
        {"double click", [](Bench& b) { QTest::mouseDClick(b.knob.windowHandle(), Qt::LeftButton, {}, pressPoint); }},
        {"Option-click", [](Bench& b) { QTest::mouseClick(&b.knob, Qt::LeftButton, ui::optionModifier, pressPoint); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b(ParameterSpec{Unit::decibels, {-60.0f, 12.0f}, Increment::linear(), -6.0f});
        b.param->setValue(3.5f, ParameterEditor::ui, ParameterEditorState::change);
        settle();
        b.host.clear();

        c.click(b);
        const auto events = b.host.events();
        ASSERT_EQ(events.size(), 1u) << "the default once, without touch or release";
        EXPECT_EQ(events[0].type, Event::value);
        EXPECT_EQ(events[0].value, -6.0f);
        EXPECT_EQ(b.editingChanges, 0);
        settle();
        EXPECT_EQ(b.param->value(), -6.0f);
        EXPECT_EQ(b.knob.imageIndex(), b.param->imageIndex(-6.0f, frameCount));
    }
}

TEST(KnobClicks, AClickAndAShortDragSendNothing)
{
    const struct {
        const char* what;
        qreal minDrag;
        std::vector<int> moves;
    } cases[] = {
        {"a plain click", 6.0, {}},
        {"5 of 6 points", 6.0, {15, 25, 17}},
        {"2 of 3 points", 3.0, {18}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b(unitRange, 0.005f, c.minDrag);
        b.press();
        for (const int y : c.moves)
            b.moveTo(y);
        b.release(c.moves.empty() ? pressPoint.y() : c.moves.back());
        settle();
        EXPECT_TRUE(b.host.events().empty());
        EXPECT_EQ(b.editingChanges, 0);
        EXPECT_EQ(b.param->value(), 0.5f);
    }
}

// --- The frame --------------------------------------------------------------------------------

TEST(KnobFrame, FollowsTheValueFromAnywhereAndRepaintsOnlyForANewFrame)
{
    Bench b(ParameterSpec{Unit::generic, {0.0f, 1.0f}, Increment::linear(), 0.5f});
    EXPECT_EQ(b.knob.sizeHint(), QSize(knobSize, knobSize)) << "the knob is as large as its image";
    EXPECT_EQ(b.knob.imageIndex(), 26);
    EXPECT_EQ(b.drawnFrame(), 26);

    PaintCounter paints(b.knob);
    const struct {
        float value;
        int frame;
        int paints;
    } steps[] = {
        {0.25f, 14, 1}, // 13.5 rounds up
        {0.251f, 14, 0},
        {1.0f, 51, 1},
        {0.0f, 1, 1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.value);
        paints.count = 0;
        b.param->setValue(step.value, ParameterEditor::parameterObserver, ParameterEditorState::change);
        settle();
        EXPECT_EQ(b.knob.imageIndex(), step.frame);
        EXPECT_EQ(paints.count, step.paints);
        EXPECT_EQ(b.drawnFrame(), step.frame);
    }
    EXPECT_TRUE(b.host.events().empty()) << "following the value sends nothing back";
}

TEST(KnobFrame, AKnobMadeLaterShowsTheCurrentValue)
{
    const auto param = AudioParameter::create(4, "mix", "Mix", Unit::generic, {0.0f, 1.0f}, 0.0f, Increment::linear(),
                                              std::nullopt, std::nullopt);
    param->setValue(1.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    settle();
    const KnobControl knob(param, 6.0, 0.005f, frameCount, frameImage);
    EXPECT_EQ(knob.imageIndex(), frameCount);
    const KnobControl single(param, 6.0, 0.005f, 1, frameImage);
    EXPECT_EQ(single.imageIndex(), 1) << "a strip of one frame always shows it";
}

} // namespace
} // namespace mossbell
