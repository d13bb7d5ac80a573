#include "ModelTestSupport.h"

#include "extension/ExtensionResources.h"
#include "extension/LargeDial.h"
#include "extension/SmallDial.h"

#include "Mossbell/DefaultLabelFormatter.h"
#include "Mossbell/DialLabel.h"
#include "Mossbell/tests/HostRecorder.h"
#include "platform/audiounit/ParameterTree.h"
#include "platform/ui/View.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>

#include "testing/WidgetProbes.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace zindle {
namespace {

using testing_support::PaintCounter;

using A = ParameterAddress;
using au::AutomationEventType;
using mossbell::ParameterEditor;
using mossbell::ParameterEditorState;

void settle()
{
    for (int i = 0; i < 3; ++i) {
        test::runMainQueue();
        QApplication::processEvents();
    }
}

/// A value arriving from the host's side, as the routing hands it to the parameter.
void setFromHost(mossbell::AudioParameter& param, float value)
{
    param.setValue(value, ParameterEditor::parameterObserver, ParameterEditorState::change);
    test::runMainQueue();
}

/// The model connected to the effect's Audio Unit, with a host listening to its tree.
struct Bench {
    test::ConnectedModel<> model;
    mossbell::test::HostRecorder host{model.unit->parameterTree()};

    const std::shared_ptr<Settings>& settings() const { return model.settings; }
};

LargeDial* largeDial(Bench& b, LargeDialStyle style, LevelBinding level = LevelBinding::voiceIn())
{
    return new LargeDial(b.settings(), b.settings()->outputGain(), level, style, 90);
}

/// A dial in a window of its own, which owns it (a dial shown as a window itself would ask the
/// platform for a window mask).
template <typename Dial>
struct Shown {
    explicit Shown(Dial* made, QSize size = QSize(240, 280)) : dial(made)
    {
        dial->setParent(&window);
        dial->setGeometry(QRect(QPoint(0, 0), size));
        window.resize(size);
    }
    Dial* operator->() const { return dial; }
    void show() { window.show(); }

