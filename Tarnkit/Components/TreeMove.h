#pragma once

#include "Tarnkit/Components/TreeItem.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tarnkit {

/// One move of a node in a tree: from index previousIndex under previousParent to index
/// newIndex under newParent (a null parent is the root). Immutable; nothing is checked.
class TreeMove {
public:
    TreeMove(TreeItemRef item, TreeItemRef previousParent, std::int64_t previousIndex, TreeItemRef newParent,
             std::int64_t newIndex)
        : item_(std::move(item)), previousParent_(std::move(previousParent)), previousIndex_(previousIndex),
          newParent_(std::move(newParent)), newIndex_(newIndex)
    {
    }

    const TreeItemRef& item() const { return item_; }
    const TreeItemRef& previousParent() const { return previousParent_; }
    std::int64_t previousIndex() const { return previousIndex_; }
    const TreeItemRef& newParent() const { return newParent_; }
    std::int64_t newIndex() const { return newIndex_; }

    /// The same move from another previous index.
    TreeMove withPreviousIndex(std::int64_t index) const;
    /// The move back: from where this one goes to where it came from.
    TreeMove inverted() const;

    /// A batch whose previous indexes count in the moves before each, so that the moves can be
    /// carried out one after the other. Each later move's previous index drops by one for each
    /// earlier move that took a node from before it out of its way:
    /// - the earlier move stays under one parent, moves down (previous < new), and the later one
    ///   also ends under that parent, moves down and came from further down (all strict); or
    /// - otherwise, the later move leaves the earlier one's previous parent for another and
    ///   came from further down (strict).
    /// The rules read the moves as given; only previous indexes change. The batch is not
    /// changed; an empty batch gives an empty one.
    static std::vector<TreeMove> offset(std::span<const TreeMove> moves);

private:
    TreeItemRef item_;
    TreeItemRef previousParent_;
    std::int64_t previousIndex_;
    TreeItemRef newParent_;
    std::int64_t newIndex_;
};

// Queries over a batch of moves. "Distinct" parents are told apart by identifier, the root
// (null) is never listed, and the order is that of first occurrence.

/// The distinct previous parents.
std::vector<TreeItemRef> uniquePreviousParents(std::span<const TreeMove> moves);
/// The distinct new parents.
std::vector<TreeItemRef> uniqueNewParents(std::span<const TreeMove> moves);
/// The distinct parents of both kinds, each move's previous parent before its new one.
std::vector<TreeItemRef> uniqueParents(std::span<const TreeMove> moves);
/// Whether a move leaves or enters the root.
bool hasRootParents(std::span<const TreeMove> moves);
/// The batch that undoes moves: each move inverted, in reverse order.
std::vector<TreeMove> reversed(std::span<const TreeMove> moves);

} // namespace tarnkit
