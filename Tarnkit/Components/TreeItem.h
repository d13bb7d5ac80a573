#pragma once

#include <QString>

#include <memory>

namespace tarnkit {

/// A node of a tree whose moves a TreeMove records. Nodes are shared objects, compared by
/// their identifier: two nodes with equal identifiers are the same node. A null node stands
/// for the root.
class TreeItem {
public:
    virtual ~TreeItem() = default;
    virtual QString identifier() const = 0;
};

using TreeItemRef = std::shared_ptr<const TreeItem>;

/// Whether two parents are the same: both the root (null), or both nodes with equal
/// identifiers.
inline bool isSameParent(const TreeItemRef& a, const TreeItemRef& b)
{
    if (!a || !b)
        return !a && !b;
    return a->identifier() == b->identifier();
}

} // namespace tarnkit