    QWidget window;
    Dial* dial;
};

// ---- Frames ----------------------------------------------------------------------------------

TEST(DialFrames, LargeKnobFollowsTheValueFromTheFirstShowOn)
{
    const struct {
        LargeDialStyle style;
        float value;
        const char* name;
    } cases[] = {
        {LargeDialStyle::modern, -60.0f, "knobs/knob-big-white-00"},
        {LargeDialStyle::modern, 6.0f, "knobs/knob-big-white-89"},
        {LargeDialStyle::modern, 0.0f, "knobs/knob-big-white-80"},
        {LargeDialStyle::retro, -60.0f, "knobs/knob-chickenhead-00"},
        {LargeDialStyle::retro, 6.0f, "knobs/knob-chickenhead-89"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        // The value is there before the dial; the dial takes it up when it first shows.
        setFromHost(*b.settings()->outputGain(), c.value);
        Shown dial(largeDial(b, c.style));
        EXPECT_EQ(dial->imageIndex(), 0);
        dial.show();
        EXPECT_EQ(dial->knobFrameName(), c.name);

        // Then it follows every change.
        setFromHost(*b.settings()->outputGain(), -30.0f);
        EXPECT_EQ(dial->imageIndex(), 40) << "30 of 66 dB over 89 frames";
        setFromHost(*b.settings()->outputGain(), c.value);
        EXPECT_EQ(dial->knobFrameName(), c.name);
    }
}

TEST(DialFrames, FrameArithmeticStaysInsideTheStrip)
{
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    const mossbell::AudioParameter::ValueRange gain{-60.0f, 6.0f};
    const struct {
        const char* what;
        float value;
        mossbell::AudioParameter::ValueRange range;
        int imageCount;
        int frame;
    } knobs[] = {
        {"bottom", -60.0f, gain, 90, 0},
        {"top", 6.0f, gain, 90, 89},
        {"truncated, not rounded", 0.0f, gain, 90, 80},
        {"below the range", -90.0f, gain, 90, 0},
        {"above the range", 60.0f, gain, 90, 89},
        {"NaN", nan, gain, 90, 0},
        {"minus infinity", -inf, gain, 90, 0},
        {"infinity", inf, gain, 90, 89},
        {"a range of one value", 5.0f, {5.0f, 5.0f}, 90, 0},
        {"one frame", 6.0f, gain, 1, 0},
        {"no frames", 6.0f, gain, 0, 0},
    };
    for (const auto& c : knobs) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(knobFrame(c.value, c.range, c.imageCount), c.frame);
    }
    const struct {
        double level;
        int lastFrame;
        int frame;
    } meters[] = {
        {-10.0, 25, 0}, {4.99, 25, 0}, {5.0, 25, 1}, {99.9, 25, 24}, {100.0, 25, 25}, {250.0, 25, 25},
        {std::numeric_limits<double>::quiet_NaN(), 25, 0}, {std::numeric_limits<double>::infinity(), 18, 18},
    };
    for (const auto& c : meters) {
        SCOPED_TRACE(c.level);
        EXPECT_EQ(meterFrame(c.level, c.lastFrame), c.frame);
    }
}

TEST(DialFrames, MeterFollowsItsLevel)
{
    const struct {
        LargeDialStyle style;
        double level;
        const char* name;
    } cases[] = {
        {LargeDialStyle::modern, 4.9, "meter/modern-meter-00"},
        {LargeDialStyle::modern, 5.0, "meter/modern-meter-01"},
        {LargeDialStyle::modern, 50.0, "meter/modern-meter-12"},
        {LargeDialStyle::modern, 100.0, "meter/modern-meter-25"},
        {LargeDialStyle::retro, 4.9, "meter/retro-meter-00"},
        {LargeDialStyle::retro, 50.0, "meter/retro-meter-09"},
        {LargeDialStyle::retro, 100.0, "meter/retro-meter-18"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        b.settings()->updateLevels(0.0, c.level, 0.0);
        Shown dial(largeDial(b, c.style));
        dial.show();
        EXPECT_EQ(dial->meterFrameName(), c.name) << "at the first show";

        b.settings()->updateLevels(0.0, 0.0, 0.0);
        EXPECT_EQ(dial->meterIndex(), 0);
        b.settings()->updateLevels(0.0, c.level, 0.0);
        EXPECT_EQ(dial->meterFrameName(), c.name) << "after a change";
    }
}

TEST(DialFrames, EachDialReadsItsOwnLevel)
{
    Bench b;
    Shown synth(largeDial(b, LargeDialStyle::modern, LevelBinding::synthIn()));
    Shown voice(largeDial(b, LargeDialStyle::modern, LevelBinding::voiceIn()));
    Shown out(largeDial(b, LargeDialStyle::modern, LevelBinding::out()));
    for (auto* dial : {&synth, &voice, &out})
        dial->show();
    b.settings()->updateLevels(100.0, 50.0, 20.0);
    EXPECT_EQ(synth->meterIndex(), 25);
    EXPECT_EQ(voice->meterIndex(), 12);
    EXPECT_EQ(out->meterIndex(), 5);
}

TEST(DialFrames, SmallKnobOfEachColour)
{
    const struct {
        SmallDialColor color;
        float value;
        const char* name;
    } cases[] = {
        {SmallDialColor::yellow, 0.5f, "knobs/knob-small-yellow-44"},
        {SmallDialColor::blue, 0.0f, "knobs/knob-small-blue-00"},
        {SmallDialColor::red, 1.0f, "knobs/knob-small-red-89"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        const auto& threshold = b.settings()->whiteNoiseThreshold(); // 0 to 1
        Shown dial(new SmallDial(b.settings(), threshold, c.color, 90));
        dial.show();
        EXPECT_EQ(dial->imageIndex(), 26) << "the default 0.3 at the first show";
        setFromHost(*threshold, c.value);
        EXPECT_EQ(dial->knobFrameName(), c.name);
    }
}

TEST(DialFrames, StripViewsRepaintOnlyForANewFrame)
{
    Bench b;
    setFromHost(*b.settings()->outputGain(), 0.0f);
    b.settings()->updateLevels(0.0, 50.0, 0.0);
    Shown dial(largeDial(b, LargeDialStyle::modern), QSize(200, 270));
    dial.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dial.window));
    settle();
    PaintCounter knob(*dial->knobView());
    PaintCounter meter(*dial->meterView());

    b.settings()->updateLevels(0.0, 50.5, 0.0); // frame 12 still
    settle();
    EXPECT_EQ(dial->meterIndex(), 12);
    EXPECT_EQ(meter.count, 0);
    EXPECT_EQ(knob.count, 0);

    // The label shows the new value; the meter above it is drawn again with it, the knob not.
    setFromHost(*b.settings()->outputGain(), -0.3f); // frame 80 still
    settle();
    EXPECT_EQ(dial->imageIndex(), 80);
    EXPECT_EQ(knob.count, 0);

    setFromHost(*b.settings()->outputGain(), 6.0f);
    settle();
    EXPECT_GE(knob.count, 1);
    b.settings()->updateLevels(0.0, 80.0, 0.0);
    settle();
    EXPECT_GE(meter.count, 1);
}

// ---- Composition -----------------------------------------------------------------------------

TEST(DialParts, EachPartWithItsOffsetLabelOptionsAndColours)
{
    const struct {
        const char* what;
        std::function<ui::Stack*(Bench&)> make;
        std::function<ui::View*(ui::Stack&)> knob;
        std::function<mossbell::DialLabel*(ui::Stack&)> label;
        std::function<ui::View*(ui::Stack&)> meter;
        qreal knobOffset;
        std::optional<QSizeF> knobFrame;
        qreal labelOffset;
        ColorAsset nameColor;
        ColorAsset valueColor;
        std::size_t layers; ///< the modern large dial has the "modern-area" panel at the back
    } cases[] = {
        {"large modern", [](Bench& b) -> ui::Stack* { return largeDial(b, LargeDialStyle::modern); },
         [](ui::Stack& d) { return static_cast<LargeDial&>(d).knobView(); },
         [](ui::Stack& d) { return static_cast<LargeDial&>(d).label(); },
         [](ui::Stack& d) -> ui::View* { return static_cast<LargeDial&>(d).meterView(); }, -17, std::nullopt, 80,
         ColorAsset::labels, ColorAsset::values, 4},
        {"large retro", [](Bench& b) -> ui::Stack* { return largeDial(b, LargeDialStyle::retro); },
         [](ui::Stack& d) { return static_cast<LargeDial&>(d).knobView(); },
         [](ui::Stack& d) { return static_cast<LargeDial&>(d).label(); },
         [](ui::Stack& d) -> ui::View* { return static_cast<LargeDial&>(d).meterView(); }, -18, std::nullopt, 80,
         ColorAsset::background, ColorAsset::background, 3},
        {"small",
         [](Bench& b) -> ui::Stack* {
             return new SmallDial(b.settings(), b.settings()->outputGain(), SmallDialColor::red, 90);
         },
         [](ui::Stack& d) { return static_cast<SmallDial&>(d).knobView(); },
         [](ui::Stack& d) { return static_cast<SmallDial&>(d).label(); },
         [](ui::Stack&) -> ui::View* { return nullptr; }, -16, QSizeF(74, 84), 50, ColorAsset::labels,
         ColorAsset::values, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b;
        const std::unique_ptr<ui::Stack> dial(c.make(b));
        EXPECT_EQ(dial->children().size(), c.layers);

        const ui::Placement* knob = dial->placement(c.knob(*dial));
        ASSERT_NE(knob, nullptr);
        EXPECT_EQ(knob->offset, QPointF(0, c.knobOffset));
        EXPECT_EQ(knob->frame.has_value(), c.knobFrame.has_value());
        if (knob->frame && c.knobFrame) {
            EXPECT_EQ(QSizeF(knob->frame->width.value_or(-1), knob->frame->height.value_or(-1)), *c.knobFrame);
        }
        if (ui::View* meter = c.meter(*dial)) {
            ASSERT_NE(dial->placement(meter), nullptr);
            EXPECT_EQ(dial->placement(meter)->offset, QPointF(0, -24));
            EXPECT_EQ(dial->children().back(), meter) << "the meter is the top layer";
        }

        mossbell::DialLabel& label = *c.label(*dial);
        ASSERT_NE(dial->placement(&label), nullptr);
        EXPECT_EQ(dial->placement(&label)->offset, QPointF(0, c.labelOffset));
        EXPECT_EQ(label.param(), b.settings()->outputGain());
        EXPECT_EQ(label.color(), Colors::of(c.nameColor).value());
        EXPECT_EQ(label.font(), mossbell::MossFont::zindle);
        const mossbell::LabelDisplayOptions& options = label.displayOptions();
        EXPECT_EQ(options.valueColor, Colors::of(c.valueColor).value());
        EXPECT_EQ(options.labelFontSize, 13);
        EXPECT_EQ(options.valueFontSize, 18);
        EXPECT_EQ(options.editingFontSize, 18);
        EXPECT_TRUE(options.showSuffix);
        EXPECT_TRUE(options.showName);
        EXPECT_EQ(options.labelWidth, 60);
        const auto* formatter = dynamic_cast<const mossbell::DefaultLabelFormatter*>(&label.formatter());
        ASSERT_NE(formatter, nullptr);
        EXPECT_EQ(formatter->decimalPlaces(), 1);
    }
}

// ---- Gestures --------------------------------------------------------------------------------

// Both dials, driven the same way through the view that carries their gestures.
struct DialKind {
    const char* name;
    std::function<QWidget*(Bench&)> make;
    std::function<ui::View*(QWidget&)> gestureView;
    std::function<ui::View*(QWidget&)> knobView;
    std::function<int(QWidget&)> imageIndex;
    std::function<mossbell::DialLabel*(QWidget&)> label;
};

const DialKind dialKinds[] = {
    {"large", [](Bench& b) -> QWidget* { return largeDial(b, LargeDialStyle::modern); },
     [](QWidget& w) { return static_cast<LargeDial&>(w).gestureView(); },
     [](QWidget& w) { return static_cast<LargeDial&>(w).knobView(); },
     [](QWidget& w) { return static_cast<LargeDial&>(w).imageIndex(); },
     [](QWidget& w) { return static_cast<LargeDial&>(w).label(); }},
    {"small",
     [](Bench& b) -> QWidget* {
         return new SmallDial(b.settings(), b.settings()->outputGain(), SmallDialColor::blue, 90);
     },
     [](QWidget& w) { return static_cast<SmallDial&>(w).gestureView(); },
     [](QWidget& w) { return static_cast<SmallDial&>(w).knobView(); },
     [](QWidget& w) { return static_cast<SmallDial&>(w).imageIndex(); },
     [](QWidget& w) { return static_cast<SmallDial&>(w).label(); }},
};

void sendMouse(QWidget& view, QEvent::Type type, QPointF at, Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, at, view.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, modifiers);
    QApplication::sendEvent(&view, &event);
}

struct HostEvent {
    AutomationEventType type;
    float value;
};

void expectHeard(const Bench& b, const std::vector<HostEvent>& expected)
{
    const auto events = b.host.events();
    ASSERT_EQ(events.size(), expected.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i].address, A::outputGain);
        EXPECT_EQ(events[i].type, expected[i].type);
        EXPECT_FLOAT_EQ(events[i].value, expected[i].value);
    }
}

