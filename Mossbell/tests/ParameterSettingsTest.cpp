#include "HostRecorder.h"

#include "Mossbell/ParameterSettings.h"

#include "platform/audiounit/ParameterTree.h"
#include "platform/foundation/Bundle.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <mutex>
#include <thread>

namespace mossbell {
namespace {

using test::HostRecorder;
using test::runMainQueue;

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

// An Audio Unit that records what the framework hands it.
class RecordingUnit : public MossAudioUnit {
public:
    RecordingUnit()
        : MossAudioUnit({au::fourCharCode("aufx"), au::fourCharCode("test"), au::fourCharCode("Test")}),
          inputs_(*this, au::BusType::input, {}),
          outputs_(*this, au::BusType::output, {})
    {
    }
    au::AudioBusArray& inputBusses() override { return inputs_; }
    au::AudioBusArray& outputBusses() override { return outputs_; }
    au::InternalRenderBlock internalRenderBlock() override { return {}; }

    struct Call {
        au::ParameterAddress address;
        float value;
        friend bool operator==(const Call&, const Call&) = default;
    };
    void setParameter(std::uint64_t address, float value) override
    {
        const std::lock_guard lock(mutex_);
        calls_.push_back({address, value});
    }
    std::vector<Call> calls() const
    {
        const std::lock_guard lock(mutex_);
        return calls_;
    }
    void clear()
    {
        const std::lock_guard lock(mutex_);
        calls_.clear();
    }

private:
    au::AudioBusArray inputs_;
    au::AudioBusArray outputs_;
    mutable std::mutex mutex_;
    std::vector<Call> calls_;
};

// Settings with three parameters, one with dependents, that record the dependent hook.
class TestSettings : public ParameterSettings {
public:
    struct HookCall {
        au::ParameterAddress address;
        float value;
        std::size_t unitCallsBefore; // how many values the unit had been told when the hook ran
    };

    std::shared_ptr<AudioParameter> level = AudioParameter::create(
        1, "level", "Level", au::ParameterUnit::decibels, {-60.0f, 6.0f}, -20.0f,
        AudioParameter::ValueIncrement::linear(), std::nullopt, std::nullopt);
    std::shared_ptr<AudioParameter> mode = AudioParameter::create(
        12, "mode", "Mode", au::ParameterUnit::indexed, {0.0f, 2.0f}, 1.0f, AudioParameter::ValueIncrement::linear(),
        std::vector<std::string>{"Low", "Mid", "High"}, std::vector<au::ParameterAddress>{1});
    std::shared_ptr<AudioParameter> plain = AudioParameter::create(
        3, "plain", "Plain", au::ParameterUnit::boolean, {0.0f, 1.0f}, 0.0f, AudioParameter::ValueIncrement::linear(),
        std::nullopt, std::vector<au::ParameterAddress>{}); // present but empty

    std::vector<HookCall> hookCalls;
    std::shared_ptr<RecordingUnit> recorder;
    std::optional<std::uint64_t> extra;

    explicit TestSettings(bool withParameters = true)
    {
        if (withParameters)
            setupParameters({mode, level, plain});
    }

protected:
    void updateDependentValues(au::ParameterAddress address, float value) override
    {
        hookCalls.push_back({address, value, recorder ? recorder->calls().size() : 0});
    }
    void hashAdditionalValues(Hasher& hasher) const override
    {
        if (extra)
            hasher.combine(*extra);
    }
};

class ParameterSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings->recorder = unit;
        settings->configureAudioUnit(unit);
        settings->setupParameterTreeListeners();
        unit->clear();
    }
    std::shared_ptr<RecordingUnit> unit = std::make_shared<RecordingUnit>();
    std::shared_ptr<TestSettings> settings = std::make_shared<TestSettings>();
    au::ParameterTree& tree() { return *unit->parameterTree(); }
};

TEST(ParameterSettings, ConfigureBuildsTheTreeInListOrderAndPushesEveryValue)
{
    auto settings = std::make_shared<TestSettings>();
    auto unit = std::make_shared<RecordingUnit>();
    settings->configureAudioUnit(unit);

    EXPECT_EQ(settings->audioUnit(), unit);
    ASSERT_TRUE(unit->parameterTree());
    const auto& children = unit->parameterTree()->allParameters();
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0], settings->mode->auParameter());
    EXPECT_EQ(children[1], settings->level->auParameter());
    EXPECT_EQ(children[2], settings->plain->auParameter());
    EXPECT_EQ(unit->calls(), (std::vector<RecordingUnit::Call>{{12, 1.0f}, {1, -20.0f}, {3, 0.0f}}));
    EXPECT_EQ(settings.use_count(), 1) << "the unit does not hold the settings";
}

