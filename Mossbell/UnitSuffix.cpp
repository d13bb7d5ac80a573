#include "Mossbell/UnitSuffix.h"

#include <algorithm>
#include <array>

namespace mossbell {

namespace {

struct UnitSuffix {
    au::ParameterUnit unit;
    std::string_view suffix;
};

constexpr std::array<UnitSuffix, 4> unitSuffixes{{
    {au::ParameterUnit::percent, "%"},
    {au::ParameterUnit::hertz, "Hz"},
    {au::ParameterUnit::decibels, "dB"},
    {au::ParameterUnit::milliseconds, "MS"},
}};

} // namespace

std::string_view displayableSuffix(au::ParameterUnit unit)
{
    const auto* entry = std::find_if(unitSuffixes.begin(), unitSuffixes.end(),
                                     [unit](const UnitSuffix& e) { return e.unit == unit; });
    return entry != unitSuffixes.end() ? entry->suffix : std::string_view();
}

} // namespace mossbell
