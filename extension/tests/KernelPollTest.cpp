#include "ModelTestSupport.h"
#include "TestHost.h"

#include "dsp/tests/TestSignals.h"
#include "platform/audiounit/ParameterTree.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace zindle {
namespace {

using A = ParameterAddress;
using namespace std::chrono_literals;
using mossbell::ParameterEditor;

// Settings that record every routed change.
class RecordingSettings : public Settings {
public:
    using Settings::Settings;
    struct Routed {
        std::uint64_t address;
        float value;
        ParameterEditor source;
        friend bool operator==(const Routed&, const Routed&) = default;
    };
    std::vector<Routed> routed;

    void setValue(float value, au::ParameterAddress address, ParameterEditor source) override
    {
        routed.push_back({address, value, source});
        Settings::setValue(value, address, source);
    }
};

TEST(KernelPoll, ChangedParametersAreRoutedInAddressOrderOnce)
{
    test::ConnectedModel<RecordingSettings> model;
    DSPKernel& kernel = model.unit->kernel();
    // As parameter render events leave them.
    kernel.setParameter(A::mainMode, 0.0f, true);
    kernel.setParameter(A::highPassFilter, 1.0f, true);
    model.settings->routed.clear();

    model.settings->pollKernel();
    ASSERT_GE(model.settings->routed.size(), 3u);
    EXPECT_EQ(model.settings->routed[0], (RecordingSettings::Routed{A::highPassFilter, 1.0f, ParameterEditor::parameterObserver}));
    EXPECT_EQ(model.settings->routed[1], (RecordingSettings::Routed{A::mainMode, 0.0f, ParameterEditor::parameterObserver}));
    EXPECT_EQ(model.settings->routed[2], (RecordingSettings::Routed{A::retroMode, 2.0f, ParameterEditor::ui}))
        << "then the Retro preset, as user changes";
    EXPECT_EQ(kernel.takeChangedMask(), 0u) << "the mask is taken, and routing back does not raise it again";

    test::runMainQueue();
    EXPECT_EQ(model.value(A::highPassFilter), 1.0f);
    EXPECT_EQ(model.value(A::mainMode), 0.0f);
    EXPECT_EQ(model.value(A::quality), 30.0f) << "routing mainMode applied its preset";

    model.settings->routed.clear();
    model.settings->pollKernel();
    EXPECT_TRUE(model.settings->routed.empty()) << "a change is mirrored once";
}

TEST(KernelPoll, DecibelsToLevels)
{
    const std::pair<float, double> cases[] = {
        {-60.0f, 0.0},  {-80.0f, 0.0},  {0.0f, 100.0},
        {6.0f, 100.0},  {-30.0f, 50.0}, {-45.0f, 25.0},
        {-std::numeric_limits<float>::infinity(), 0.0},
        {std::numeric_limits<float>::infinity(), 100.0},
        {std::numeric_limits<float>::quiet_NaN(), 0.0},
    };
    for (const auto& [decibels, level] : cases)
        EXPECT_DOUBLE_EQ(Settings::levelFromDecibels(decibels), level) << decibels;
}

class Meters : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.unit->allocateRenderResources();
        host.setInput(0, {dsp::test::sine(4096, 220.0, 44100.0, 0.25)});
        host.setInput(1, {dsp::test::sawtooth(4096, 110.0, 44100.0, 0.5)});
    }
    // Renders one meter interval of frames: the kernel publishes one set of readings.
    void renderOneMeterInterval()
    {
        for (int i = 0; i < 4; ++i)
            ASSERT_EQ(host.render(DSPKernel::meterInterval / 4), au::status::ok);
    }
    std::tuple<double, double, double> levels() const
    {
        return {model.settings->synthInLevel(), model.settings->voiceInLevel(),
                model.settings->outLevel()};
    }

    test::ConnectedModel<> model;
    test::TestHost host{*model.unit};
};

TEST_F(Meters, FreshReadingsMoveTheLevelsAndKeepThemLive)
{
    for (int round = 0; round < 3; ++round) {
        renderOneMeterInterval();
        const auto db = model.unit->kernel().meterDb();
        // Between readings the clock runs on; readings keep coming, so there is no decay.
        model.clock.advance(1s);
        model.settings->pollKernel();
        const auto [synth, voice, out] = levels();
        EXPECT_DOUBLE_EQ(synth, Settings::levelFromDecibels(db[DSPKernel::synthInputMeter])) << round;
        EXPECT_DOUBLE_EQ(voice, Settings::levelFromDecibels(db[DSPKernel::voiceInputMeter])) << round;
        EXPECT_DOUBLE_EQ(out, Settings::levelFromDecibels(db[DSPKernel::outputMeter])) << round;
        EXPECT_GT(synth, 50.0);
        EXPECT_GT(voice, 50.0);
        EXPECT_GT(out, 0.0);
        EXPECT_EQ(model.settings->lastMeterDate(), model.clock.now);
    }
}

