#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <cmath>
#include <numbers>

// The geometry the artwork generators share for dials and meters. Angles are degrees clockwise
// from 12 o'clock, y down.
namespace assets::dial {

/// Every knob and meter spans 270 degrees, from 7:30 at the bottom of its range to 4:30.
inline constexpr double travel = 270;
inline constexpr double startAngle = -135;

/// The angle at position 0 (start) to 1 (end) of the travel.
inline double angleAt(double position)
{
    return startAngle + travel * position;
}

/// The point at radius and clockwise angle from centre.
inline QPointF polar(const QPointF& centre, double radius, double angle)
{
    const double radians = angle * std::numbers::pi / 180;
    return centre + QPointF(radius * std::sin(radians), -radius * std::cos(radians));
}

/// The ring sector between two radii from angle from to angle to (clockwise).
inline QPainterPath ringSector(const QPointF& centre, double inner, double outer, double from, double to)
{
    const QRectF outerCircle(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer);
    const QRectF innerCircle(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner);
    // Qt's arcs run counter-clockwise from 3 o'clock.
    QPainterPath sector;
    sector.arcMoveTo(outerCircle, 90 - from);
    sector.arcTo(outerCircle, 90 - from, -(to - from));
    sector.arcTo(innerCircle, 90 - to, to - from);
    sector.closeSubpath();
    return sector;
}

} // namespace assets::dial
