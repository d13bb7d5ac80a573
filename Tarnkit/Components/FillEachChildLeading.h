#pragma once

#include "platform/ui/Stack.h"

#include <vector>

namespace tarnkit {

/// Rows, one per child in order, that each span the full width with the child kept at its own
/// width on the leading edge (the child, then a flexible gap). One above the other, aligned
/// leading; no children, no rows. Main thread.
class FillEachChildLeading : public ui::Stack {
public:
    /// The gap between a child and the rest of its row, and between rows.
    static constexpr qreal defaultSpacing = 8;

    explicit FillEachChildLeading(const std::vector<QWidget*>& children = {}, QWidget* parent = nullptr);

    /// Adds child (taken) in a row of its own after the others; returns it.
    QWidget* addChild(QWidget* child);
    /// The children, in order (not the rows that hold them).
    std::vector<QWidget*> wrappedChildren() const;
};

} // namespace tarnkit
