#include "Mossbell/ParameterSettings.h"

#include "platform/audiounit/ParameterTree.h"
#include "platform/foundation/Bundle.h"

#include <QJsonValue>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <random>

namespace mossbell {

namespace {

// Marks this module's code: the bundle holding it is the plug-in's, not the host's.
const char bundleFinder = 0;

std::uint64_t processHashSeed()
{
    static const std::uint64_t seed = [] {
        std::random_device device;
        return (std::uint64_t(device()) << 32) ^ device();
    }();
    return seed;
}

// A 64-bit finaliser (the one of splitmix64): every input bit reaches every output bit.
constexpr std::uint64_t mix(std::uint64_t x)
{
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ull;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebull;
    x ^= x >> 31;
    return x;
}

// The C locale for reading typed values, whatever locale the application runs in.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return locale;
}

bool startsWithWhiteSpace(const std::string& text)
{
    switch (text.front()) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
        return true;
    default:
        return false;
    }
}

} // namespace

ParameterSettings::Hasher::Hasher() : state_(processHashSeed()) {}

void ParameterSettings::Hasher::combine(std::uint64_t value)
{
    state_ = mix(state_ ^ (value + 0x9e3779b97f4a7c15ull + (state_ << 6) + (state_ >> 2)));
}

void ParameterSettings::Hasher::combine(float value)
{
    combine(std::uint64_t(std::bit_cast<std::uint32_t>(value == 0.0f ? 0.0f : value)));
}

std::size_t ParameterSettings::Hasher::finalize() const { return static_cast<std::size_t>(mix(state_)); }

ParameterSettings::ParameterSettings() = default;
ParameterSettings::~ParameterSettings() = default;

void ParameterSettings::setupParameters(std::vector<std::shared_ptr<AudioParameter>> parameters)
{
    parameters_ = std::move(parameters);
}

std::string ParameterSettings::pluginVersion() const
{
    return shortVersion(foundation::Bundle::containing(&bundleFinder));
}

std::string ParameterSettings::shortVersion(const std::optional<foundation::Bundle>& bundle)
{
    if (!bundle)
        return "Unknown";
    const QJsonValue version = bundle->infoDictionary().value(QStringLiteral("CFBundleShortVersionString"));
    return version.isString() ? version.toString().toStdString() : std::string("Unknown");
}

std::shared_ptr<MossAudioUnit> ParameterSettings::audioUnit() const
{
    std::weak_ptr<MossAudioUnit> unit;
    {
        const std::lock_guard lock(audioUnitMutex_);
        unit = audioUnit_;
    }
    return unit.lock();
}

void ParameterSettings::configureAudioUnit(const std::shared_ptr<MossAudioUnit>& audioUnit)
{
    {
        const std::lock_guard lock(audioUnitMutex_);
        audioUnit_ = audioUnit;
    }

    std::vector<std::shared_ptr<au::Parameter>> children;
    children.reserve(parameters_.size());
    for (const auto& parameter : parameters_)
        children.push_back(parameter->auParameter());
    audioUnit->setParameterTree(au::ParameterTree::createTree(std::move(children)));

    for (const auto& parameter : parameters_)
        audioUnit->setParameter(parameter->address(), parameter->value());
}

void ParameterSettings::setupParameterTreeListeners()
{
    // Each callback looks the unit and its tree up afresh: one that is gone skips only itself.
    auto tree = [this]() -> std::shared_ptr<au::ParameterTree> {
        const auto unit = audioUnit();
        return unit ? unit->parameterTree() : nullptr;
    };

    if (const auto t = tree()) {
        // Host's parameter thread. The tree outlives nothing of ours: hold the settings weakly.
        t->setImplementorValueObserver(
            [weakSelf = weak_from_this()](au::Parameter& parameter, au::AUValue value) {
                if (const auto self = weakSelf.lock())
                    self->setValue(value, parameter.address(), ParameterEditor::parameterObserver);
            });
    }
    if (const auto t = tree())
        t->setImplementorStringFromValueCallback(&ParameterSettings::stringFromValue);
    if (const auto t = tree())
        t->setImplementorValueFromStringCallback(&ParameterSettings::valueFromString);
}

void ParameterSettings::setValue(float value, au::ParameterAddress address, ParameterEditor source)
{
    for (const auto& parameter : parameters_) {
        if (parameter->address() != address)
            continue;
        parameter->setValue(value, source, ParameterEditorState::change);
        const auto& dependents = parameter->dependentParameterAddresses();
        if (dependents && !dependents->empty())
            updateDependentValues(address, value);
        break;
    }
    if (const auto unit = audioUnit())
        unit->setParameter(address, value);
}

std::size_t ParameterSettings::paramsHash() const
{
    Hasher hasher;
    for (const auto& parameter : parameters_)
        hasher.combine(parameter->value());
    hashAdditionalValues(hasher);
    return hasher.finalize();
}

void ParameterSettings::hashAdditionalValues(Hasher&) const {}

void ParameterSettings::updateDependentValues(au::ParameterAddress, float) {}

std::string ParameterSettings::stringFromValue(const au::Parameter& parameter, const float* value)
{
    if (value == nullptr || std::isnan(*value))
        return "-";
    const auto& strings = parameter.valueStrings();
    // Only a finite value in the range of indices converts to one.
    if (strings && std::isfinite(*value)) {
        const double truncated = std::trunc(double(*value));
        if (truncated >= 0.0 && truncated < double(strings->size()))
            return (*strings)[static_cast<std::size_t>(truncated)];
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.f", double(*value));
    return text;
}

float ParameterSettings::valueFromString(const au::Parameter& parameter, const std::string& text)
{
    // The names stringFromValue shows read back as their index, so a host's typed-in text
    // round-trips instead of turning every name into 0.
    if (const auto& strings = parameter.valueStrings()) {
        const auto match = std::find(strings->begin(), strings->end(), text);
        if (match != strings->end())
            return static_cast<float>(match - strings->begin());
    }
    if (text.empty() || startsWithWhiteSpace(text))
        return 0.0f;
    char* end = nullptr;
    errno = 0;
    const float value = strtof_l(text.c_str(), &end, cLocale());
    // An embedded NUL also stops the parse short of the end.
    if (end != text.c_str() + text.size() || std::isnan(value))
        return 0.0f;
    return value;
}

} // namespace mossbell
