#include "platform/audiounit/validation/ParameterChecks.h"

#include "platform/audiounit/ParameterTree.h"

#include <cmath>
#include <set>

namespace au::validation {

namespace {

// Index texts are tried for every value up to this many values.
constexpr int maximumIndexedValuesTried = 64;

} // namespace

void ParameterChecks::run()
{
    const std::shared_ptr<ParameterTree>& tree = unit_.parameterTree();
    if (!tree || tree->allParameters().empty()) {
        report_.pass("parameters", "the unit has none");
        return;
    }
    const auto& parameters = tree->allParameters();
    std::vector<std::string> faults;
    std::set<ParameterAddress> addresses;
    std::set<std::string> identifiers;
    for (const auto& parameter : parameters) {
        if (!addresses.insert(parameter->address()).second)
            faults.push_back("address " + std::to_string(parameter->address()) + " is used twice");
        if (parameter->identifier().empty())
            faults.push_back("the parameter at address " + std::to_string(parameter->address())
                             + " has no identifier");
        else if (!identifiers.insert(parameter->identifier()).second)
            faults.push_back("identifier " + quoted(parameter->identifier()) + " is used twice");
    }
    report_.check(faults.empty(), "parameters",
                  faults.empty() ? std::to_string(parameters.size()) + " in the tree, addresses and identifiers unique"
                                 : join(faults));
    for (const auto& parameter : parameters) {
        const std::string name =
            "parameter " + std::to_string(parameter->address()) + " " + quoted(parameter->identifier());
        guarded(report_, name, [&] { checkParameter(*parameter, name); });
    }
}

void ParameterChecks::checkParameter(const Parameter& parameter, const std::string& name)
{
    std::vector<std::string> faults;
    const AUValue min = parameter.minValue();
    const AUValue max = parameter.maxValue();
    const bool rangeSane = std::isfinite(min) && std::isfinite(max) && min <= max;
    if (!rangeSane)
        faults.push_back("range " + number(min) + " to " + number(max) + " is not a finite, ordered range");
    const std::uint32_t flags = parameter.flags();
    if (!(flags & parameterFlag::isReadable))
        faults.push_back("not readable");
    if (!(flags & parameterFlag::isWritable))
        faults.push_back("not writable");
    const AUValue current = parameter.value();
    if (!std::isfinite(current) || (rangeSane && (current < min || current > max)))
        faults.push_back("value " + number(current) + " lies outside its range");

    const bool stepped = parameter.unit() == ParameterUnit::indexed || parameter.unit() == ParameterUnit::boolean;
    if (stepped && rangeSane && (std::floor(min) != min || std::floor(max) != max))
        faults.push_back("an indexed range needs whole bounds, not " + number(min) + " to " + number(max));
    const auto& strings = parameter.valueStrings();
    if (strings && parameter.unit() == ParameterUnit::indexed && rangeSane) {
        const double values = double(max) - double(min) + 1.0;
        if (double(strings->size()) != values)
            faults.push_back(std::to_string(strings->size()) + " value strings for " + number(values)
                             + " index values");
    }

    std::size_t roundTrips = 0;
    if (rangeSane) {
        for (const AUValue value : valuesToTry(parameter, stepped)) {
            ++roundTrips;
            if (auto fault = roundTripFault(parameter, value, stepped)) {
                faults.push_back(*fault);
                break;
            }
        }
    }
    if (!faults.empty()) {
        report_.fail(name, join(faults));
        return;
    }
    report_.pass(name, quoted(parameter.displayName()) + ", " + number(min) + " to " + number(max)
                           + (parameter.unitName().empty() ? "" : " " + parameter.unitName()) + ", value "
                           + number(current) + ", " + std::to_string(roundTrips) + " text round trips");
}

std::vector<AUValue> ParameterChecks::valuesToTry(const Parameter& parameter, bool stepped)
{
    const AUValue min = parameter.minValue();
    const AUValue max = parameter.maxValue();
    std::vector<AUValue> values;
    if (stepped && double(max) - double(min) < maximumIndexedValuesTried) {
        // Counted in steps: adding 1 to a large float may leave it where it was.
        const auto steps = static_cast<int>(double(max) - double(min));
        for (int step = 0; step <= steps; ++step)
            values.push_back(static_cast<AUValue>(double(min) + step));
        return values;
    }
    const AUValue middle = min + (max - min) / 2.0f;
    values = {min, max, stepped ? std::round(middle) : middle, parameter.value()};
    return values;
}

// value -> text -> value must land in the range and give the same text again (and, for an
// index, the same value).
std::optional<std::string> ParameterChecks::roundTripFault(const Parameter& parameter, AUValue value, bool stepped)
{
    const std::string text = parameter.string(&value);
    const std::string start = number(value) + " -> " + quoted(text);
    if (text.empty())
        return "value " + number(value) + " has no text";
    const AUValue back = parameter.value(text);
    if (!std::isfinite(back) || back < parameter.minValue() || back > parameter.maxValue())
        return start + " -> " + number(back) + ", outside the range";
    if (stepped && back != value)
        return start + " -> " + number(back) + ", another value";
    const std::string again = parameter.string(&back);
    if (again != text)
        return start + " -> " + number(back) + " -> " + quoted(again) + ", another text";
    return std::nullopt;
}

} // namespace au::validation
