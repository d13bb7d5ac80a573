#pragma once

#include "platform/foundation/FatalError.h"

#include <QString>

#include <cmath>
#include <concepts>
#include <optional>
#include <ranges>
#include <source_location>
#include <type_traits>
#include <utility>

// Small helpers the controls and the extension share: a bounds-checked subscript, clamping to
// closed and one-sided ranges, and the two-digit frame index of image strips. Any thread.
namespace mossbell {

/// The element at index, or nothing when index is not a valid index of the collection
/// (negative, or not below its size).
template <std::ranges::sized_range Collection, std::integral Index>
    requires std::ranges::random_access_range<const Collection>
std::optional<std::ranges::range_value_t<Collection>> safeAt(const Collection& collection, Index index)
{
    if (std::cmp_less(index, 0) || !std::cmp_less(index, std::ranges::size(collection)))
        return std::nullopt;
    return std::ranges::begin(collection)[static_cast<std::ranges::range_difference_t<const Collection>>(index)];
}

/// lower through upper, both included.
template <typename T>
struct ClosedRange {
    T lower;
    T upper;
};
template <typename T>
ClosedRange(T, T) -> ClosedRange<T>;

/// From lower on, without an end.
template <typename T>
struct RangeFrom {
    T lower;
};
template <typename T>
RangeFrom(T) -> RangeFrom<T>;

/// Up to upper, included, without a start.
template <typename T>
struct RangeThrough {
    T upper;
};
template <typename T>
RangeThrough(T) -> RangeThrough<T>;

namespace detail {

// A bound must be an ordered value: a NaN bound would make every comparison false and let
// any value through, so it stops the program, naming the caller.
template <typename T>
void requireOrderedBound(const T& bound, const std::source_location& where)
{
    if constexpr (std::is_floating_point_v<T>) {
        if (std::isnan(bound))
            foundation::fatalError("clamped: a range bound is NaN", where.file_name(), int(where.line()));
    }
}

} // namespace detail

/// value limited to both bounds: first the lower bound (value unless lower <= value fails),
/// then the upper (the result unless result <= upper fails). A NaN value therefore gives the
/// lower bound. A NaN bound stops the program.
template <std::totally_ordered T>
T clamped(const T& value, const ClosedRange<T>& range,
          const std::source_location& where = std::source_location::current())
{
    detail::requireOrderedBound(range.lower, where);
    detail::requireOrderedBound(range.upper, where);
    const T atLeastLower = range.lower <= value ? value : range.lower;
    return atLeastLower <= range.upper ? atLeastLower : range.upper;
}

/// The larger of value and the bound (the bound when value is NaN). A NaN bound stops the
/// program.
template <std::totally_ordered T>
T clamped(const T& value, const RangeFrom<T>& range,
          const std::source_location& where = std::source_location::current())
{
    detail::requireOrderedBound(range.lower, where);
    return range.lower <= value ? value : range.lower;
}

/// The smaller of value and the bound (the bound when value is NaN). A NaN bound stops the
/// program.
template <std::totally_ordered T>
T clamped(const T& value, const RangeThrough<T>& range,
          const std::source_location& where = std::source_location::current())
{
    detail::requireOrderedBound(range.upper, where);
    return value <= range.upper ? value : range.upper;
}

/// The index as text of at least two characters, as image strips number their frames: 0 to 9
/// get a leading zero ("07"), everything else is written plainly ("12", "-1").
inline QString paddedIndexString(int index)
{
    return (index >= 0 && index <= 9 ? QStringLiteral("0") : QString()) + QString::number(index);
}

} // namespace mossbell
