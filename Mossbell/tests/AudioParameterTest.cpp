#include "HostRecorder.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/UnitSuffix.h"

#include "platform/audiounit/HostTime.h"
#include "platform/audiounit/ParameterTree.h"
#include "platform/foundation/Observation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

namespace mossbell {
namespace {

using au::ParameterUnit;
using Increment = AudioParameter::ValueIncrement;
using test::HostRecorder;
using test::runMainQueue;
namespace flag = au::parameterFlag;

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

std::shared_ptr<AudioParameter> makeParameter(ParameterUnit units = ParameterUnit::decibels, float lower = -60.0f,
                                              float upper = 6.0f, float defaultValue = 0.0f,
                                              std::optional<std::vector<std::string>> strings = std::nullopt,
                                              std::optional<std::vector<au::ParameterAddress>> dependents = std::nullopt)
{
    return AudioParameter::create(4, "outputGain", "Output", units, {lower, upper}, defaultValue, Increment::linear(),
                                  std::move(strings), std::move(dependents));
}

TEST(UnitSuffix, FourUnitsHaveASuffixEveryOtherNone)
{
    for (std::uint32_t code = 0; code <= 26; ++code) {
        const auto unit = static_cast<ParameterUnit>(code);
        std::string_view expected;
        switch (unit) {
        case ParameterUnit::percent: expected = "%"; break;
        case ParameterUnit::hertz: expected = "Hz"; break;
        case ParameterUnit::decibels: expected = "dB"; break;
        case ParameterUnit::milliseconds: expected = "MS"; break;
        default: break;
        }
        EXPECT_EQ(displayableSuffix(unit), expected) << "unit " << code;
    }
}

struct FlagCase {
    const char* label;
    ParameterUnit units;
    std::optional<std::vector<std::string>> strings;
    std::optional<std::vector<au::ParameterAddress>> dependents;
    std::uint32_t flags;
    const char* unitName;
};

TEST(AudioParameter, TreeParameterFlagsAndUnitName)
{
    const std::vector<FlagCase> cases{
        {"plain", ParameterUnit::generic, std::nullopt, std::nullopt, 0xC000'0000, ""},
        {"empty dependents", ParameterUnit::generic, std::nullopt, std::vector<au::ParameterAddress>{}, 0xC000'0000, ""},
        {"one dependent", ParameterUnit::generic, std::nullopt, std::vector<au::ParameterAddress>{3}, 0xD010'0000, ""},
        {"empty strings", ParameterUnit::indexed, std::vector<std::string>{}, std::nullopt, 0xC000'0000, ""},
        {"strings", ParameterUnit::indexed, std::vector<std::string>{"A", "B"}, std::nullopt, 0xC020'0000, ""},
        {"strings and dependents", ParameterUnit::indexed, std::vector<std::string>{"A"},
         std::vector<au::ParameterAddress>{1, 2}, 0xD030'0000, ""},
        {"decibels ramp", ParameterUnit::decibels, std::nullopt, std::nullopt, 0xC200'0000, "dB"},
        {"linear gain ramps", ParameterUnit::linearGain, std::nullopt, std::nullopt, 0xC200'0000, ""},
        {"absolute cents ramp", ParameterUnit::absoluteCents, std::nullopt, std::nullopt, 0xC200'0000, ""},
        {"cents do not", ParameterUnit::cents, std::nullopt, std::nullopt, 0xC000'0000, ""},
        {"milliseconds", ParameterUnit::milliseconds, std::nullopt, std::nullopt, 0xC000'0000, "MS"},
        {"percent", ParameterUnit::percent, std::nullopt, std::nullopt, 0xC000'0000, "%"},
        {"hertz", ParameterUnit::hertz, std::nullopt, std::nullopt, 0xC000'0000, "Hz"},
    };
    for (const FlagCase& c : cases) {
        const auto p = makeParameter(c.units, 0.0f, 1.0f, 0.0f, c.strings, c.dependents);
        const au::Parameter& tree = *p->auParameter();
        EXPECT_EQ(tree.flags(), c.flags) << c.label;
        EXPECT_EQ(tree.unitName(), c.unitName) << c.label;
        EXPECT_EQ(p->displayableSuffix(), c.unitName) << c.label;
        EXPECT_EQ(tree.dependentParameters(), c.dependents) << c.label << ": kept as given, empty or absent";
        EXPECT_EQ(tree.valueStrings(), c.strings) << c.label;
    }
}

TEST(AudioParameter, TreeParameterTakesTheFieldsAndTheDefault)
{
    const auto p = AudioParameter::create(13, "retroMode", "Retro Mode", ParameterUnit::indexed, {0.0f, 2.0f}, 2.0f,
                                          Increment::linear(), std::vector<std::string>{"Nuvo", "Tazmania", "Talkbox"},
                                          std::vector<au::ParameterAddress>{7, 1, 2});
    const au::Parameter& tree = *p->auParameter();
    EXPECT_EQ(tree.identifier(), "retroMode");
    EXPECT_EQ(p->id(), "retroMode");
    EXPECT_EQ(tree.displayName(), "Retro Mode");
    EXPECT_EQ(tree.address(), 13u);
    EXPECT_EQ(tree.minValue(), 0.0f);
    EXPECT_EQ(tree.maxValue(), 2.0f);
    EXPECT_EQ(tree.unit(), ParameterUnit::indexed);
    EXPECT_EQ(tree.storedValue(), 2.0f);
    EXPECT_EQ((*tree.dependentParameters()), (std::vector<au::ParameterAddress>{7, 1, 2})) << "order kept";
    EXPECT_EQ(p->value(), 2.0f);
    EXPECT_FALSE(p->isBeingInteractivelyEdited());
    EXPECT_TRUE(p->isIndexed());
}

TEST(AudioParameter, DerivedValuesOfAbsoluteCents)
{
    const auto cents = makeParameter(ParameterUnit::absoluteCents, -1200.0f, 1200.0f, -200.0f);
    EXPECT_FLOAT_EQ(cents->displayableValue(), -2.0f);
    EXPECT_FLOAT_EQ(cents->displayScaleFactor(), 100.0f);
    EXPECT_FLOAT_EQ(cents->saveScaleFactor(), 0.01f);
    EXPECT_FALSE(cents->isIndexed());

    const auto decibels = makeParameter(ParameterUnit::decibels, -60.0f, 6.0f, -20.0f);
    EXPECT_FLOAT_EQ(decibels->displayableValue(), -20.0f);
    EXPECT_FLOAT_EQ(decibels->displayScaleFactor(), 1.0f);
    EXPECT_FLOAT_EQ(decibels->saveScaleFactor(), 1.0f);
}

TEST(AudioParameter, DummyParam)
{
    const auto dummy = AudioParameter::dummyParam();
    EXPECT_EQ(dummy->address(), 0u);
    EXPECT_TRUE(dummy->identifier().empty());
    EXPECT_TRUE(dummy->name().empty());
    EXPECT_EQ(dummy->units(), ParameterUnit::customUnit);
    EXPECT_EQ(dummy->valueRange().lower, 0.0f);
    EXPECT_EQ(dummy->valueRange().upper, 0.0f);
    EXPECT_EQ(dummy->valueIncrement(), Increment::linear());
    EXPECT_FALSE(dummy->valueStrings());
    EXPECT_FALSE(dummy->dependentParameterAddresses());
    EXPECT_EQ(dummy->auParameter()->flags(), 0xC000'0000u);
    EXPECT_EQ(dummy->auParameter()->unitName(), "");
    EXPECT_EQ(dummy->auParameter()->storedValue(), 0.0f);
}

TEST(AudioParameter, ValueIncrementEquality)
{
    struct Case {
        Increment a;
        Increment b;
        bool equal;
    };
    const Case cases[] = {
        {Increment::linear(), Increment::linear(), true},
        {Increment::logarithmic(), Increment::logarithmic(), true},
        {Increment::logarithmic(440.0f), Increment::logarithmic(440.0f), true},
        {Increment::logarithmic(440.0f), Increment::logarithmic(441.0f), false},
        {Increment::logarithmic(440.0f), Increment::logarithmic(), false},
        {Increment::logarithmic(), Increment::linear(), false},
        {Increment::logarithmic(0.0f), Increment::linear(), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
    }
    EXPECT_FALSE(Increment::linear().isLogarithmic());
    EXPECT_EQ(Increment::logarithmic(1000.0f).midpoint(), 1000.0f);
}

TEST(AudioParameterDeath, NaNBoundIsAProgrammingError)
{
    EXPECT_DEATH(makeParameter(ParameterUnit::generic, nan, 1.0f), "range bound is NaN");
}

// A parameter in a tree with a host listening.
class AudioParameterRouting : public ::testing::Test {
protected:
    std::shared_ptr<AudioParameter> p = makeParameter(ParameterUnit::decibels, -60.0f, 6.0f, -20.0f);
    std::shared_ptr<au::ParameterTree> tree = au::ParameterTree::createTree({p->auParameter()});
    HostRecorder host{tree};
};

TEST_F(AudioParameterRouting, ValuesAreClampedOnTheWayToHostAndView)
{
    struct Case {
        float in;
        float out;
    };
    const Case cases[] = {{7.0f, 6.0f}, {-61.0f, -60.0f}, {nan, -60.0f}, {inf, 6.0f},
                          {-inf, -60.0f}, {-3.5f, -3.5f}, {6.0f, 6.0f}};
    for (const Case& c : cases) {
        host.clear();
        p->setValue(c.in, ParameterEditor::ui, ParameterEditorState::endInteractive);
        runMainQueue();
        const auto events = host.events();
        ASSERT_EQ(events.size(), 1u) << c.in;
        EXPECT_EQ(events[0].value, c.out) << c.in;
        EXPECT_EQ(p->auParameter()->storedValue(), c.out) << c.in;
        EXPECT_EQ(p->value(), c.out) << c.in;
    }
}

TEST_F(AudioParameterRouting, RepeatedChangeSendsAndSchedulesNothing)
{
    p->setValue(-3.0f, ParameterEditor::ui, ParameterEditorState::change);
    runMainQueue();
    host.clear();

    std::weak_ptr<AudioParameter> watch = p;
    p->setValue(-3.0f, ParameterEditor::ui, ParameterEditorState::change);
    p->setValue(-3.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    p->setValue(7.0f, ParameterEditor::ui, ParameterEditorState::change); // clamps to 6: a change
    EXPECT_EQ(host.events().size(), 1u);
    p.reset();
    EXPECT_FALSE(watch.expired()) << "the queued change keeps its parameter alive";
    runMainQueue();
    EXPECT_TRUE(watch.expired());

    // Nothing queued for a repeat: the last reference goes at once.
    p = makeParameter(ParameterUnit::decibels, -60.0f, 6.0f, -20.0f);
    watch = p;
    p->setValue(-20.0f, ParameterEditor::ui, ParameterEditorState::change);
    p.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_F(AudioParameterRouting, TouchAndReleaseReachTheHostAtTheCurrentHostTimeEvenUnchanged)
{
    struct Case {
        ParameterEditorState state;
        au::AutomationEventType type;
    };
    const Case cases[] = {{ParameterEditorState::beginInteractive, au::AutomationEventType::touch},
                          {ParameterEditorState::change, au::AutomationEventType::value},
                          {ParameterEditorState::endInteractive, au::AutomationEventType::release}};
    const float values[] = {-20.0f, -10.0f, -10.0f}; // the release repeats the value
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        host.clear();
        const std::uint64_t before = au::currentHostTime();
        p->setValue(values[i], ParameterEditor::ui, cases[i].state);
        const std::uint64_t after = au::currentHostTime();
        runMainQueue();
        const auto events = host.events();
        ASSERT_EQ(events.size(), 1u) << i;
        EXPECT_EQ(events[0].type, cases[i].type) << i;
        EXPECT_EQ(events[0].value, values[i]) << i;
        EXPECT_EQ(events[0].address, 4u);
        EXPECT_GE(events[0].hostTime, before) << i;
        EXPECT_LE(events[0].hostTime, after) << i;
    }
}

TEST_F(AudioParameterRouting, ChangesFromTheObserverNeverTouchTheTree)
{
    p->setValue(-7.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    p->setValue(-8.0f, ParameterEditor::parameterObserver, ParameterEditorState::beginInteractive);
    runMainQueue();
    EXPECT_TRUE(host.events().empty());
    EXPECT_EQ(p->auParameter()->storedValue(), -20.0f);
    EXPECT_EQ(p->value(), -8.0f);
}

TEST_F(AudioParameterRouting, HostUpdatesAreDroppedWhileTheUserDrags)
{
    p->setBeingInteractivelyEdited(true);
    p->setValue(-7.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    runMainQueue();
    EXPECT_EQ(p->value(), -20.0f) << "a dragged control does not jump to the host's value";

    p->setValue(-5.0f, ParameterEditor::ui, ParameterEditorState::change);
    runMainQueue();
    EXPECT_EQ(p->value(), -5.0f);

    // Queued before the drag ended, run after: applies.
    p->setValue(-9.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    p->setBeingInteractivelyEdited(false);
    runMainQueue();
    EXPECT_EQ(p->value(), -9.0f);
}

TEST_F(AudioParameterRouting, ObserversHearRealChangesOnly)
{
    std::vector<float> heard;
    auto token = p->observeValue([&](float v) { heard.push_back(v); });
    std::vector<bool> editing;
    auto editToken = p->observeBeingInteractivelyEdited([&](bool e) { editing.push_back(e); });

    p->setValue(-1.0f, ParameterEditor::ui, ParameterEditorState::beginInteractive);
    p->setValue(-1.0f, ParameterEditor::ui, ParameterEditorState::endInteractive);
    p->setValue(-2.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    runMainQueue();
    EXPECT_EQ(heard, (std::vector<float>{-1.0f, -2.0f}));

    p->setBeingInteractivelyEdited(true);
    p->setBeingInteractivelyEdited(true);
    p->setBeingInteractivelyEdited(false);
    EXPECT_EQ(editing, (std::vector<bool>{true, false}));
}

TEST_F(AudioParameterRouting, AViewThatReadTheValueIsToldOfItsChange)
{
    int redraws = 0;
    auto tracking = foundation::withObservationTracking([&] { (void)p->displayableValue(); }, [&] { ++redraws; });
    p->setValue(-20.0f, ParameterEditor::parameterObserver, ParameterEditorState::beginInteractive);
    runMainQueue();
    EXPECT_EQ(redraws, 0) << "the same value again";
    p->setValue(-4.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    runMainQueue();
    EXPECT_EQ(redraws, 1);
}

TEST_F(AudioParameterRouting, ValueIsReadableOffTheMainThread)
{
    // The host's thread compares new values with the current one while the main thread sets it.
    std::atomic<bool> stop{false};
    std::atomic<int> strays{0};
    std::thread reader([&] {
        while (!stop.load()) {
            const float v = p->value();
            if (v != -20.0f && !(v <= -30.0f && v >= -40.0f))
                strays.fetch_add(1);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        p->setValue(-30.0f - float(i % 11), ParameterEditor::parameterObserver, ParameterEditorState::change);
        runMainQueue();
    }
    stop = true;
    reader.join();
    EXPECT_EQ(strays.load(), 0);

    p->setValue(-33.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    runMainQueue();
    float seen = 0.0f;
    std::thread([&] { seen = p->value(); }).join();
    EXPECT_EQ(seen, -33.0f) << "another thread sees what the views see";
}

} // namespace
} // namespace mossbell