TEST(DialInput, TheDialOnTopTakesThePress)
{
    for (const DialKind& kind : dialKinds) {
        SCOPED_TRACE(kind.name);
        Bench b;
        Shown dial(kind.make(b));
        dial.show();
        ui::View* view = kind.gestureView(*dial.dial);
        EXPECT_EQ(dial->childAt(view->geometry().center()), view);
        EXPECT_EQ(dial->childAt(kind.knobView(*dial.dial)->geometry().center()), view) << "over the knob";
    }
}

TEST(DialInput, VerticalDragMovesTheValueWithTouchAndRelease)
{
    using T = AutomationEventType;
    const struct {
        const char* what;
        std::vector<qreal> moves; // vertical travel from the press, in points
        float expected;
        int frame;
        std::vector<HostEvent> heard;
    } cases[] = {
        // The drag starts 6 points out; the next 10 points, in two steps, raise the gain by
        // 10 x 0.005 x 66 dB.
        {"up 10 points",
         {-6, -11, -16},
         3.3f,
         85,
         {{T::touch, 0.0f}, {T::value, 1.65f}, {T::value, 3.3f}, {T::release, 3.3f}}},
        {"far above the range", {-6, -300}, 6.0f, 89, {{T::touch, 0.0f}, {T::value, 6.0f}, {T::release, 6.0f}}},
        {"far below the range", {7, 400}, -60.0f, 0, {{T::touch, 0.0f}, {T::value, -60.0f}, {T::release, -60.0f}}},
        {"shorter than 6 points", {-3, -5.9}, 0.0f, 80, {}},
    };
    for (const DialKind& kind : dialKinds) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.what);
            Bench b;
            Shown dial(kind.make(b));
            dial.show();
            const auto& gain = b.settings()->outputGain();
            ui::View& view = *kind.gestureView(*dial.dial);
            const QPointF start = QRectF(view.rect()).center();

            sendMouse(view, QEvent::MouseButtonPress, start);
            for (const qreal travel : c.moves)
                sendMouse(view, QEvent::MouseMove, start + QPointF(0, travel));
            const bool dragged = !c.heard.empty();
            EXPECT_EQ(gain->isBeingInteractivelyEdited(), dragged);
            sendMouse(view, QEvent::MouseButtonRelease, start + QPointF(0, c.moves.back()));
            settle();

            expectHeard(b, c.heard);
            EXPECT_FLOAT_EQ(gain->value(), c.expected);
            EXPECT_FALSE(gain->isBeingInteractivelyEdited());
            EXPECT_EQ(kind.imageIndex(*dial.dial), c.frame);
        }
    }
}

