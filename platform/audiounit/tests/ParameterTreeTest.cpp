#include "platform/audiounit/ParameterTree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace au {
namespace {

using Event = ParameterTree::AutomationEvent;

// Who heard a change, in the order they heard it.
struct Heard {
    std::string who;
    ParameterAddress address;
    AUValue value;
    std::uint64_t hostTime;
    AutomationEventType type;
    AUValue storedWhenHeard;

    bool operator==(const Heard&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Heard& h)
{
    return out << h.who << " @" << h.address << " =" << h.value << " t" << h.hostTime << " type "
               << static_cast<int>(h.type) << " stored " << h.storedWhenHeard;
}

std::shared_ptr<Parameter> makeGain(ParameterAddress address = 0)
{
    return ParameterTree::createParameter("gain", "Gain", address, -60.0f, 12.0f, ParameterUnit::decibels, "dB",
                                          parameterFlag::isReadable | parameterFlag::isWritable, std::nullopt,
                                          std::nullopt);
}

std::shared_ptr<Parameter> makeMode(ParameterAddress address = 1)
{
    return ParameterTree::createParameter("mode", "Mode", address, 0.0f, 2.0f, ParameterUnit::indexed, "",
                                          parameterFlag::isReadable | parameterFlag::isWritable |
                                              parameterFlag::valuesHaveStrings,
                                          std::vector<std::string>{"Off", "On", "Auto"},
                                          std::vector<ParameterAddress>{0});
}

// A tree with an implementor observer and two host observers, recording what each hears.
class ObservedTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree = ParameterTree::createTree({gain, mode});
        tree->setImplementorValueObserver([this](Parameter& parameter, AUValue value) {
            heard.push_back({"effect", parameter.address(), value, 0, AutomationEventType::value,
                             parameter.storedValue()});
        });
        first = addHostObserver("host A");
        second = addHostObserver("host B");
    }

    ParameterTree::ObserverToken addHostObserver(std::string who)
    {
        return tree->tokenByAddingParameterObserver([this, who](const Event& event) {
            heard.push_back({who, event.address, event.value, event.hostTime, event.type,
                             tree->parameter(event.address)->storedValue()});
        });
    }

    std::shared_ptr<Parameter> gain = makeGain();
    std::shared_ptr<Parameter> mode = makeMode();
    std::shared_ptr<ParameterTree> tree;
    ParameterTree::ObserverToken first = nullptr;
    ParameterTree::ObserverToken second = nullptr;
    std::vector<Heard> heard;
};

TEST_F(ObservedTree, ASetStoresThenTellsTheEffectThenEveryHostObserverInOrder)
{
    gain->setValue(-6.0f);
    const std::vector<Heard> expected{
        {"effect", 0, -6.0f, 0, AutomationEventType::value, -6.0f},
        {"host A", 0, -6.0f, 0, AutomationEventType::value, -6.0f},
        {"host B", 0, -6.0f, 0, AutomationEventType::value, -6.0f},
    };
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(gain->storedValue(), -6.0f);
    EXPECT_EQ(gain->value(), -6.0f);
}

TEST_F(ObservedTree, EventTypeHostTimeAndOriginatorReachTheObservers)
{
    struct Case {
        const char* what;
        AUValue value;
        int originator; // 0 none, 1 host A, 2 host B, 3 an unknown pointer
        std::uint64_t hostTime;
        AutomationEventType type;
        std::vector<std::string> listeners;
    };
    const std::vector<Case> cases{
        {"touch from nobody", 1.0f, 0, 1000, AutomationEventType::touch, {"effect", "host A", "host B"}},
        {"value from host A", 2.0f, 1, 2000, AutomationEventType::value, {"effect", "host B"}},
        {"release from host B", 0.0f, 2, 3000, AutomationEventType::release, {"effect", "host A"}},
        {"value from a stranger", 1.0f, 3, 4000, AutomationEventType::value, {"effect", "host A", "host B"}},
    };
    const int stranger = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        heard.clear();
        const void* originator = c.originator == 1 ? first : c.originator == 2 ? second
                                                    : c.originator == 3 ? static_cast<const void*>(&stranger)
                                                                        : nullptr;
        mode->setValue(c.value, originator, c.hostTime, c.type);
        EXPECT_EQ(mode->storedValue(), c.value) << "touch and release store their value too";
        ASSERT_EQ(heard.size(), c.listeners.size());
        for (std::size_t i = 0; i < heard.size(); ++i) {
            EXPECT_EQ(heard[i].who, c.listeners[i]);
            EXPECT_EQ(heard[i].address, 1u);
            EXPECT_EQ(heard[i].value, c.value);
            EXPECT_EQ(heard[i].storedWhenHeard, c.value) << "stored before anybody hears it";
            if (heard[i].who != "effect") {
                EXPECT_EQ(heard[i].hostTime, c.hostTime);
                EXPECT_EQ(heard[i].type, c.type);
            }
        }
    }
}

