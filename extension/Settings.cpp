#include "extension/Settings.h"

#include "extension/ModePresets.h"
#include "extension/SimpleSparklerChecker.h"
#include "extension/ZindleAudioUnit.h"

#include "platform/audiounit/ParameterTree.h"
#include "platform/foundation/Fetch.h"
#include "platform/foundation/MainQueue.h"
#include "platform/foundation/RepeatingTimer.h"
#include "platform/update/FeedAddress.h"
#include "platform/update/VersionWeight.h"

#include <QByteArray>

#include <span>
#include <string_view>

namespace zindle {

namespace {

using Unit = au::ParameterUnit;
using A = ParameterAddress;

// One row of the parameter table.
struct ParameterSpec {
    std::uint64_t address;
    std::string_view identifier;
    std::string_view name;
    Unit unit;
    float minimum;
    float maximum;
    float defaultValue;
    std::span<const std::string_view> valueStrings;    // empty: none
    std::span<const std::uint64_t> dependentAddresses; // empty: none
};

constexpr std::string_view voiceModeStrings[] = {"Voiced", "Unvoiced", "Auto Noise", "Auto Voice"};
constexpr std::string_view mainModeStrings[] = {"Retro", "Modern"};
constexpr std::string_view retroModeStrings[] = {"Nuvo", "Tazmania", "Talkbox"};
// In the order the presets load them.
constexpr std::uint64_t mainModeDependents[] = {A::retroMode, A::voiceMode, A::whiteNoiseLevel,
                                                A::whiteNoiseThreshold, A::quality, A::formantShift,
                                                A::crush, A::compress, A::lowPassFilter, A::highPassFilter};
constexpr std::uint64_t retroModeDependents[] = {A::voiceMode, A::whiteNoiseLevel, A::whiteNoiseThreshold,
                                                 A::quality, A::formantShift, A::crush,
                                                 A::compress, A::lowPassFilter, A::highPassFilter};

// The effect's parameters, in address order.
constexpr std::array<ParameterSpec, A::count> parameterTable{{
    {A::quality, "quality", "Quality", Unit::indexed, 1, 48, 48, {}, {}},
    {A::whiteNoiseLevel, "whiteNoiseLevel", "UV Level", Unit::decibels, -60, 6, -20, {}, {}},
    {A::whiteNoiseThreshold, "whiteNoiseThreshold", "Threshold", Unit::linearGain, 0, 1, 0.3f, {}, {}},
    {A::highPassFilter, "highPassFilter", "High Pass", Unit::boolean, 0, 1, 0, {}, {}},
    {A::outputGain, "outputGain", "Output", Unit::decibels, -60, 6, 0, {}, {}},
    {A::voiceInputGain, "voiceInputGain", "Voice In", Unit::decibels, -60, 6, 0, {}, {}},
    {A::synthInputGain, "synthInputGain", "Synth In", Unit::decibels, -60, 6, 0, {}, {}},
    {A::voiceMode, "voiceMode", "Voice Mode", Unit::indexed, 0, 3, 0, voiceModeStrings, {}},
    {A::formantShift, "formantShift", "Shift", Unit::absoluteCents, -1200, 1200, 0, {}, {}},
    {A::lowPassFilter, "lowPassFilter", "Low Pass", Unit::boolean, 0, 1, 0, {}, {}},
    {A::crush, "crush", "Crush", Unit::boolean, 0, 1, 0, {}, {}},
    {A::compress, "compress", "Compress", Unit::boolean, 0, 1, 0, {}, {}},
    {A::mainMode, "mainMode", "Main Mode", Unit::indexed, 0, 1, 1, mainModeStrings, mainModeDependents},
    {A::retroMode, "retroMode", "Retro Mode", Unit::indexed, 0, 2, 2, retroModeStrings, retroModeDependents},
    {A::freeze, "freeze", "Freeze", Unit::boolean, 0, 1, 0, {}, {}},
}};

static_assert([] {
    for (std::size_t i = 0; i < parameterTable.size(); ++i)
        if (parameterTable[i].address != i)
            return false;
    return true;
}(), "the parameter table is in address order");

std::shared_ptr<mossbell::AudioParameter> makeParameter(const ParameterSpec& spec)
{
    std::optional<std::vector<std::string>> valueStrings;
    if (!spec.valueStrings.empty())
        valueStrings.emplace(spec.valueStrings.begin(), spec.valueStrings.end());
    std::optional<std::vector<au::ParameterAddress>> dependents;
    if (!spec.dependentAddresses.empty())
        dependents.emplace(spec.dependentAddresses.begin(), spec.dependentAddresses.end());
    return mossbell::AudioParameter::create(spec.address, std::string(spec.identifier), std::string(spec.name),
                                            spec.unit, {spec.minimum, spec.maximum}, spec.defaultValue,
                                            mossbell::AudioParameter::ValueIncrement::linear(),
                                            std::move(valueStrings), std::move(dependents));
}

} // namespace

Settings::Settings(Clock clock)
    : clock_(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); })),
      lastMeterDate_(clock_()),
      lastDecayDate_(lastMeterDate_),
      updateFeedUrl_(update::feedUrl())
{
    for (const ParameterSpec& spec : parameterTable)
        byAddress_[spec.address] = makeParameter(spec);

    std::vector<std::shared_ptr<mossbell::AudioParameter>> inTreeOrder;
    inTreeOrder.reserve(treeOrder.size());
    for (const std::uint64_t address : treeOrder)
        inTreeOrder.push_back(byAddress_[address]);
    setupParameters(std::move(inTreeOrder));
}