TEST(DialInput, DoubleClickAndOptionClickReset)
{
    using E = QEvent;
    const struct {
        const char* what;
        std::vector<E::Type> clicks;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {"double click",
         {E::MouseButtonPress, E::MouseButtonRelease, E::MouseButtonDblClick, E::MouseButtonRelease},
         {}},
        {"Option click", {E::MouseButtonPress, E::MouseButtonRelease}, ui::optionModifier},
    };
    for (const DialKind& kind : dialKinds) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.what);
            Bench b;
            Shown dial(kind.make(b));
            dial.show();
            const auto& gain = b.settings()->outputGain();
            setFromHost(*gain, -30.0f);
            ui::View& view = *kind.gestureView(*dial.dial);
            for (const E::Type type : c.clicks)
                sendMouse(view, type, QRectF(view.rect()).center(), c.modifiers);
            settle();

            expectHeard(b, {{AutomationEventType::value, 0.0f}});
            EXPECT_EQ(gain->value(), gain->defaultValue());
            EXPECT_EQ(kind.imageIndex(*dial.dial), 80);
        }
    }
}

TEST(DialInput, APlainClickChangesNothing)
{
    for (const DialKind& kind : dialKinds) {
        SCOPED_TRACE(kind.name);
        Bench b;
        Shown dial(kind.make(b));
        dial.show();
        setFromHost(*b.settings()->outputGain(), -30.0f);
        ui::View& view = *kind.gestureView(*dial.dial);
        sendMouse(view, QEvent::MouseButtonPress, QRectF(view.rect()).center());
        sendMouse(view, QEvent::MouseButtonRelease, QRectF(view.rect()).center());
        settle();
        expectHeard(b, {});
        EXPECT_EQ(b.settings()->outputGain()->value(), -30.0f);
    }
}

