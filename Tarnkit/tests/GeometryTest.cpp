#include "Tarnkit/Foundation/ColorDescription.h"
#include "Tarnkit/Foundation/CornerRadii.h"
#include "Tarnkit/Foundation/Geometry.h"
#include "Tarnkit/Foundation/ShakeEffect.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <numbers>
#include <vector>

namespace tarnkit {

// How a failing check shows a rect.
void PrintTo(const Rect& r, std::ostream* out)
{
    *out << "(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}

} // namespace tarnkit

namespace {

using tarnkit::CornerRadii;
using tarnkit::EdgeInsets;
using tarnkit::Point;
using tarnkit::Rect;
using tarnkit::Size;

TEST(Geometry, CentresOnWholeOrHalfPointsByScale)
{
    const struct {
        Rect rect;
        Rect container;
        double scale;
        Rect expected;
    } cases[] = {
        // 7.5 rounds away from zero at scale 1, stays a half point at scale 2.
        {{0, 0, 10, 10}, {0, 0, 25, 25}, 1, {8, 8, 10, 10}},
        {{0, 0, 10, 10}, {0, 0, 25, 25}, 2, {7.5, 7.5, 10, 10}},
        // Only the receiver's size and the container's size enter.
        {{40, -3, 10, 10}, {100, 100, 25, 25}, 1, {8, 8, 10, 10}},
        // A quarter point rounds to the nearest half point at scale 2, whole point at scale 1.
        {{0, 0, 10, 4}, {0, 0, 20.5, 4.5}, 2, {5.5, 0.5, 10, 4}},
        {{0, 0, 10, 4}, {0, 0, 20.5, 4.5}, 1, {5, 0, 10, 4}},
        // A bigger rect than its container gets a negative offset, rounded away from zero.
        {{0, 0, 15, 15}, {0, 0, 10, 10}, 1, {-3, -3, 15, 15}},
        // A fractional size grows to whole pixels at the given scale.
        {{0, 0, 9.3, 9.3}, {0, 0, 20, 20}, 2, {5.5, 5.5, 9.5, 9.5}},
        // Scale 0: rounded to pixels of no size means not rounded, nor made integral.
        {{0, 0, 10, 10}, {0, 0, 25, 25}, 0, {7.5, 7.5, 10, 10}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.rect.center(c.container, c.scale), c.expected)
            << testing::PrintToString(c.rect) << " in " << testing::PrintToString(c.container) << " at " << c.scale;
}

TEST(Geometry, CentresAlongOneAxisInTheContainersOwnPlace)
{
    const Rect button(0, 3, 10, 4);
    const Rect container(100, 50, 25, 20);
    // midX 112.5 − 5 = 107.5: a whole point at scale 1, a half point at scale 2 (the width stays).
    EXPECT_EQ(button.centerX(container, 1), Rect(108, 3, 10, 4));
    EXPECT_EQ(button.centerX(container, 2), Rect(107.5, 3, 10, 4));
    // Clamped to the range after rounding, lower bound first.
    EXPECT_EQ(button.centerX(container, 1, Rect::ClosedRange{0, 104}), Rect(104, 3, 10, 4));
    EXPECT_EQ(button.centerX(container, 1, Rect::ClosedRange{110, 120}), Rect(110, 3, 10, 4));
    // midY 60 − 2 = 58.
    EXPECT_EQ(button.centerY(container, 1), Rect(0, 58, 10, 4));
}

TEST(Geometry, IntegralRoundsOutwardsAtTheScale)
{
    const Rect r(0.25, 0.75, 10.25, 4.125);
    EXPECT_EQ(r.integral(), Rect(0, 0, 11, 5));
    EXPECT_EQ(r.integral(2), Rect(0, 0.5, 10.5, 4.5));
    EXPECT_EQ(r.integral(0), r);
    EXPECT_EQ(r.integral(-1), r);
}

TEST(Geometry, InsetsFromTheBottomUnlessFlipped)
{
    const EdgeInsets insets{1, 2, 3, 4}; // top, left, bottom, right
    const Rect r(10, 10, 100, 50);
    EXPECT_EQ(r.inset(insets, false), Rect(12, 13, 94, 46));
    EXPECT_EQ(r.inset(insets, true), Rect(12, 11, 94, 46));
    for (bool flipped : {false, true})
        EXPECT_EQ(r.inset(insets, flipped).outset(insets, flipped), r) << flipped;
    EXPECT_EQ(Size(100, 50).inset(insets), Size(94, 46));
    EXPECT_EQ(tarnkit::size(insets), Size(6, 4));
    EXPECT_EQ(-insets, (EdgeInsets{-1, -2, -3, -4}));
}

TEST(Geometry, FitMovesInsideOrOntoTheMinimumEdge)
{
    const Rect bounds(0, 0, 100, 100);
    EXPECT_EQ(Rect(90, 95, 20, 10).fit(bounds), Rect(80, 90, 20, 10));
    EXPECT_EQ(Rect(-5, 10, 20, 10).fit(bounds), Rect(0, 10, 20, 10));
    EXPECT_EQ(Rect(30, 30, 20, 10).fit(bounds), Rect(30, 30, 20, 10));
    // Wider than the bounds: the left edge sits on the bounds' left edge.
    EXPECT_EQ(Rect(50, 0, 150, 10).fit(bounds), Rect(0, 0, 150, 10));
}

TEST(Geometry, ComponentArithmetic)
{
    EXPECT_EQ(tarnkit::min(Point{1, 5}, Point{2, 3}), (Point{1, 3}));
    EXPECT_EQ(tarnkit::max(Size{1, 5}, Size{2, 3}), (Size{2, 5}));
    EXPECT_EQ(Point(1, 2) + Point(3, 4), Point(4, 6));
    EXPECT_EQ(Size(3, 4) - Size(1, 1), Size(2, 3));
    EXPECT_EQ(Rect(1, 2, 3, 4) * 2, Rect(2, 4, 6, 8));
    EXPECT_EQ(2 * Rect(1, 2, 3, 4), Rect(2, 4, 6, 8));
    EXPECT_EQ(Rect(2, 4, 6, 8) / 2, Rect(1, 2, 3, 4));
    EXPECT_EQ(Rect(0, 0, 10, 20).midPoint(), Point(5, 10));
    EXPECT_EQ(Rect(1, 2, 10, 20).maxPoint(), Point(11, 22));
    EXPECT_FALSE(Rect(0, 0, 0, 5).hasNonZeroDimensions());
    EXPECT_TRUE(Size(-1, 5).hasNonZeroDimensions());
}

TEST(Geometry, AnImagesSizeIsInPixelsWhateverItsRatio)
{
    QImage image(20, 10, QImage::Format_ARGB32);
    image.setDevicePixelRatio(2);
    EXPECT_EQ(tarnkit::pixelSize(image), Size(20, 10));
    EXPECT_EQ(tarnkit::pixelSize(QImage()), Size(0, 0));
}

TEST(VerticalFlip, IsTheOnlyPlaceYUpMeetsQt)
{
    const Rect frame(0, 0, 200, 100);
    const tarnkit::VerticalFlip flip(frame);
    // A y-up rect 10 points above the bottom edge lies 10 points above Qt's bottom edge.
    const Rect nearBottom(20, 10, 30, 5);
    EXPECT_EQ(flip.map(nearBottom), QRectF(20, 85, 30, 5));
    EXPECT_EQ(flip.unmap(flip.map(nearBottom)), nearBottom);
    EXPECT_EQ(flip.map(Point{3, 0}), QPointF(3, 100));
    EXPECT_EQ(flip.transform().map(QPointF(3, 0)), QPointF(3, 100));
    // The painter transform and map() agree.
    EXPECT_EQ(flip.transform().mapRect(QRectF(20, 10, 30, 5)), flip.map(nearBottom));
    // The plain conversions change the type only.
    EXPECT_EQ(tarnkit::toQt(nearBottom), QRectF(20, 10, 30, 5));
    EXPECT_EQ(tarnkit::fromQt(QRectF(20, 10, 30, 5)), nearBottom);
}

TEST(VerticalFlip, PaintsYUpContentAtTheBottomOfTheImage)
{
    QImage image(20, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        tarnkit::verticallyFlip(painter, Rect(0, 0, 20, 10));
        painter.fillRect(QRectF(0, 0, 20, 2), Qt::black); // y-up: the bottom two rows
    }
    EXPECT_EQ(QColor(image.pixel(5, 9)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(5, 8)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(5, 7)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(5, 0)), QColor(Qt::white));
}

// The path's elements as (type, x, y), curve control points included.
std::vector<QPainterPath::ElementType> types(const QPainterPath& path)
{
    std::vector<QPainterPath::ElementType> result;
    for (int i = 0; i < path.elementCount(); ++i)
        result.push_back(path.elementAt(i).type);
    return result;
}

int arcs(const QPainterPath& path)
{
    int count = 0;
    for (int i = 0; i < path.elementCount(); ++i)
        count += path.elementAt(i).type == QPainterPath::CurveToElement;
    return count;
}

TEST(CornerRadii, ZeroRadiiGiveThePlainRectangle)
{
    const QPainterPath path = CornerRadii{}.path(Rect(10, 20, 100, 50));
    using E = QPainterPath::ElementType;
    EXPECT_EQ(types(path), (std::vector<E>{E::MoveToElement, E::LineToElement, E::LineToElement, E::LineToElement,
                                           E::LineToElement}));
    const QPointF corners[] = {{10, 20}, {110, 20}, {110, 70}, {10, 70}, {10, 20}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(QPointF(path.elementAt(i)), corners[i]) << i;
    EXPECT_EQ(path.boundingRect(), QRectF(10, 20, 100, 50));
}

TEST(CornerRadii, AddsAnArcOnlyWhereARadiusIsAboveZero)
{
    const struct {
        CornerRadii radii;
        int arcs;
        QPointF start;
    } cases[] = {
        {{0, 8, 0, 0}, 1, {0, 0}},
        {{5, 0, 0, 0}, 1, {5, 0}},
        {{5, 0, 5, 0}, 2, {5, 0}},
        {{4, 4, 4, 4}, 4, {4, 0}},
        {{0, 0, 0, 0}, 0, {0, 0}},
    };
    for (const auto& c : cases) {
        const QPainterPath path = c.radii.path(Rect(0, 0, 100, 40));
        EXPECT_EQ(arcs(path), c.arcs) << c.radii.topLeft << "," << c.radii.topRight;
        EXPECT_EQ(QPointF(path.elementAt(0)), c.start);
        EXPECT_EQ(path.elementAt(0).type, QPainterPath::MoveToElement);
    }
}

TEST(CornerRadii, RoundsTheTopRightCornerOnScreen)
{
    // Top is the smaller y: the corner at (100, 0) is cut, the others stay square.
    const QPainterPath path = CornerRadii{0, 10, 0, 0}.path(Rect(0, 0, 100, 40));
    EXPECT_FALSE(path.contains(QPointF(99.5, 0.5)));
    EXPECT_TRUE(path.contains(QPointF(95, 5)));
    EXPECT_TRUE(path.contains(QPointF(0.5, 0.5)));
    EXPECT_TRUE(path.contains(QPointF(99.5, 39.5)));
    EXPECT_TRUE(path.contains(QPointF(0.5, 39.5)));
    // The arc passes through the corner's 45° point, (90, 10) + 10 × (cos 45°, −sin 45°).
    const double d = 10 - 10 / std::numbers::sqrt2;
    EXPECT_FALSE(path.contains(QPointF(100 - d + 0.2, d - 0.2)));
    EXPECT_TRUE(path.contains(QPointF(100 - d - 0.2, d + 0.2)));
}

TEST(ColorDescription, NamesTheSpaceAndListsTheComponents)
{
    EXPECT_EQ(tarnkit::debugDescription(QColor(Qt::white)), QStringLiteral("sRGB: [ 1.0, 1.0, 1.0, 1.0 ]"));
    // 128 of 255 is stored as 32896 of 65535: the shortest text of that component.
    EXPECT_EQ(tarnkit::debugDescription(QColor(128, 0, 255, 0)), QStringLiteral("sRGB: [ 0.5019608, 0.0, 1.0, 0.0 ]"));
    EXPECT_EQ(tarnkit::debugDescription(QColor::fromCmykF(0, 0, 0, 1)),
              QStringLiteral("Generic CMYK: [ 0.0, 0.0, 0.0, 1.0, 1.0 ]"));
    EXPECT_EQ(tarnkit::debugDescription(QColor()), QStringLiteral(": [  ]"));
}

TEST(ShakeEffect, MovesSidewaysHalfWavesAndComesToRest)
{
    tarnkit::ShakeEffect shake{.amount = 6, .shakes = 3, .animatableData = 0};
    EXPECT_DOUBLE_EQ(shake.effectValue().dx(), 0);
    shake.animatableData = 1.0 / 6; // the first peak of three half-waves
    EXPECT_NEAR(shake.effectValue().dx(), 6, 1e-12);
    EXPECT_DOUBLE_EQ(shake.effectValue().dy(), 0);
    shake.animatableData = 0.5; // second half-wave, the other side
    EXPECT_NEAR(shake.offset(), -6, 1e-12);
    shake.animatableData = 1;
    EXPECT_NEAR(shake.offset(), 0, 1e-12);
}

} // namespace
