#include "platform/audiounit/Parameter.h"

#include "platform/audiounit/ParameterTree.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace au {

namespace {

// The name of the value's index when the parameter names its values; the index is the value
// truncated toward zero, checked before the conversion (infinities and NaN have none).
const std::string* nameOfValue(const Parameter& parameter, AUValue value)
{
    const auto& names = parameter.valueStrings();
    if (!names || !(value > -1.0f) || !(value < static_cast<AUValue>(names->size())))
        return nullptr;
    return &(*names)[static_cast<std::size_t>(value)];
}

std::string defaultString(const Parameter& parameter, AUValue value)
{
    if (const std::string* name = nameOfValue(parameter, value))
        return *name;
    // Shortest text that reads back as exactly this value, locale independent.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

AUValue defaultValue(const Parameter& parameter, const std::string& text)
{
    if (const auto& names = parameter.valueStrings()) {
        for (std::size_t index = 0; index < names->size(); ++index) {
            if ((*names)[index] == text)
                return static_cast<AUValue>(index);
        }
    }
    // The whole text must be the number (from_chars skips no white space); a plus sign is
    // allowed, as people type it.
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+' && begin + 1 != end && begin[1] != '-' && begin[1] != '+')
        ++begin;
    AUValue value = 0.0f;
    const auto [pointer, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || pointer != end || std::isnan(value))
        return 0.0f;
    return value;
}

} // namespace

Parameter::Parameter(Key, std::string identifier, std::string displayName, ParameterAddress address,
                     AUValue minValue, AUValue maxValue, ParameterUnit unit, std::string unitName,
                     std::uint32_t flags, std::optional<std::vector<std::string>> valueStrings,
                     std::optional<std::vector<ParameterAddress>> dependentParameters)
    : identifier_(std::move(identifier))
    , displayName_(std::move(displayName))
    , address_(address)
    , minValue_(minValue)
    , maxValue_(maxValue)
    , unit_(unit)
    , unitName_(std::move(unitName))
    , flags_(flags)
    , valueStrings_(std::move(valueStrings))
    , dependentParameters_(std::move(dependentParameters))
    , value_(minValue)
{
}

Parameter::~Parameter() = default;

std::shared_ptr<ParameterTree> Parameter::tree() const
{
    const std::lock_guard lock(treeMutex_);
    return tree_.lock();
}

void Parameter::setTree(const std::shared_ptr<ParameterTree>& tree)
{
    const std::lock_guard lock(treeMutex_);
    tree_ = tree;
}

AUValue Parameter::value() const
{
    if (const auto owner = tree()) {
        if (const auto provider = owner->valueProvider(); provider && *provider)
            return (*provider)(*this);
    }
    return storedValue();
}

void Parameter::setValue(AUValue value)
{
    setValue(value, nullptr, 0, AutomationEventType::value);
}

void Parameter::setValue(AUValue value, const void* originator, std::uint64_t hostTime, AutomationEventType type)
{
    value_.store(value, std::memory_order_release);
    if (const auto owner = tree())
        owner->didSet(*this, value, originator, hostTime, type);
}

std::string Parameter::string(const AUValue* value) const
{
    const auto owner = tree();
    if (owner) {
        if (const auto callback = owner->stringFromValue(); callback && *callback)
            return (*callback)(*this, value);
    }
    return defaultString(*this, value ? *value : this->value());
}

AUValue Parameter::value(const std::string& text) const
{
    if (const auto owner = tree()) {
        if (const auto callback = owner->valueFromString(); callback && *callback)
            return (*callback)(*this, text);
    }
    return defaultValue(*this, text);
}

} // namespace au