TEST(DialInput, ADialTakenAwayMidDragStillReleases)
{
    for (const DialKind& kind : dialKinds) {
        SCOPED_TRACE(kind.name);
        Bench b;
        Shown dial(kind.make(b));
        dial.show();
        ui::View& view = *kind.gestureView(*dial.dial);
        sendMouse(view, QEvent::MouseButtonPress, QPointF(20, 40));
        sendMouse(view, QEvent::MouseMove, QPointF(20, 30));
        delete dial.dial;
        settle();
        expectHeard(b, {{AutomationEventType::touch, 0.0f}, {AutomationEventType::release, 0.0f}});
        EXPECT_FALSE(b.settings()->outputGain()->isBeingInteractivelyEdited());
    }
}

// ---- Automation ------------------------------------------------------------------------------

TEST(DialAutomation, HostChangesMoveTheKnob)
{
    const struct {
        const char* what;
        std::function<void(Bench&, float)> automate;
    } cases[] = {
        {"a render event, then the poll",
         [](Bench& b, float value) {
             b.model.unit->kernel().setParameter(A::outputGain, value, true);
             b.settings()->pollKernel();
         }},
        {"the host sets the tree parameter",
         [](Bench& b, float value) {
             b.settings()->outputGain()->auParameter()->setValue(value, b.host.token(), 0, AutomationEventType::value);
         }},
    };
    for (const DialKind& kind : dialKinds) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.what);
            Bench b;
            Shown dial(kind.make(b));
            dial.show();
            ASSERT_EQ(kind.imageIndex(*dial.dial), 80);
            c.automate(b, -60.0f);
            EXPECT_EQ(kind.imageIndex(*dial.dial), 80) << "not before the main queue runs";
            test::runMainQueue();
            EXPECT_EQ(kind.imageIndex(*dial.dial), 0);
            c.automate(b, 6.0f);
            test::runMainQueue();
            EXPECT_EQ(kind.imageIndex(*dial.dial), 89);
        }
    }
}

