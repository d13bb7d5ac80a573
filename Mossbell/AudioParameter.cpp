#include "Mossbell/AudioParameter.h"

#include "Mossbell/UnitSuffix.h"

#include "platform/audiounit/HostTime.h"
#include "platform/audiounit/ParameterTree.h"
#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <cmath>

namespace mossbell {

namespace {

std::uint32_t treeFlags(au::ParameterUnit units, const std::optional<std::vector<std::string>>& valueStrings,
                        const std::optional<std::vector<au::ParameterAddress>>& dependents)
{
    namespace flag = au::parameterFlag;
    std::uint32_t flags = flag::isWritable | flag::isReadable;
    if (dependents && !dependents->empty())
        flags |= flag::isGlobalMeta | flag::hasClump;
    if (valueStrings && !valueStrings->empty())
        flags |= flag::valuesHaveStrings;
    if (units == au::ParameterUnit::decibels || units == au::ParameterUnit::linearGain ||
        units == au::ParameterUnit::absoluteCents)
        flags |= flag::canRamp;
    return flags;
}

} // namespace

std::shared_ptr<AudioParameter> AudioParameter::create(
    au::ParameterAddress address, std::string identifier, std::string name, au::ParameterUnit units,
    ValueRange valueRange, float defaultValue, ValueIncrement valueIncrement,
    std::optional<std::vector<std::string>> valueStrings,
    std::optional<std::vector<au::ParameterAddress>> dependentParameterAddresses)
{
    return std::shared_ptr<AudioParameter>(new AudioParameter(
        address, std::move(identifier), std::move(name), units, valueRange, defaultValue, valueIncrement,
        std::move(valueStrings), std::move(dependentParameterAddresses)));
}

std::shared_ptr<AudioParameter> AudioParameter::dummyParam()
{
    return create(0, {}, {}, au::ParameterUnit::customUnit, {0.0f, 0.0f}, 0.0f, ValueIncrement::linear(),
                  std::nullopt, std::nullopt);
}

AudioParameter::AudioParameter(au::ParameterAddress address, std::string identifier, std::string name,
                               au::ParameterUnit units, ValueRange valueRange, float defaultValue,
                               ValueIncrement valueIncrement, std::optional<std::vector<std::string>> valueStrings,
                               std::optional<std::vector<au::ParameterAddress>> dependentParameterAddresses)
    : address_(address),
      identifier_(std::move(identifier)),
      name_(std::move(name)),
      units_(units),
      valueRange_(valueRange),
      defaultValue_(defaultValue),
      valueIncrement_(valueIncrement),
      valueStrings_(std::move(valueStrings)),
      dependentParameterAddresses_(std::move(dependentParameterAddresses)),
      value_(defaultValue),
      valueMirror_(defaultValue)
{
    // The clamp in setValue relies on real bounds.
    if (std::isnan(valueRange_.lower) || std::isnan(valueRange_.upper))
        foundation::fatalError("parameter range bound is NaN", __FILE__, __LINE__);

    auParameter_ = au::ParameterTree::createParameter(
        identifier_, name_, address_, valueRange_.lower, valueRange_.upper, units_,
        std::string(mossbell::displayableSuffix(units_)), treeFlags(units_, valueStrings_, dependentParameterAddresses_),
        valueStrings_, dependentParameterAddresses_);
    auParameter_->setValue(defaultValue_);
}

AudioParameter::~AudioParameter() = default;

float AudioParameter::value() const
{
    if (foundation::mainQueue::isMainThread())
        return value_.get();
    return valueMirror_.load(std::memory_order_relaxed);
}

foundation::ObservationToken AudioParameter::observeValue(std::function<void(float)> callback)
{
    return value_.observe(std::move(callback));
}

bool AudioParameter::isBeingInteractivelyEdited() const { return isBeingInteractivelyEdited_.get(); }

void AudioParameter::setBeingInteractivelyEdited(bool editing) { isBeingInteractivelyEdited_.set(editing); }

foundation::ObservationToken AudioParameter::observeBeingInteractivelyEdited(std::function<void(bool)> callback)
{
    return isBeingInteractivelyEdited_.observe(std::move(callback));
}

void AudioParameter::setValue(float value, ParameterEditor source, ParameterEditorState state)
{
    // Written so that NaN ends at the lower bound.
    float v = valueRange_.lower <= value ? value : valueRange_.lower;
    v = v <= valueRange_.upper ? v : valueRange_.upper;

    // A repeated value costs nothing: drags, the 60 Hz poll and automation repeat a lot.
    if (v == valueMirror_.load(std::memory_order_relaxed) && state == ParameterEditorState::change)
        return;

    if (source == ParameterEditor::ui)
        auParameter_->setValue(v, nullptr, au::currentHostTime(), automationEventType(state));

    foundation::mainQueue::async([self = shared_from_this(), v, source] { self->apply(v, source); });
}

void AudioParameter::apply(float value, ParameterEditor source)
{
    // A dragged control must not jump back to what the host or the kernel sends meanwhile.
    if (isBeingInteractivelyEdited_.get() && source != ParameterEditor::ui)
        return;
    valueMirror_.store(value, std::memory_order_relaxed);
    value_.set(value);
}

float AudioParameter::displayableValue() const
{
    const float current = value();
    return units_ == au::ParameterUnit::absoluteCents ? current / 100.0f : current;
}

std::string_view AudioParameter::displayableSuffix() const { return mossbell::displayableSuffix(units_); }

float AudioParameter::saveScaleFactor() const { return units_ == au::ParameterUnit::absoluteCents ? 0.01f : 1.0f; }

float AudioParameter::displayScaleFactor() const
{
    return units_ == au::ParameterUnit::absoluteCents ? 100.0f : 1.0f;
}

bool AudioParameter::isIndexed() const { return units_ == au::ParameterUnit::indexed; }

} // namespace mossbell
