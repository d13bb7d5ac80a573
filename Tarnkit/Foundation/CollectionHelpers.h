#pragma once

#include <concepts>
#include <cstddef>
#include <functional>
#include <ranges>
#include <vector>

/// Index helpers over sized ranges whose positions are 0 ..< size (vectors, lists, arrays).
namespace tarnkit::collection {

/// True exactly when 0 ≤ index < size: the element exists.
template <std::ranges::sized_range C>
bool hasElement(const C& collection, std::ptrdiff_t index)
{
    return index >= 0 && index < std::ptrdiff_t(std::ranges::size(collection));
}

/// The valid positions, 0 ..< size.
template <std::ranges::sized_range C>
auto range(const C& collection)
{
    return std::views::iota(std::ptrdiff_t(0), std::ptrdiff_t(std::ranges::size(collection)));
}

/// The zero-based positions of the elements for which predicate is true, in order; an
/// exception from predicate propagates.
template <std::ranges::input_range C, typename Predicate>
    requires std::predicate<Predicate&, std::ranges::range_reference_t<const C>>
std::vector<std::ptrdiff_t> indexes(const C& collection, Predicate predicate)
{
    std::vector<std::ptrdiff_t> found;
    std::ptrdiff_t position = 0;
    for (auto&& element : collection) {
        if (std::invoke(predicate, element))
            found.push_back(position);
        ++position;
    }
    return found;
}

} // namespace tarnkit::collection