// ---- Keyboard after a label edit ----------------------------------------------------------

TEST(DialLabelEdit, EndingAnEditGivesTheKeyboardBack)
{
    enum class Focus { responder, window, nowhere };
    const struct {
        const char* what;
        Qt::Key key;
        bool responderGone;
        bool windowGone;
        Focus expected;
    } cases[] = {
        {"Escape: to the main responder", Qt::Key_Escape, false, false, Focus::responder},
        {"Return: to the main responder", Qt::Key_Return, false, false, Focus::responder},
        {"responder gone: to the window itself", Qt::Key_Escape, true, false, Focus::window},
        {"window gone: nothing", Qt::Key_Escape, false, true, Focus::nowhere},
    };
    for (const DialKind& kind : dialKinds) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.what);
            Bench b;
            QWidget window;
            auto* responder = new QLineEdit(&window);
            auto* layout = new QVBoxLayout(&window);
            layout->addWidget(responder);
            QWidget* dial = kind.make(b);
            mossbell::DialLabel* label = kind.label(*dial);
            layout->addWidget(dial);
            window.resize(300, 400);
            window.show();
            window.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
            responder->setFocus();
            b.settings()->setPluginWindow(&window);
            b.settings()->setPluginMainResponder(responder);
            auto gone = std::make_unique<QWidget>();
            if (c.windowGone) {
                b.settings()->setPluginWindow(gone.get());
                gone.reset();
                ASSERT_EQ(b.settings()->pluginWindow(), nullptr);
            }

            QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
            ASSERT_TRUE(label->isEditing());
            ASSERT_TRUE(label->field()->hasFocus());
            if (c.responderGone) {
                delete responder;
                responder = nullptr;
                ASSERT_EQ(b.settings()->pluginMainResponder(), nullptr);
            }
            QTest::keyClick(label->field(), c.key);

            EXPECT_FALSE(label->isEditing());
            switch (c.expected) {
            case Focus::responder: EXPECT_TRUE(responder->hasFocus()); break;
            case Focus::window: EXPECT_EQ(QApplication::focusWidget(), &window); break;
            case Focus::nowhere:
                EXPECT_FALSE(responder->hasFocus());
                EXPECT_NE(QApplication::focusWidget(), &window);
                break;
            }
        }
    }
}

// ---- Pictures --------------------------------------------------------------------------------