TEST_F(ObservedTree, RemovedObserversAreNotCalledAndUnknownTokensAreIgnored)
{
    tree->removeParameterObserver(first);
    tree->removeParameterObserver(first);
    tree->removeParameterObserver(nullptr);
    int unknown = 0;
    tree->removeParameterObserver(&unknown);
    gain->setValue(3.0f);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].who, "effect");
    EXPECT_EQ(heard[1].who, "host B");

    tree->removeParameterObserver(second);
    heard.clear();
    gain->setValue(4.0f);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].who, "effect");
    EXPECT_EQ(tree->tokenByAddingParameterObserver({}), nullptr) << "an empty observer is not added";
}

TEST_F(ObservedTree, ObserversMayRemoveAndAddObserversWhileTheyAreCalled)
{
    // No lock may be held while an observer runs, or these deadlock. Host B goes; then an
    // observer that removes host A (already called) and itself and adds host D (which hears
    // only later changes); then one that removes a later observer, which must not be called
    // for the change under way.
    tree->removeParameterObserver(second);
    ParameterTree::ObserverToken self = nullptr;
    ParameterTree::ObserverToken late = nullptr;
    self = tree->tokenByAddingParameterObserver([&](const Event&) {
        tree->removeParameterObserver(first);
        tree->removeParameterObserver(self);
        late = addHostObserver("host D");
    });
    ParameterTree::ObserverToken victim = nullptr;
    tree->tokenByAddingParameterObserver([&](const Event&) { tree->removeParameterObserver(victim); });
    victim = addHostObserver("victim");

    gain->setValue(1.0f);
    std::vector<std::string> order;
    for (const Heard& h : heard)
        order.push_back(h.who);
    EXPECT_EQ(order, (std::vector<std::string>{"effect", "host A"}));

    heard.clear();
    gain->setValue(2.0f);
    order.clear();
    for (const Heard& h : heard)
        order.push_back(h.who);
    EXPECT_EQ(order, (std::vector<std::string>{"effect", "host D"}));
    EXPECT_NE(late, nullptr);
}

TEST_F(ObservedTree, TheProviderAnswersValueButNotStoredValue)
{
    gain->setValue(-3.0f);
    EXPECT_FALSE(tree->hasImplementorValueProvider());
    EXPECT_EQ(gain->value(), -3.0f);

    tree->setImplementorValueProvider([](const Parameter& parameter) {
        return static_cast<AUValue>(parameter.address()) + 100.0f;
    });
    EXPECT_TRUE(tree->hasImplementorValueProvider());
    EXPECT_EQ(gain->value(), 100.0f);
    EXPECT_EQ(mode->value(), 101.0f);
    EXPECT_EQ(gain->storedValue(), -3.0f);

    tree->setImplementorValueProvider({});
    EXPECT_FALSE(tree->hasImplementorValueProvider());
    EXPECT_EQ(gain->value(), -3.0f);
}

TEST_F(ObservedTree, InstalledStringCallbacksReplaceTheDefaults)
{
    std::vector<const AUValue*> asked;
    tree->setImplementorStringFromValueCallback([&](const Parameter& parameter, const AUValue* value) {
        asked.push_back(value);
        return parameter.identifier() + ":" + (value ? std::to_string(static_cast<int>(*value)) : "now");
    });
    tree->setImplementorValueFromStringCallback(
        [](const Parameter& parameter, const std::string& text) {
            return static_cast<AUValue>(text.size() + parameter.address());
        });
    EXPECT_TRUE(tree->hasImplementorStringFromValueCallback());
    EXPECT_TRUE(tree->hasImplementorValueFromStringCallback());

    const AUValue two = 2.0f;
    EXPECT_EQ(mode->string(&two), "mode:2");
    EXPECT_EQ(mode->string(nullptr), "mode:now");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], &two);
    EXPECT_EQ(asked[1], nullptr) << "the callback is told that the current value is meant";
    EXPECT_EQ(mode->value(std::string("Auto")), 5.0f);

    tree->setImplementorStringFromValueCallback({});
    tree->setImplementorValueFromStringCallback({});
    EXPECT_EQ(mode->string(&two), "Auto");
    EXPECT_EQ(mode->value(std::string("Auto")), 2.0f);
}

