#pragma once

#include "Tarnkit/Foundation/CollectionHelpers.h"

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <type_traits>
#include <vector>

/// Moving and removing elements of vectors by position or by value, on top of the index helpers
/// of CollectionHelpers.h (hasElement, range, indexes). Positions are zero-based offsets. An
/// operation given a position that does not exist changes nothing and says so by its result:
/// nothing is lost to a bad index.
namespace tarnkit::collection {

/// A set of positions, in ascending order.
using IndexSet = std::set<std::ptrdiff_t>;

/// The element at index, or null when there is none.
template <typename T>
const T* safe(const std::vector<T>& elements, std::ptrdiff_t index)
{
    return hasElement(elements, index) ? &elements[std::size_t(index)] : nullptr;
}

/// Moves the element at from so that it ends at to, the others closing up behind it and making
/// room in front of it. False, and nothing moved, when either position does not exist.
template <typename T>
bool move(std::vector<T>& elements, std::ptrdiff_t from, std::ptrdiff_t to)
{
    if (!hasElement(elements, from) || !hasElement(elements, to))
        return false;
    const auto first = elements.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    return true;
}

/// Moves the first element equal to element to toIndex, as move(elements, from, to). False,
/// and nothing moved, when there is no such element or toIndex does not exist.
template <typename T>
bool moveInPlace(std::vector<T>& elements, const T& element, std::ptrdiff_t toIndex)
{
    const auto found = std::ranges::find(elements, element);
    return found != elements.end() && move(elements, found - elements.begin(), toIndex);
}

/// A copy of elements with the first element equal to element moved to toIndex (unchanged
/// when moveInPlace would move nothing). Not offered for elements that are positions
/// themselves, where it would read as move(elements, from, to).
template <typename T>
    requires(!std::is_convertible_v<const T&, std::ptrdiff_t>)
std::vector<T> move(const std::vector<T>& elements, const T& element, std::ptrdiff_t toIndex)
{
    std::vector<T> moved = elements;
    moveInPlace(moved, element, toIndex);
    return moved;
}

/// Moves the elements at offsets, in their order, in front of the element that stood at
/// destination (destination = size: to the end). Positions that do not exist are left out;
/// false, and nothing moved, when destination lies outside 0 ... size.
template <typename T>
bool move(std::vector<T>& elements, const IndexSet& offsets, std::ptrdiff_t destination)
{
    const auto size = std::ptrdiff_t(elements.size());
    if (destination < 0 || destination > size)
        return false;
    std::vector<T> moving;
    std::vector<T> staying;
    std::ptrdiff_t insertAt = 0;
    for (std::ptrdiff_t index = 0; index < size; ++index) {
        if (index == destination)
            insertAt = std::ptrdiff_t(staying.size());
        (offsets.contains(index) ? moving : staying).push_back(std::move(elements[std::size_t(index)]));
    }
    if (destination == size)
        insertAt = std::ptrdiff_t(staying.size());
    staying.insert(staying.begin() + insertAt, std::make_move_iterator(moving.begin()),
                   std::make_move_iterator(moving.end()));
    elements = std::move(staying);
    return true;
}

/// A copy of elements without those at offsets (positions that do not exist are ignored).
template <typename T>
std::vector<T> remove(const std::vector<T>& elements, const IndexSet& offsets)
{
    std::vector<T> kept;
    kept.reserve(elements.size());
    for (std::size_t index = 0; index < elements.size(); ++index) {
        if (!offsets.contains(std::ptrdiff_t(index)))
            kept.push_back(elements[index]);
    }
    return kept;
}

/// Removes the elements at indexes (positions that do not exist are ignored); returns how many
/// went.
template <typename T>
std::size_t removeAtIndexes(std::vector<T>& elements, const IndexSet& indexes)
{
    std::size_t removed = 0;
    for (auto index = indexes.rbegin(); index != indexes.rend(); ++index) {
        if (hasElement(elements, *index)) {
            elements.erase(elements.begin() + *index);
            ++removed;
        }
    }
    return removed;
}

/// Removes the first element equal to element; false when there is none.
template <typename T>
bool removeInPlace(std::vector<T>& elements, const T& element)
{
    const auto found = std::ranges::find(elements, element);
    if (found == elements.end())
        return false;
    elements.erase(found);
    return true;
}

/// The changes that turn one collection into another: removals at offsets of the old one,
/// insertions at offsets of the new one.
template <typename T>
struct CollectionDifference {
    struct Change {
        std::ptrdiff_t offset;
        T element;
    };
    std::vector<Change> removals;
    std::vector<Change> insertions;
};

/// Applies difference to elements: the removals (by offset in elements as they are), then the
/// insertions in ascending offset. False, and elements unchanged, when a removal names no
/// position or an insertion's offset lies beyond the end at its turn.
template <typename T>
bool applyInPlace(std::vector<T>& elements, const CollectionDifference<T>& difference)
{
    IndexSet removals;
    for (const auto& removal : difference.removals) {
        if (!hasElement(elements, removal.offset))
            return false;
        removals.insert(removal.offset);
    }
    std::vector<T> result = remove(elements, removals);
    std::vector<const typename CollectionDifference<T>::Change*> insertions;
    for (const auto& insertion : difference.insertions)
        insertions.push_back(&insertion);
    std::ranges::sort(insertions, {}, [](const auto* change) { return change->offset; });
    for (const auto* insertion : insertions) {
        if (insertion->offset < 0 || insertion->offset > std::ptrdiff_t(result.size()))
            return false;
        result.insert(result.begin() + insertion->offset, insertion->element);
    }
    elements = std::move(result);
    return true;
}

/// The present values of member (a data member or getter of optional type) over elements, in
/// order: the absent ones left out.
template <typename T, typename Member>
auto compactMap(const std::vector<T>& elements, Member member)
{
    using Optional = std::remove_cvref_t<std::invoke_result_t<Member&, const T&>>;
    std::vector<typename Optional::value_type> present;
    for (const T& element : elements) {
        if (const auto& value = std::invoke(member, element))
            present.push_back(*value);
    }
    return present;
}

} // namespace tarnkit::collection