TEST(ParameterSettings, NoParametersGiveAnEmptyTreeAndNoPush)
{
    auto settings = std::make_shared<TestSettings>(false);
    auto unit = std::make_shared<RecordingUnit>();
    settings->configureAudioUnit(unit);
    ASSERT_TRUE(unit->parameterTree());
    EXPECT_TRUE(unit->parameterTree()->allParameters().empty());
    EXPECT_TRUE(unit->calls().empty());
}

TEST(ParameterSettings, TheUnitIsHeldWeakly)
{
    auto settings = std::make_shared<TestSettings>();
    auto unit = std::make_shared<RecordingUnit>();
    settings->configureAudioUnit(unit);
    const auto tree = unit->parameterTree();
    std::weak_ptr<RecordingUnit> watch = unit;
    unit.reset();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(settings->audioUnit(), nullptr);

    // Routing still updates the parameters; listeners find no tree and install nothing.
    settings->setValue(-5.0f, 1, ParameterEditor::parameterObserver);
    runMainQueue();
    EXPECT_EQ(settings->level->value(), -5.0f);
    settings->setupParameterTreeListeners();
    EXPECT_FALSE(tree->hasImplementorValueObserver());
    EXPECT_FALSE(tree->hasImplementorStringFromValueCallback());
    EXPECT_FALSE(tree->hasImplementorValueFromStringCallback());
}

// A host routes changes on its own thread while the main thread connects the settings to a new
// unit: every routed value reaches one of the units, and the link itself is never torn.
TEST(ParameterSettings, RoutingOnAHostThreadWhileANewUnitIsConnected)
{
    auto settings = std::make_shared<TestSettings>();
    std::vector<std::shared_ptr<RecordingUnit>> units;
    for (int i = 0; i < 3; ++i)
        units.push_back(std::make_shared<RecordingUnit>());
    settings->configureAudioUnit(units[0]);

    constexpr std::size_t routings = 20000;
    std::atomic<bool> done{false};
    std::thread host([&] {
        for (std::size_t i = 0; i < routings; ++i)
            settings->setValue(0.5f, 99, ParameterEditor::parameterObserver);
        done = true;
    });
    for (std::size_t i = 0; !done.load(); ++i)
        settings->configureAudioUnit(units[i % units.size()]);
    host.join();

    std::size_t reached = 0;
    for (const auto& unit : units) {
        for (const auto& call : unit->calls())
            reached += call.address == 99 ? 1 : 0;
    }
    EXPECT_EQ(reached, routings);
}

TEST_F(ParameterSettingsTest, ListenersAreInstalled)
{
    EXPECT_TRUE(tree().hasImplementorValueObserver());
    EXPECT_TRUE(tree().hasImplementorStringFromValueCallback());
    EXPECT_TRUE(tree().hasImplementorValueFromStringCallback());
}

TEST_F(ParameterSettingsTest, AHostChangeReachesParameterHookAndUnit)
{
    HostRecorder host(unit->parameterTree());
    // As a host sets it, on a thread of its own.
    std::thread([&] {
        tree().parameter(12)->setValue(0.0f, host.token(), 1234, au::AutomationEventType::value);
    }).join();
    runMainQueue();
    EXPECT_EQ(settings->mode->value(), 0.0f);
    ASSERT_EQ(settings->hookCalls.size(), 1u);
    EXPECT_EQ(settings->hookCalls[0].address, 12u);
    EXPECT_EQ(settings->hookCalls[0].value, 0.0f);
    EXPECT_EQ(settings->hookCalls[0].unitCallsBefore, 0u) << "the hook runs before the unit is told";
    EXPECT_EQ(unit->calls(), (std::vector<RecordingUnit::Call>{{12, 0.0f}}));
    EXPECT_TRUE(host.events().empty()) << "the host does not hear its own change back";
}

TEST_F(ParameterSettingsTest, AUserChangeRoundTripsThroughTheTreeToTheUnit)
{
    settings->level->setValue(-6.0f, ParameterEditor::ui, ParameterEditorState::change);
    runMainQueue();
    EXPECT_EQ(unit->calls(), (std::vector<RecordingUnit::Call>{{1, -6.0f}}));
    EXPECT_EQ(settings->level->value(), -6.0f);
    EXPECT_TRUE(settings->hookCalls.empty()) << "no dependents, no hook";
}