TEST_F(Meters, WithoutReadingsTheLevelsHalveEveryHoldPeriodThenDropToZero)
{
    model.settings->updateLevels(100.0, 40.0, 8.0);
    const std::tuple<double, double, double> steps[] = {
        {50.0, 20.0, 4.0}, {25.0, 10.0, 2.0}, {12.5, 5.0, 1.0}, {6.25, 2.5, 0.5}, {0.0, 0.0, 0.0}};

    model.clock.advance(Settings::meterHold);
    model.settings->pollKernel();
    EXPECT_EQ(levels(), std::make_tuple(100.0, 40.0, 8.0)) << "not more than the hold period yet";

    for (const auto& step : steps) {
        model.clock.advance(1ms);
        model.settings->pollKernel();
        EXPECT_EQ(levels(), step);
        EXPECT_EQ(model.settings->lastDecayDate(), model.clock.now);
        const auto held = levels();
        model.clock.advance(Settings::meterHold - 1ms);
        model.settings->pollKernel();
        EXPECT_EQ(levels(), held) << "at most one step per hold period";
        model.clock.advance(1ms);
        model.settings->pollKernel();
        EXPECT_EQ(levels(), held) << "exactly one hold period after the last step is not more than it";
    }
}

TEST_F(Meters, AReadingResetsTheHold)
{
    model.clock.advance(1s);
    renderOneMeterInterval();
    model.settings->pollKernel();
    const auto live = levels();

    model.clock.advance(Settings::meterHold);
    model.settings->pollKernel();
    EXPECT_EQ(levels(), live) << "held since the last reading, although the last decay is long ago";
    model.clock.advance(1ms);
    model.settings->pollKernel();
    EXPECT_DOUBLE_EQ(std::get<0>(levels()), std::get<0>(live) / 2);
}

TEST(KernelPoll, NothingHappensOnceTheUnitIsGone)
{
    test::ConnectedModel<RecordingSettings> model;
    model.unit->kernel().setParameter(A::crush, 1.0f, true);
    model.settings->updateLevels(80.0, 80.0, 80.0);
    model.unit.reset();
    model.clock.advance(10s);
    model.settings->routed.clear();
    model.settings->pollKernel();
    EXPECT_TRUE(model.settings->routed.empty());
    EXPECT_EQ(model.settings->synthInLevel(), 80.0) << "no decay without a unit";
}

TEST(ValueProvider, TheHostReadsTheKernelThenTheStoredValueOnceTheUnitIsGone)
{
    test::ConnectedModel model;
    const auto tree = model.unit->parameterTree();
    const auto level = tree->parameter(A::whiteNoiseLevel);

    // A render event moved the kernel; the tree parameter itself still stores the old value.
    model.unit->kernel().setParameter(A::whiteNoiseLevel, -7.0f, true);
    EXPECT_EQ(level->value(), -7.0f);
    EXPECT_EQ(level->storedValue(), -20.0f);
    for (const auto& parameter : tree->allParameters())
        EXPECT_EQ(parameter->value(), model.unit->kernel().parameterValue(parameter->address()));

    model.unit.reset();
    EXPECT_EQ(level->value(), -20.0f) << "the stored value, without asking the provider again";
    EXPECT_EQ(tree->parameter(A::mainMode)->value(), 1.0f);
}

// An Audio Unit the framework can drive that is not the effect's own.
class OtherUnit : public mossbell::MossAudioUnit {
public:
    OtherUnit()
        : MossAudioUnit({au::fourCharCode("aufx"), au::fourCharCode("othr"), au::fourCharCode("Test")}),
          inputs_(*this, au::BusType::input, {}),
          outputs_(*this, au::BusType::output, {})
    {
    }
    au::AudioBusArray& inputBusses() override { return inputs_; }
    au::AudioBusArray& outputBusses() override { return outputs_; }
    au::InternalRenderBlock internalRenderBlock() override { return {}; }
    void setParameter(std::uint64_t address, float value) override { pushed.push_back({address, value}); }