TEST(Parameter, DefaultTextForValues)
{
    const auto gain = makeGain();
    const auto mode = makeMode();
    const auto tree = ParameterTree::createTree({gain, mode});
    const AUValue infinity = std::numeric_limits<AUValue>::infinity();
    const AUValue nan = std::numeric_limits<AUValue>::quiet_NaN();
    struct Case {
        const Parameter& parameter;
        AUValue value;
        std::string text;
    };
    const std::vector<Case> cases{
        {*mode, 0.0f, "Off"},   {*mode, 2.0f, "Auto"},   {*mode, 2.9f, "Auto"}, {*mode, -0.5f, "Off"},
        {*mode, 3.0f, "3"},     {*mode, -1.0f, "-1"},    {*mode, infinity, "inf"}, {*mode, nan, "nan"},
        {*gain, 0.5f, "0.5"},   {*gain, -60.0f, "-60"},  {*gain, 0.1f, "0.1"},  {*gain, 1e20f, "1e+20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameter.identifier() + " " + c.text);
        EXPECT_EQ(c.parameter.string(&c.value), c.text);
    }
    mode->setValue(1.0f);
    EXPECT_EQ(mode->string(nullptr), "On") << "null means the current value";
    tree->setImplementorValueProvider([](const Parameter&) { return 2.0f; });
    EXPECT_EQ(mode->string(nullptr), "Auto") << "the current value as the host reads it";
}

TEST(Parameter, DefaultValueForTexts)
{
    const auto gain = makeGain();
    const auto mode = makeMode();
    const auto tree = ParameterTree::createTree({gain, mode});
    struct Case {
        const Parameter& parameter;
        std::string text;
        AUValue value;
    };
    const std::vector<Case> cases{
        {*mode, "Auto", 2.0f},  {*mode, "On", 1.0f},    {*mode, "on", 0.0f},    {*mode, "1", 1.0f},
        {*gain, "5e1", 50.0f},  {*gain, "-2.5", -2.5f}, {*gain, "+3", 3.0f},    {*gain, "abc", 0.0f},
        {*gain, "", 0.0f},      {*gain, " 5", 0.0f},    {*gain, "5 ", 0.0f},    {*gain, "5dB", 0.0f},
        {*gain, "nan", 0.0f},   {*gain, "+-1", 0.0f},   {*gain, "+", 0.0f},
        {*gain, "inf", std::numeric_limits<AUValue>::infinity()},
        {*gain, "100", 100.0f}, // not clamped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameter.identifier() + " '" + c.text + "'");
        EXPECT_EQ(c.parameter.value(c.text), c.value);
    }
}

TEST(Parameter, TextsReadBackToTheirValues)
{
    const auto gain = makeGain();
    for (const AUValue value : {-60.0f, -0.1f, 0.0f, 1.0f / 3.0f, 11.99f, 1e-7f}) {
        const AUValue roundTrip = gain->value(gain->string(&value));
        EXPECT_EQ(roundTrip, value) << gain->string(&value);
    }
}

TEST(Parameter, OutsideATreeItKeepsItsValueAndCallsNobody)
{
    const auto gain = makeGain();
    EXPECT_EQ(gain->storedValue(), -60.0f) << "starts at its minimum";
    gain->setValue(20.0f);
    EXPECT_EQ(gain->value(), 20.0f) << "not clamped";
    gain->setValue(-1.0f, nullptr, 77, AutomationEventType::touch);
    EXPECT_EQ(gain->value(), -1.0f);
    const AUValue half = 0.5f;
    EXPECT_EQ(gain->string(&half), "0.5");

    // A tree that is gone leaves its parameters working on their own.
    int calls = 0;
    {
        const auto tree = ParameterTree::createTree({gain});
        tree->setImplementorValueObserver([&](Parameter&, AUValue) { ++calls; });
        tree->setImplementorValueProvider([](const Parameter&) { return 9.0f; });
        gain->setValue(2.0f);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(gain->value(), 9.0f);
    }
    gain->setValue(3.0f);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(gain->value(), 3.0f);
}

TEST(ParameterTree, KeepsItsChildrenInOrderAndFindsThemByAddress)
{
    const auto gain = makeGain(7);
    const auto mode = makeMode(3);
    const auto twin = makeGain(3);
    const auto tree = ParameterTree::createTree({mode, nullptr, gain, twin});
    ASSERT_EQ(tree->allParameters().size(), 3u) << "null children are left out";
    EXPECT_EQ(tree->allParameters()[0], mode);
    EXPECT_EQ(tree->allParameters()[1], gain);
    EXPECT_EQ(tree->parameter(7), gain);
    EXPECT_EQ(tree->parameter(3), mode) << "the first with the address";
    EXPECT_EQ(tree->parameter(4), nullptr);
    EXPECT_EQ(mode->dependentParameters(), (std::vector<ParameterAddress>{0}));
    EXPECT_EQ(gain->unitName(), "dB");
    EXPECT_EQ(mode->flags() & parameterFlag::valuesHaveStrings, parameterFlag::valuesHaveStrings);

    // A parameter put into a later tree follows that one.
    int older = 0;
    int newer = 0;
    tree->setImplementorValueObserver([&](Parameter&, AUValue) { ++older; });
    const auto later = ParameterTree::createTree({gain});
    later->setImplementorValueObserver([&](Parameter&, AUValue) { ++newer; });
    gain->setValue(1.0f);
    EXPECT_EQ(older, 0);
    EXPECT_EQ(newer, 1);
}

// Hosts set and read from their own threads while the effect installs callbacks and hosts come
// and go. Every read must be a value someone wrote, and an observer that stays registered must
// hear every set exactly once. (Run under ThreadSanitizer for the data-race check proper.)
TEST(ParameterTree, ConcurrentSetsReadsAndObserverChanges)
{
    const auto gain = makeGain();
    const auto tree = ParameterTree::createTree({gain});
    constexpr int writers = 4;
    constexpr int setsPerWriter = 5000;
    // Writer w writes w*100000 + i: a torn or garbage read shows as a value outside this set.
    const auto written = [](AUValue v) {
        if (v == -60.0f)
            return true; // the starting value
        const auto n = static_cast<long>(v);
        return static_cast<AUValue>(n) == v && n >= 0 && n % 100000 < setsPerWriter && n / 100000 < writers;
    };

    std::atomic<long> effectHeard{0};
    std::atomic<long> steadyHeard{0};
    tree->setImplementorValueObserver([&](Parameter&, AUValue) { effectHeard.fetch_add(1); });
    const auto steady = tree->tokenByAddingParameterObserver([&](const ParameterTree::AutomationEvent& event) {
        if (event.address == 0)
            steadyHeard.fetch_add(1);
    });

    std::atomic<bool> stop{false};
    std::atomic<long> badReads{0};
    std::vector<std::thread> threads;
    for (int w = 0; w < writers; ++w) {
        threads.emplace_back([&, w] {
            for (int i = 0; i < setsPerWriter; ++i) {
                const auto value = static_cast<AUValue>(w * 100000 + i);
                if (i % 2)
                    gain->setValue(value);
                else
                    gain->setValue(value, nullptr, static_cast<std::uint64_t>(i), AutomationEventType::value);
            }
        });
    }
    threads.emplace_back([&] { // a host reading
        while (!stop.load()) {
            if (!written(gain->value()) || !written(gain->storedValue()))
                badReads.fetch_add(1);
            (void)gain->string(nullptr);
        }
    });
    threads.emplace_back([&] { // hosts coming and going
        while (!stop.load()) {
            const auto token = tree->tokenByAddingParameterObserver([](const ParameterTree::AutomationEvent&) {});
            tree->removeParameterObserver(token);
        }
    });
    threads.emplace_back([&] { // the effect installing and removing its provider
        while (!stop.load()) {
            tree->setImplementorValueProvider([](const Parameter& p) { return p.storedValue(); });
            tree->setImplementorValueProvider({});
        }
    });
    for (int w = 0; w < writers; ++w)
        threads[static_cast<std::size_t>(w)].join();
    stop.store(true);
    for (std::size_t t = writers; t < threads.size(); ++t)
        threads[t].join();

    EXPECT_EQ(badReads.load(), 0);
    EXPECT_EQ(effectHeard.load(), long{writers} * setsPerWriter);
    EXPECT_EQ(steadyHeard.load(), long{writers} * setsPerWriter);
    EXPECT_TRUE(written(gain->storedValue()));
    tree->removeParameterObserver(steady);
}

} // namespace
} // namespace au