TEST_F(ParameterSettingsTest, RoutingClampsTheViewButNotTheUnit)
{
    settings->setValue(9.0f, 1, ParameterEditor::parameterObserver);
    runMainQueue();
    EXPECT_EQ(settings->level->value(), 6.0f);
    EXPECT_EQ(unit->calls(), (std::vector<RecordingUnit::Call>{{1, 9.0f}}));
    EXPECT_EQ(tree().parameter(1)->storedValue(), -20.0f) << "the observer's source leaves the tree alone";
}

TEST_F(ParameterSettingsTest, DependentHookRunsOnlyForNonEmptyDependents)
{
    settings->setValue(1.0f, 3, ParameterEditor::parameterObserver); // empty dependent list
    EXPECT_TRUE(settings->hookCalls.empty());
    settings->setValue(5.0f, 12, ParameterEditor::parameterObserver); // clamped to 2 for the view
    ASSERT_EQ(settings->hookCalls.size(), 1u);
    EXPECT_EQ(settings->hookCalls[0].value, 5.0f) << "the value passed in";
    EXPECT_EQ(settings->hookCalls[0].unitCallsBefore, 1u) << "before the unit is told of this one";
    EXPECT_EQ(unit->calls().back(), (RecordingUnit::Call{12, 5.0f}));

    // From a control the tree's observer routes the clamped value first, then the routing
    // itself runs with the value passed in.
    settings->hookCalls.clear();
    unit->clear();
    settings->setValue(-1.0f, 12, ParameterEditor::ui);
    ASSERT_EQ(settings->hookCalls.size(), 2u);
    EXPECT_EQ(settings->hookCalls[0].value, 0.0f);
    EXPECT_EQ(settings->hookCalls[1].value, -1.0f);
    EXPECT_EQ(unit->calls(), (std::vector<RecordingUnit::Call>{{12, 0.0f}, {12, -1.0f}}));
}

TEST_F(ParameterSettingsTest, AnUnknownAddressStillReachesTheUnit)
{
    settings->setValue(0.5f, 99, ParameterEditor::parameterObserver);
    EXPECT_EQ(unit->calls(), (std::vector<RecordingUnit::Call>{{99, 0.5f}}));
}

TEST_F(ParameterSettingsTest, ObserverHoldsTheSettingsWeakly)
{
    std::weak_ptr<TestSettings> watch = settings;
    settings.reset();
    runMainQueue();
    EXPECT_TRUE(watch.expired());
    tree().parameter(1)->setValue(-1.0f);
    EXPECT_TRUE(unit->calls().empty()) << "no settings, no routing";
}

TEST_F(ParameterSettingsTest, ValueToText)
{
    struct Case {
        au::ParameterAddress address;
        std::optional<float> value;
        const char* text;
    };
    const Case cases[] = {
        {12, 2.0f, "High"},  {12, 0.0f, "Low"},   {12, 2.9f, "High"}, {12, -0.5f, "Low"},
        {12, 3.0f, "3"},     {12, -1.0f, "-1"},   {12, nan, "-"},     {12, std::nullopt, "-"},
        {12, inf, "inf"},    {12, 1e20f, "100000002004087734272"},
        {1, 2.0f, "2"},      {1, -20.4f, "-20"},  {1, 0.5f, "0"},     {1, nan, "-"},
        {1, std::nullopt, "-"}, // no value given
    };
    for (const Case& c : cases) {
        const au::Parameter& parameter = *tree().parameter(c.address);
        EXPECT_EQ(parameter.string(c.value ? &*c.value : nullptr), c.text)
            << c.address << " " << (c.value ? *c.value : -999.0f);
    }
}

TEST_F(ParameterSettingsTest, TextToValue)
{
    struct Case {
        const char* text;
        float value;
    };
    const Case cases[] = {
        {"abc", 0.0f}, {"", 0.0f},     {" 5", 0.0f},   {"\t5", 0.0f},   {"\n5", 0.0f}, {"nan", 0.0f},
        {"NaN", 0.0f}, {"5 ", 0.0f},   {"5e1", 50.0f}, {"inf", inf},    {"-inf", -inf}, {"infinity", inf},
        {"2.5", 2.5f}, {"+2.5", 2.5f}, {"-3", -3.0f},  {"1,5", 0.0f},   {"0x10", 16.0f}, {"1e99", inf},
        {"1200", 1200.0f},
    };
    for (const Case& c : cases) {
        const float read = tree().parameter(1)->value(std::string(c.text));
        EXPECT_EQ(read, c.value) << '"' << c.text << '"';
        EXPECT_EQ(tree().parameter(12)->value(std::string(c.text)), c.value)
            << "a parameter with value strings reads numbers alike: \"" << c.text << '"';
    }
}

