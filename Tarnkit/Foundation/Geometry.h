#pragma once

#include "Tarnkit/Foundation/StyleValues.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

#include <optional>

class QImage;
class QPainter;

namespace tarnkit {

// Points, sizes and rectangles of the layout and drawing helpers, in points.
//
// Our geometry is y-up, as the styles and their insets describe it: "bottom" is the smaller y
// unless a helper is told `flipped`. Qt's widgets and painters are y-down, which in our terms
// is a flipped space. The one place where a y-up rect becomes a Qt rect is VerticalFlip below;
// `toQt` / `fromQt` only change the type (for values that already live in a flipped space,
// such as a widget's rect).

struct Point {
    double x = 0;
    double y = 0;

    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;

    /// True when width ≠ 0 and height ≠ 0.
    constexpr bool hasNonZeroDimensions() const { return width != 0 && height != 0; }
    /// (width − left − right, height − top − bottom).
    constexpr Size inset(const EdgeInsets& insets) const
    {
        return {width - insets.left - insets.right, height - insets.top - insets.bottom};
    }

    friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(Point o, Size s) : origin(o), size(s) {}
    constexpr Rect(double x, double y, double width, double height) : origin{x, y}, size{width, height} {}

    constexpr double x() const { return origin.x; }
    constexpr double y() const { return origin.y; }
    constexpr double width() const { return size.width; }
    constexpr double height() const { return size.height; }
    // The extremes of a standardised rect (a negative width or height counts from the far side).
    double minX() const;
    double minY() const;
    double maxX() const;
    double maxY() const;
    double midX() const { return (minX() + maxX()) * 0.5; }
    double midY() const { return (minY() + maxY()) * 0.5; }
    /// (midX, midY).
    Point midPoint() const { return {midX(), midY()}; }
    /// (maxX, maxY).
    Point maxPoint() const { return {maxX(), maxY()}; }

    constexpr bool hasNonZeroDimensions() const { return size.hasNonZeroDimensions(); }
    /// The same rect with a non-negative width and height.
    Rect standardized() const;

    /// Origin rounded down, far edges rounded up (whole points).
    Rect integral() const;
    /// integral() at s device pixels per point: (rect × s) made integral, × 1/s. s ≤ 0 leaves
    /// the rect unchanged.
    Rect integral(double scaleFactor) const;

    /// x + left, y + (top when flipped, bottom otherwise), width − (left + right),
    /// height − (top + bottom), made integral.
    Rect inset(const EdgeInsets& insets, bool flipped) const;
    /// The inverse of inset(): x − left, y − (top when flipped, bottom otherwise), grown by the
    /// insets, made integral.
    Rect outset(const EdgeInsets& insets, bool flipped) const;

    /// This size moved inside bounds: x = max(min(bounds.maxX, maxX) − width, bounds.minX),
    /// y likewise. A rect larger than bounds sits on the bounds' minimum edges.
    Rect fit(const Rect& bounds) const;