Settings::~Settings()
{
    if (!pollTimer_)
        return;
    if (foundation::mainQueue::isMainThread())
        pollTimer_->invalidate();
    else // a Qt timer stops only on its own thread; its action finds no model meanwhile
        foundation::mainQueue::async([timer = std::move(pollTimer_)] { timer->invalidate(); });
}

std::shared_ptr<Settings> Settings::sharedSettings()
{
    return std::static_pointer_cast<Settings>(shared_from_this());
}

void Settings::updateLevels(double synthIn, double voiceIn, double out)
{
    synthInLevel_.set(synthIn);
    voiceInLevel_.set(voiceIn);
    outLevel_.set(out);
}

foundation::ObservationToken Settings::observeSynthInLevel(std::function<void(double)> callback)
{
    return synthInLevel_.observe(std::move(callback));
}

foundation::ObservationToken Settings::observeVoiceInLevel(std::function<void(double)> callback)
{
    return voiceInLevel_.observe(std::move(callback));
}

foundation::ObservationToken Settings::observeOutLevel(std::function<void(double)> callback)
{
    return outLevel_.observe(std::move(callback));
}

double Settings::levelFromDecibels(float decibels)
{
    // Written so that NaN reads as silence.
    if (!(decibels > -60.0f))
        return 0.0;
    if (decibels >= 0.0f)
        return 100.0;
    return (double(decibels) + 60.0) / 60.0 * 100.0;
}

void Settings::configureAudioUnit(const std::shared_ptr<mossbell::MossAudioUnit>& audioUnit)
{
    ParameterSettings::configureAudioUnit(audioUnit);

    const auto unit = std::dynamic_pointer_cast<ZindleAudioUnit>(audioUnit);
    if (!unit)
        return;
    zindleAU_ = unit;

    if (pollTimer_)
        pollTimer_->invalidate();
    // The timer never keeps the model alive.
    pollTimer_ = std::make_shared<foundation::RepeatingTimer>(pollInterval, [weakSelf = weak_from_this()] {
        if (const auto self = weakSelf.lock())
            static_cast<Settings&>(*self).pollKernel();
    });

    if (const auto& tree = unit->parameterTree()) {
        // Host's threads: the value the kernel holds, render events included. Once the unit is
        // gone, the parameter's own stored value (asking value() would come back here).
        tree->setImplementorValueProvider(
            [weakUnit = std::weak_ptr<ZindleAudioUnit>(unit)](const au::Parameter& parameter) -> au::AUValue {
                if (const auto alive = weakUnit.lock())
                    return alive->kernel().parameterValue(parameter.address());
                return parameter.storedValue();
            });
    }

    checkForUpdates();
}