TEST_F(ParameterSettingsTest, TheTextOfAValueReadsBackAsThatValue)
{
    const au::Parameter& mode = *tree().parameter(12);
    for (const float index : {0.0f, 1.0f, 2.0f}) {
        const std::string text = mode.string(&index);
        EXPECT_EQ(mode.value(text), index) << text;
    }
    EXPECT_EQ(mode.value(std::string("high")), 0.0f) << "names match exactly";
    EXPECT_EQ(mode.value(std::string(" High")), 0.0f);
    EXPECT_EQ(tree().parameter(1)->value(std::string("High")), 0.0f) << "another parameter's names mean nothing";
    EXPECT_EQ(tree().parameter(1)->value(std::string("5\0", 2)), 0.0f) << "an embedded NUL is left over";
}

TEST(ParameterSettings, ParamsHashFollowsTheValues)
{
    auto a = std::make_shared<TestSettings>();
    auto b = std::make_shared<TestSettings>();
    EXPECT_EQ(a->paramsHash(), b->paramsHash());

    // A gesture phase stores even an equal value, so -0 gets in.
    b->plain->setValue(-0.0f, ParameterEditor::parameterObserver, ParameterEditorState::beginInteractive);
    runMainQueue();
    EXPECT_TRUE(std::signbit(b->plain->value()));
    EXPECT_EQ(a->paramsHash(), b->paramsHash()) << "0 and -0 hash alike";

    b->setValue(-21.0f, 1, ParameterEditor::parameterObserver);
    runMainQueue();
    EXPECT_NE(a->paramsHash(), b->paramsHash());
    a->setValue(-21.0f, 1, ParameterEditor::parameterObserver);
    runMainQueue();
    EXPECT_EQ(a->paramsHash(), b->paramsHash());

    a->extra = 7;
    EXPECT_NE(a->paramsHash(), b->paramsHash()) << "the hook adds its values";
    b->extra = 7;
    EXPECT_EQ(a->paramsHash(), b->paramsHash());
}

TEST(ParameterSettings, ParamsHashDependsOnTheOrderOfValues)
{
    // Swapped values of two parameters are a different state.
    auto a = std::make_shared<TestSettings>();
    auto b = std::make_shared<TestSettings>();
    a->setValue(1.0f, 12, ParameterEditor::parameterObserver);
    a->setValue(0.0f, 3, ParameterEditor::parameterObserver);
    b->setValue(0.0f, 12, ParameterEditor::parameterObserver);
    b->setValue(1.0f, 3, ParameterEditor::parameterObserver);
    runMainQueue();
    EXPECT_NE(a->paramsHash(), b->paramsHash());
}

TEST(ParameterSettings, PluginVersionComesFromTheBundleOrIsUnknown)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    struct Case {
        const char* folder;
        const char* info; // nullptr: no information file
        const char* version;
    };
    const Case cases[] = {
        {"versioned", R"({"CFBundleShortVersionString": "1.2.3"})", "1.2.3"},
        {"noKey", R"({"CFBundleName": "Zindle"})", "Unknown"},
        {"notAString", R"({"CFBundleShortVersionString": 2})", "Unknown"},
        {"emptyString", R"({"CFBundleShortVersionString": ""})", ""},
        {"noInfo", nullptr, "Unknown"},
    };
    for (const Case& c : cases) {
        const QString folder = root.filePath(QString::fromUtf8(c.folder));
        ASSERT_TRUE(QDir().mkpath(folder));
        if (c.info) {
            QFile file(folder + "/Info.json");
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.info);
        }
        EXPECT_EQ(ParameterSettings::shortVersion(foundation::Bundle::open(folder.toStdString())), c.version)
            << c.folder;
    }
    EXPECT_EQ(ParameterSettings::shortVersion(std::nullopt), "Unknown");

    // Linked into this program: the program's own bundle.
    const QString own = foundation::Bundle::main().shortVersionString();
    ASSERT_FALSE(own.isEmpty());
    EXPECT_EQ(TestSettings().pluginVersion(), own.toStdString());
}

} // namespace
} // namespace mossbell
