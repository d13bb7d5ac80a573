#include "platform/update/VersionWeight.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace update {

namespace {

// An optional sign and one or more decimal digits, nothing else, within 64 bits; else 0.
std::int64_t componentValue(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    if (text.front() == '+')
        text.remove_prefix(1); // from_chars takes a minus sign only
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

constexpr std::int64_t saturated(bool negative)
{
    return negative ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
}

// Saturating, so an absurd version still orders sensibly instead of wrapping.
std::int64_t saturatingMultiply(std::int64_t a, std::int64_t b)
{
    std::int64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? saturated((a < 0) != (b < 0)) : product;
}

std::int64_t saturatingAdd(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? saturated(b < 0) : sum;
}

std::int64_t positionWeight(std::size_t position)
{
    switch (position) {
    case 0:
        return 10000;
    case 1:
        return 100;
    default:
        return 1;
    }
}

} // namespace

std::int64_t convertVersionToWeight(std::string_view version)
{
    std::int64_t weight = 0;
    std::size_t position = 0;
    while (!version.empty()) {
        const std::size_t dot = version.find('.');
        const std::string_view component = version.substr(0, dot);
        version = dot == std::string_view::npos ? std::string_view() : version.substr(dot + 1);
        if (component.empty())
            continue;
        weight = saturatingAdd(weight, saturatingMultiply(componentValue(component), positionWeight(position)));
        ++position;
    }
    return weight;
}

} // namespace update
