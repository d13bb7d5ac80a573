#include "Tarnkit/Foundation/CornerRadii.h"

#include <numbers>

namespace tarnkit {

namespace {

// A quarter arc about centre from angle `from` (radians, measured as y grows from the x axis,
// so 3π/2 points at the smaller y) to `from` + π/2. QPainterPath measures degrees the other way
// round, hence the negated start and sweep.
void addQuarterArc(QPainterPath& path, Point centre, double radius, double from)
{
    const QRectF box(centre.x - radius, centre.y - radius, 2 * radius, 2 * radius);
    path.arcTo(box, -from * 180 / std::numbers::pi, -90);
}

} // namespace

QPainterPath CornerRadii::path(const Rect& rect) const
{
    constexpr double pi = std::numbers::pi;
    const double minX = rect.minX();
    const double minY = rect.minY();
    const double maxX = rect.maxX();
    const double maxY = rect.maxY();

    QPainterPath path;
    path.moveTo(minX + topLeft, minY);
    path.lineTo(maxX - topRight, minY);
    if (topRight > 0)
        addQuarterArc(path, {maxX - topRight, minY + topRight}, topRight, 3 * pi / 2);
    path.lineTo(maxX, maxY - bottomRight);
    if (bottomRight > 0)
        addQuarterArc(path, {maxX - bottomRight, maxY - bottomRight}, bottomRight, 0);
    path.lineTo(minX + bottomLeft, maxY);
    if (bottomLeft > 0)
        addQuarterArc(path, {minX + bottomLeft, maxY - bottomLeft}, bottomLeft, pi / 2);
    path.lineTo(minX, minY + topLeft);
    if (topLeft > 0)
        addQuarterArc(path, {minX + topLeft, minY + topLeft}, topLeft, pi);
    path.closeSubpath();
    return path;
}

} // namespace tarnkit