    std::vector<std::pair<std::uint64_t, float>> pushed;

private:
    au::AudioBusArray inputs_;
    au::AudioBusArray outputs_;
};

TEST(KernelPoll, AnotherKindOfUnitGetsTheBaseConfigurationOnly)
{
    test::ManualClock clock;
    const auto settings = std::make_shared<Settings>(clock.function());
    settings->setUpdateFeedUrl(test::refusedFeedUrl());
    const auto unit = std::make_shared<OtherUnit>();
    settings->configureAudioUnit(unit);

    ASSERT_TRUE(unit->parameterTree());
    EXPECT_EQ(unit->parameterTree()->allParameters().size(), 15u);
    ASSERT_EQ(unit->pushed.size(), 15u) << "every value pushed";
    EXPECT_EQ(unit->pushed.front(), (std::pair<std::uint64_t, float>{A::mainMode, 1.0f}));
    EXPECT_EQ(settings->audioUnit(), unit);
    EXPECT_EQ(settings->zindleAU(), nullptr);
    EXPECT_FALSE(settings->isPolling()) << "no timer";
    EXPECT_FALSE(unit->parameterTree()->hasImplementorValueProvider()) << "no provider";
    EXPECT_EQ(settings.use_count(), 1) << "no update check holds the model";
}

// Counts the timer events that reach QTimer objects of the main thread.
class TimerEventCounter : public QObject {
public:
    TimerEventCounter() { QCoreApplication::instance()->installEventFilter(this); }
    ~TimerEventCounter() override { QCoreApplication::instance()->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Timer && qobject_cast<QTimer*>(watched))
            ++count;
        return false;
    }
};

TEST(PollTimer, PollsAt60HzUntilTheModelIsReleased)
{
    auto model = std::make_unique<test::ConnectedModel<>>();
    EXPECT_TRUE(model->settings->isPolling());

    // The running timer mirrors a render-side change by itself.
    model->unit->kernel().setParameter(A::freeze, 1.0f, true);
    EXPECT_TRUE(test::spinUntil([&] { return model->value(A::freeze) == 1.0f; }, 2000));

    TimerEventCounter counter;
    test::spinUntil([] { return false; }, 200);
    EXPECT_GE(counter.count, 6) << "about 12 firings in 200 ms";

    // Released by its owner: nothing else keeps it (the refused update check ends quickly).
    std::weak_ptr<Settings> watch = model->settings;
    const auto unit = model->unit;
    model.reset();
    EXPECT_TRUE(test::spinUntil([&] { return watch.expired(); }, 5000));
    counter.count = 0;
    test::spinUntil([] { return false; }, 200);
    EXPECT_EQ(counter.count, 0) << "the poll timer stopped with its model";

    unit->kernel().setParameter(A::crush, 1.0f, true);
    test::spinUntil([] { return false; }, 100);
    EXPECT_EQ(unit->kernel().takeChangedMask(), 1u << A::crush) << "nobody polls any more";
}

TEST(PollTimer, ReleasedOnAnotherThreadTheTimerStopsOnTheMainThread)
{
    test::ConnectedModel model;
    ASSERT_TRUE(test::spinUntil([&] { return model.settings.use_count() == 1; })) << "the update check ended";
    std::weak_ptr<Settings> watch = model.settings;
    std::thread([settings = std::move(model.settings)]() mutable { settings.reset(); }).join();
    EXPECT_TRUE(watch.expired());

    test::runMainQueue();
    TimerEventCounter counter;
    test::spinUntil([] { return false; }, 200);
    EXPECT_EQ(counter.count, 0);
}

TEST(PollTimer, ASecondConfigurationReplacesTheTimer)
{
    test::ConnectedModel model;
    const auto second = std::make_shared<ZindleAudioUnit>();
    model.settings->configureAudioUnit(second);
    EXPECT_EQ(model.settings->zindleAU(), second);
    EXPECT_TRUE(model.settings->isPolling());

    second->kernel().setParameter(A::compress, 1.0f, true);
    model.unit->kernel().setParameter(A::crush, 1.0f, true);
    EXPECT_TRUE(test::spinUntil([&] { return model.value(A::compress) == 1.0f; }, 2000));
    EXPECT_EQ(model.unit->kernel().takeChangedMask(), 1u << A::crush) << "the first unit is not polled";
}

} // namespace
} // namespace zindle
