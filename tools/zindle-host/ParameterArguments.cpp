#include "tools/zindle-host/ParameterArguments.h"

#include "tools/zindle-host/HostError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>

namespace zindlehost {

namespace {

constexpr std::string_view automationForm = "<identifier>=<seconds>:<value>[,<seconds>:<value>...]";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<double> parseNumber(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double number = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(number))
        return std::nullopt;
    return number;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b,
                              [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// "Retro, Modern" style text of a value string list.
std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const auto& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

[[noreturn]] void badAutomation(std::string_view text, const std::string& fault)
{
    throw HostError(ExitCode::usage, "bad automation '" + std::string(text) + "': " + fault + " (expected "
                                         + std::string(automationForm) + ")");
}

} // namespace

ParameterAssignment parseAssignment(std::string_view text)
{
    const auto equals = text.find('=');
    const std::string_view identifier = trimmed(text.substr(0, equals));
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view{} : trimmed(text.substr(equals + 1));
    if (equals == std::string_view::npos || identifier.empty() || value.empty())
        throw HostError(ExitCode::usage, "bad setting '" + std::string(text) + "' (expected <identifier>=<value>)");
    return {std::string(identifier), std::string(value)};
}

AutomationLane parseAutomation(std::string_view text)
{
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        badAutomation(text, "no '='");
    AutomationLane lane;
    lane.identifier = std::string(trimmed(text.substr(0, equals)));
    if (lane.identifier.empty())
        badAutomation(text, "no parameter identifier");

    std::string_view rest = text.substr(equals + 1);
    if (trimmed(rest).empty())
        badAutomation(text, "no points");
    for (;;) {
        const auto comma = rest.find(',');
        const std::string_view point = trimmed(rest.substr(0, comma));
        const auto colon = point.find(':');
        if (colon == std::string_view::npos)
            badAutomation(text, "point '" + std::string(point) + "' has no ':' between time and value");
        const std::string_view time = point.substr(0, colon);
        const std::string_view value = trimmed(point.substr(colon + 1));
        const auto seconds = parseNumber(time);
        if (!seconds || *seconds < 0.0)
            badAutomation(text, "time '" + std::string(trimmed(time)) + "' is not a number of seconds from 0 up");
        if (value.empty())
            badAutomation(text, "point '" + std::string(point) + "' has no value");
        if (!lane.points.empty() && *seconds <= lane.points.back().seconds)
            badAutomation(text, "times must increase, but " + std::string(trimmed(time)) + " follows "
                                    + numberText(lane.points.back().seconds));
        lane.points.push_back({*seconds, std::string(value)});
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return lane;
}

std::shared_ptr<au::Parameter> findParameter(const au::ParameterTree& tree, std::string_view identifier)
{
    std::vector<std::string> known;
    for (const auto& parameter : tree.allParameters()) {
        if (parameter->identifier() == identifier)
            return parameter;
        known.push_back(parameter->identifier());
    }
    throw HostError(ExitCode::usage,
                    "unknown parameter '" + std::string(identifier) + "' (the effect has " + joined(known) + ")");
}

bool takesWholeNumbers(const au::Parameter& parameter)
{
    return parameter.unit() == au::ParameterUnit::indexed || parameter.unit() == au::ParameterUnit::boolean;
}

au::AUValue parseValue(const au::Parameter& parameter, std::string_view text)
{
    const std::string range = numberText(parameter.minValue()) + " to " + numberText(parameter.maxValue());
    const auto& names = parameter.valueStrings();
    const auto fail = [&](const char* number = "a number") -> au::AUValue {
        const std::string expected =
            (names ? "one of " + joined(*names) + " or " : std::string()) + number + " from " + range;
        throw HostError(ExitCode::usage, "bad value '" + std::string(text) + "' for " + parameter.identifier()
                                             + ": expected " + expected);
    };

    au::AUValue value = 0.0f;
    if (const auto numeric = parseNumber(text)) {
        // The effect would cut a fraction off without a word.
        if (takesWholeNumbers(parameter) && *numeric != std::trunc(*numeric))
            return fail("a whole number");
        value = static_cast<au::AUValue>(*numeric);
    } else {
        if (!names)
            return fail();
        const std::string_view wanted = trimmed(text);
        auto match = std::ranges::find(*names, wanted);
        if (match == names->end())
            match = std::ranges::find_if(*names,
                                         [&](const std::string& name) { return equalIgnoringCase(name, wanted); });
        if (match == names->end())
            return fail();
        // Value strings name the values from 0 up. The effect's text conversion is for typed
        // numbers (it reads a name as 0), so the index is the name's value.
        value = static_cast<au::AUValue>(match - names->begin());
    }
    if (!(value >= parameter.minValue() && value <= parameter.maxValue()))
        return fail();
    return value;
}

std::vector<ResolvedSetting> resolveSettings(const au::ParameterTree& tree,
                                             const std::vector<ParameterAssignment>& assignments)
{
    std::vector<ResolvedSetting> resolved;
    for (const auto& assignment : assignments) {
        auto parameter = findParameter(tree, assignment.identifier);
        const au::AUValue value = parseValue(*parameter, assignment.value);
        resolved.push_back({std::move(parameter), value});
    }
    return resolved;
}

std::string numberText(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

} // namespace zindlehost
