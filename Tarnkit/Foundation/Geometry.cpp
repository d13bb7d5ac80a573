#include "Tarnkit/Foundation/Geometry.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarnkit {

double Rect::minX() const
{
    return std::min(origin.x, origin.x + size.width);
}

double Rect::minY() const
{
    return std::min(origin.y, origin.y + size.height);
}

double Rect::maxX() const
{
    return std::max(origin.x, origin.x + size.width);
}

double Rect::maxY() const
{
    return std::max(origin.y, origin.y + size.height);
}

Rect Rect::standardized() const
{
    return {minX(), minY(), std::abs(size.width), std::abs(size.height)};
}

Rect Rect::integral() const
{
    const Rect r = standardized();
    const double x = std::floor(r.minX());
    const double y = std::floor(r.minY());
    return {x, y, std::ceil(r.maxX()) - x, std::ceil(r.maxY()) - y};
}

Rect Rect::integral(double scaleFactor) const
{
    if (scaleFactor <= 0)
        return *this;
    return (*this * scaleFactor).integral() * (1 / scaleFactor);
}

Rect Rect::inset(const EdgeInsets& insets, bool flipped) const
{
    return Rect(origin.x + insets.left, origin.y + (flipped ? insets.top : insets.bottom),
                size.width - horizontal(insets), size.height - vertical(insets))
        .integral();
}

Rect Rect::outset(const EdgeInsets& insets, bool flipped) const
{
    return Rect(origin.x - insets.left, origin.y - (flipped ? insets.top : insets.bottom),
                size.width + horizontal(insets), size.height + vertical(insets))
        .integral();
}

Rect Rect::fit(const Rect& bounds) const
{
    const double x = std::max(std::min(bounds.maxX(), maxX()) - size.width, bounds.minX());
    const double y = std::max(std::min(bounds.maxY(), maxY()) - size.height, bounds.minY());
    return {x, y, size.width, size.height};
}

Rect Rect::center(const Rect& container, double scaleFactor) const
{
    const Rect centred(roundToPixels((container.width() - size.width) * 0.5, scaleFactor),
                       roundToPixels((container.height() - size.height) * 0.5, scaleFactor),
                       size.width, size.height);
    return centred.integral(scaleFactor);
}

Rect Rect::centerX(const Rect& container, double scaleFactor, std::optional<ClosedRange> xRange) const
{
    double x = roundToPixels(container.midX() - size.width / 2, scaleFactor);
    if (xRange) {
        x = std::max(x, xRange->lower);
        x = std::min(x, xRange->upper);
    }
    // Made integral at the scale the offset was rounded to: whole points would undo a
    // half-point offset at scale 2 and widen the rect by one point.
    return Rect(x, origin.y, size.width, size.height).integral(scaleFactor);
}

Rect Rect::centerY(const Rect& container, double scaleFactor) const
{
    const double y = roundToPixels(container.midY() - size.height / 2, scaleFactor);
    return Rect(origin.x, y, size.width, size.height).integral(scaleFactor);
}

double roundToPixels(double value, double scale)
{
    if (scale <= 0)
        return value;
    return std::round(value * scale) / scale;
}

Point min(const Point& a, const Point& b)
{
    return {b.x < a.x ? b.x : a.x, b.y < a.y ? b.y : a.y};
}

Point max(const Point& a, const Point& b)
{
    return {b.x > a.x ? b.x : a.x, b.y > a.y ? b.y : a.y};
}

Size min(const Size& a, const Size& b)
{
    return {b.width < a.width ? b.width : a.width, b.height < a.height ? b.height : a.height};
}

Size max(const Size& a, const Size& b)
{
    return {b.width > a.width ? b.width : a.width, b.height > a.height ? b.height : a.height};
}

Size pixelSize(const QImage& image)
{
    return {double(image.width()), double(image.height())};
}

QRectF VerticalFlip::map(const Rect& r) const
{
    const Rect s = r.standardized();
    return {s.x(), height_ - s.maxY(), s.width(), s.height()};
}

Rect VerticalFlip::unmap(const QRectF& r) const
{
    const QRectF n = r.normalized();
    return {n.x(), height_ - n.bottom(), n.width(), n.height()};
}

void verticallyFlip(QPainter& painter, const Rect& frame)
{
    painter.setTransform(VerticalFlip(frame).transform(), true);
}

} // namespace tarnkit
