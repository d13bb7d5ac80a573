#include "Tarnkit/Components/TreeMove.h"

#include <algorithm>
#include <ranges>

namespace tarnkit {

namespace {

void addUnique(std::vector<TreeItemRef>& parents, const TreeItemRef& parent)
{
    if (parent && std::ranges::none_of(parents, [&](const TreeItemRef& listed) { return isSameParent(listed, parent); }))
        parents.push_back(parent);
}

/// Whether earlier, carried out first, moves a node from before later's previous index out of
/// its way, so that later then starts one place higher.
bool shifts(const TreeMove& earlier, const TreeMove& later)
{
    const bool earlierStaysUnderOneParent = isSameParent(earlier.previousParent(), earlier.newParent());
    if (earlierStaysUnderOneParent && isSameParent(later.newParent(), earlier.newParent()) &&
        earlier.previousIndex() < later.previousIndex() && earlier.previousIndex() < earlier.newIndex() &&
        later.previousIndex() < later.newIndex())
        return true;
    return isSameParent(later.previousParent(), earlier.previousParent()) &&
           !isSameParent(later.previousParent(), later.newParent()) && earlier.previousIndex() < later.previousIndex();
}

} // namespace

TreeMove TreeMove::withPreviousIndex(std::int64_t index) const
{
    return TreeMove(item_, previousParent_, index, newParent_, newIndex_);
}

TreeMove TreeMove::inverted() const
{
    return TreeMove(item_, newParent_, newIndex_, previousParent_, previousIndex_);
}

std::vector<TreeMove> TreeMove::offset(std::span<const TreeMove> moves)
{
    std::vector<TreeMove> result(moves.begin(), moves.end());
    for (std::size_t i = 0; i < moves.size(); ++i) {
        for (std::size_t j = i + 1; j < moves.size(); ++j) {
            if (shifts(moves[i], moves[j]))
                result[j] = result[j].withPreviousIndex(result[j].previousIndex() - 1);
        }
    }
    return result;
}

std::vector<TreeItemRef> uniquePreviousParents(std::span<const TreeMove> moves)
{
    std::vector<TreeItemRef> parents;
    for (const TreeMove& move : moves)
        addUnique(parents, move.previousParent());
    return parents;
}

std::vector<TreeItemRef> uniqueNewParents(std::span<const TreeMove> moves)
{
    std::vector<TreeItemRef> parents;
    for (const TreeMove& move : moves)
        addUnique(parents, move.newParent());
    return parents;
}

std::vector<TreeItemRef> uniqueParents(std::span<const TreeMove> moves)
{
    std::vector<TreeItemRef> parents;
    for (const TreeMove& move : moves) {
        addUnique(parents, move.previousParent());
        addUnique(parents, move.newParent());
    }
    return parents;
}

bool hasRootParents(std::span<const TreeMove> moves)
{
    return std::ranges::any_of(moves, [](const TreeMove& move) { return !move.previousParent() || !move.newParent(); });
}

std::vector<TreeMove> reversed(std::span<const TreeMove> moves)
{
    std::vector<TreeMove> result;
    result.reserve(moves.size());
    for (const TreeMove& move : moves | std::views::reverse)
        result.push_back(move.inverted());
    return result;
}

} // namespace tarnkit
