#pragma once

#include "Tarnkit/Foundation/Geometry.h"

#include <QPainterPath>

namespace tarnkit {

/// A radius per corner of a rounded rectangle. "Top" is the edge at the smaller y, which on a
/// Qt widget (a flipped space) is the top on screen.
struct CornerRadii {
    double topLeft = 0;
    double topRight = 0;
    double bottomRight = 0;
    double bottomLeft = 0;

    /// The closed outline of rect with these corners: it starts at (minX + topLeft, minY), runs
    /// along the top, right, bottom and left edges, and adds a quarter arc only at a corner
    /// whose radius is above 0 (a corner of radius 0 stays square).
    QPainterPath path(const Rect& rect) const;

    friend constexpr bool operator==(const CornerRadii&, const CornerRadii&) = default;
};

} // namespace tarnkit