// Renders a widget at 2x over a ground and writes it to the frames folder to be looked at.
QImage renderPicture(QWidget& widget, const std::function<void(QPainter&)>& ground, const QString& name)
{
    const qreal ratio = 2.0;
    QImage image((QSizeF(widget.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    {
        QPainter painter(&image);
        ground(painter);
    }
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QDir().mkpath(ZINDLE_FRAMES_DIR);
    const QString path = QStringLiteral(ZINDLE_FRAMES_DIR "/%1@2x.png").arg(name);
    EXPECT_TRUE(image.save(path)) << path.toStdString();
    return image;
}

// Pixels inside rect (points) that differ between two pictures of the same size.
int differingPixels(const QImage& a, const QImage& b, const QRect& rect)
{
    const QRect pixels(rect.topLeft() * 2, rect.size() * 2);
    int count = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

TEST(DialPictures, LargeDialsShowTheirKnobAndMeter)
{
    const auto darkGround = [](QPainter& p) { p.fillRect(QRect(0, 0, 1000, 1000), Colors::background().value()); };
    const auto retroGround = [](QPainter& p) { p.drawImage(QPointF(-55, -5), Images::retroBackground().image(2.0)); };
    const struct {
        LargeDialStyle style;
        const char* name;
        std::function<void(QPainter&)> ground;
    } cases[] = {
        {LargeDialStyle::modern, "large-dial-modern", darkGround},
        {LargeDialStyle::retro, "large-dial-retro", retroGround},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        Shown dial(largeDial(b, c.style), QSize(200, 270));
        dial.show();
        setFromHost(*b.settings()->outputGain(), -60.0f);
        settle();
        const QImage quiet = renderPicture(dial.window, c.ground, QString(c.name) + "-quiet");

        setFromHost(*b.settings()->outputGain(), -6.0f);
        b.settings()->updateLevels(0.0, 72.0, 0.0);
        settle();
        const QImage loud = renderPicture(dial.window, c.ground, c.name);
        EXPECT_GT(differingPixels(quiet, loud, dial->knobView()->geometry()), 1000) << "the knob turned";
        EXPECT_GT(differingPixels(quiet, loud, dial->meterView()->geometry()), 1000) << "the meter lit";
    }
}

TEST(DialPictures, SmallDialsOfEachColour)
{
    Bench b;
    QWidget row;
    auto* layout = new QHBoxLayout(&row);
    layout->setContentsMargins(0, 0, 0, 0);
    setFromHost(*b.settings()->whiteNoiseThreshold(), 0.7f);
    setFromHost(*b.settings()->formantShift(), -450.0f);
    std::vector<SmallDial*> dials{
        new SmallDial(b.settings(), b.settings()->whiteNoiseThreshold(), SmallDialColor::blue, 90),
        new SmallDial(b.settings(), b.settings()->formantShift(), SmallDialColor::yellow, 90),
        new SmallDial(b.settings(), b.settings()->whiteNoiseLevel(), SmallDialColor::red, 90),
    };
    for (SmallDial* dial : dials) {
        dial->setFixedSize(150, 180);
        layout->addWidget(dial);
    }
    row.show();
    settle();
    const QImage picture = renderPicture(
        row, [](QPainter& p) { p.fillRect(QRect(0, 0, 1000, 1000), Colors::background().value()); }, "small-dials");
    for (SmallDial* dial : dials) {
        const QRect knob(dial->knobView()->mapTo(&row, QPoint(0, 0)), dial->knobView()->size());
        const QRgb ground = picture.pixel(0, 0);
        int ink = 0;
        for (int y = knob.top() * 2; y < knob.bottom() * 2; ++y)
            for (int x = knob.left() * 2; x < knob.right() * 2; ++x)
                ink += picture.pixel(x, y) != ground;
        EXPECT_GT(ink, knob.width() * knob.height()) << dial->knobFrameName().toStdString();
    }
    EXPECT_EQ(dials[0]->knobFrameName(), "knobs/knob-small-blue-62");
}

} // namespace
} // namespace zindle