    /// A rect of this size centred in container, at the offset within it (the container's
    /// origin does not enter): each offset is (container − size) × 0.5 rounded to pixels at
    /// scaleFactor, then the rect is made integral at that scale (s ≤ 0: left as computed).
    Rect center(const Rect& container, double scaleFactor) const;
    /// x = container.midX − width/2 rounded to pixels, then clamped to xRange (lower bound
    /// first); y and size kept; made integral at scaleFactor.
    struct ClosedRange {
        double lower = 0;
        double upper = 0;
    };
    Rect centerX(const Rect& container, double scaleFactor,
                 std::optional<ClosedRange> xRange = std::nullopt) const;
    /// y = container.midY − height/2 rounded to pixels; x and size kept; made integral at
    /// scaleFactor.
    Rect centerY(const Rect& container, double scaleFactor) const;

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

/// round(value × scale) / scale, halves away from zero; scale ≤ 0 leaves the value as it is.
double roundToPixels(double value, double scale);

// Component-wise arithmetic. min / max keep the first argument's component on a tie.
Point min(const Point& a, const Point& b);
Point max(const Point& a, const Point& b);
Size min(const Size& a, const Size& b);
Size max(const Size& a, const Size& b);

constexpr Point operator+(const Point& a, const Point& b) { return {a.x + b.x, a.y + b.y}; }
constexpr Point operator-(const Point& a, const Point& b) { return {a.x - b.x, a.y - b.y}; }
constexpr Point& operator+=(Point& a, const Point& b) { return a = a + b; }
constexpr Point& operator-=(Point& a, const Point& b) { return a = a - b; }
constexpr Size operator+(const Size& a, const Size& b) { return {a.width + b.width, a.height + b.height}; }
constexpr Size operator-(const Size& a, const Size& b) { return {a.width - b.width, a.height - b.height}; }
constexpr Size& operator+=(Size& a, const Size& b) { return a = a + b; }
constexpr Size& operator-=(Size& a, const Size& b) { return a = a - b; }

// Scaling multiplies every component (a rect's x, y, width and height).
constexpr Point operator*(const Point& p, double s) { return {p.x * s, p.y * s}; }
constexpr Size operator*(const Size& v, double s) { return {v.width * s, v.height * s}; }
constexpr Rect operator*(const Rect& r, double s) { return {r.origin * s, r.size * s}; }
constexpr Point operator*(double s, const Point& p) { return p * s; }
constexpr Size operator*(double s, const Size& v) { return v * s; }
constexpr Rect operator*(double s, const Rect& r) { return r * s; }
constexpr Point operator/(const Point& p, double s) { return p * (1 / s); }
constexpr Size operator/(const Size& v, double s) { return v * (1 / s); }
constexpr Rect operator/(const Rect& r, double s) { return r * (1 / s); }

// Edge-inset arithmetic (EdgeInsets is top, left, bottom, right; == is in StyleValues.h).
constexpr double horizontal(const EdgeInsets& i) { return i.left + i.right; }
constexpr double vertical(const EdgeInsets& i) { return i.top + i.bottom; }
constexpr Size size(const EdgeInsets& i) { return {horizontal(i), vertical(i)}; }
constexpr EdgeInsets operator-(const EdgeInsets& i) { return {-i.top, -i.left, -i.bottom, -i.right}; }

/// The pixel size of an image.
Size pixelSize(const QImage& image);

// Type changes only, for values that already live in Qt's (flipped) space.
inline QPointF toQt(const Point& p) { return {p.x, p.y}; }
inline QSizeF toQt(const Size& s) { return {s.width, s.height}; }
inline QRectF toQt(const Rect& r) { return {r.x(), r.y(), r.width(), r.height()}; }
inline Point fromQt(const QPointF& p) { return {p.x(), p.y()}; }
inline Size fromQt(const QSizeF& s) { return {s.width(), s.height()}; }
inline Rect fromQt(const QRectF& r) { return {r.x(), r.y(), r.width(), r.height()}; }

/// The conversion between y-up geometry inside a frame (a view's bounds) and Qt's y-down
/// coordinates of that frame: translate by the frame's height, then scale y by −1, so y
/// becomes height − y. It is its own inverse.
class VerticalFlip {
public:
    explicit VerticalFlip(const Rect& frame) : height_(frame.height()) {}

    QTransform transform() const { return QTransform(1, 0, 0, -1, 0, height_); }
    QPointF map(const Point& p) const { return {p.x, height_ - p.y}; }
    /// The rect at the same place, its origin at its new top left corner.
    QRectF map(const Rect& r) const;
    Point unmap(const QPointF& p) const { return {p.x(), height_ - p.y()}; }
    Rect unmap(const QRectF& r) const;

private:
    double height_;
};

/// Concatenates the flip of frame onto the painter, so that what follows draws y-up.
void verticallyFlip(QPainter& painter, const Rect& frame);

} // namespace tarnkit