bool Settings::isPolling() const { return pollTimer_ && pollTimer_->isValid(); }

void Settings::pollKernel()
{
    const auto unit = zindleAU_.lock();
    if (!unit)
        return;
    DSPKernel& kernel = unit->kernel();

    // Routing hands the value back to the unit, which stores it without raising the bit again.
    const std::uint32_t changed = kernel.takeChangedMask();
    for (std::uint64_t address = 0; address < A::count; ++address) {
        if (changed & (std::uint32_t(1) << address))
            setValue(kernel.parameterValue(address), address, mossbell::ParameterEditor::parameterObserver);
    }

    const bool fresh = kernel.takeMetersReady();
    const TimePoint now = clock_();
    if (fresh) {
        lastMeterDate_ = now;
        const auto db = kernel.meterDb();
        updateLevels(levelFromDecibels(db[DSPKernel::synthInputMeter]), levelFromDecibels(db[DSPKernel::voiceInputMeter]),
                     levelFromDecibels(db[DSPKernel::outputMeter]));
        return;
    }

    // No audio lately: let the meters fall, one halving per hold period, to 0 once all are small.
    if (now - lastMeterDate_ <= meterHold)
        return;
    if (clock_() - lastDecayDate_ <= meterHold)
        return;
    lastDecayDate_ = clock_();
    const double synthIn = synthInLevel_.get() * 0.5;
    const double voiceIn = voiceInLevel_.get() * 0.5;
    const double out = outLevel_.get() * 0.5;
    if (synthIn >= 5.0 || voiceIn >= 5.0 || out >= 5.0)
        updateLevels(synthIn, voiceIn, out);
    else
        updateLevels(0.0, 0.0, 0.0);
}

const std::optional<mossbell::UpdateAvailableDetails>& Settings::updateDetails() const
{
    updateDetailsRegistrar_.access();
    return updateDetails_;
}

void Settings::setUpdateDetails(std::optional<mossbell::UpdateAvailableDetails> details)
{
    updateDetails_ = std::move(details);
    updateDetailsRegistrar_.didChange();
}

foundation::ObservationToken Settings::observeUpdateDetails(std::function<void()> callback)
{
    return updateDetailsRegistrar_.addObserver(std::move(callback));
}

void Settings::checkForUpdates(std::function<void()> finished)
{
    const std::int64_t ownWeight = update::convertVersionToWeight(pluginVersion());
    auto check = [self = sharedSettings(), ownWeight, finished = std::move(finished)](
                           foundation::FetchResult result) {
        // Whatever body arrived is read, whatever the status; no response ends the check.
        if (result.succeeded()) {
            SimpleSparklerChecker checker;
            checker.parse(result.body);
            const std::optional<QString> latest = checker.latestVersion();
            if (latest && ownWeight < update::convertVersionToWeight(latest->toStdString()))
                self->setUpdateDetails(mossbell::UpdateAvailableDetails{latest->toStdString()});
        }
        if (finished)
            finished();
    };
    foundation::fetch(updateFeedUrl_, std::move(check), foundation::defaultFetchTimeout, update::feedSizeLimit);
}

void Settings::updateDependentValues(std::uint64_t address, float value)
{
    const auto presets = modePresetValues(address, value, [this] { return mainMode()->value(); });
    for (const PresetValue& preset : presets)
        setValue(preset.value, preset.address, mossbell::ParameterEditor::ui);
}

} // namespace zindle
