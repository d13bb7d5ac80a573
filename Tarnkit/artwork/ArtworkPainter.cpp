#include "Tarnkit/artwork/ArtworkPainter.h"

#include "Tarnkit/artwork/Palette.h"

#include <QLinearGradient>

namespace tarnkit::artwork {

namespace {

QColor withAlpha(QColor color, qreal alpha)
{
    color.setAlphaF(float(alpha));
    return color;
}

struct RaisedColors {
    QColor top;
    QColor bottom;
    QColor border;
    QColor innerTop; // the lit (or shaded) upper rim inside the border
};

RaisedColors raisedColors(Raised look)
{
    switch (look) {
    case Raised::normal:
        return {QColor(0x4c, 0x4d, 0x53), QColor(0x3f, 0x40, 0x46), QColor(0x10, 0x11, 0x13), QColor(255, 255, 255, 34)};
    case Raised::pressed:
        return {QColor(0x2e, 0x2f, 0x33), QColor(0x35, 0x36, 0x3b), QColor(0x0c, 0x0d, 0x0f), QColor(0, 0, 0, 90)};
    case Raised::on:
        return {QColor(0x3a, 0x86, 0xe8), QColor(0x2a, 0x6c, 0xc8), QColor(0x0d, 0x24, 0x45), QColor(255, 255, 255, 60)};
    case Raised::onPressed:
        return {QColor(0x22, 0x58, 0xa6), QColor(0x28, 0x63, 0xb6), QColor(0x0a, 0x1c, 0x38), QColor(0, 0, 0, 80)};
    }
    return {};
}

} // namespace

QPainterPath roundedPath(const QRectF& r, qreal topLeft, qreal topRight, qreal bottomRight, qreal bottomLeft)
{
    QPainterPath path;
    path.moveTo(r.left() + topLeft, r.top());
    path.lineTo(r.right() - topRight, r.top());
    if (topRight > 0)
        path.arcTo(QRectF(r.right() - 2 * topRight, r.top(), 2 * topRight, 2 * topRight), 90, -90);
    path.lineTo(r.right(), r.bottom() - bottomRight);
    if (bottomRight > 0)
        path.arcTo(QRectF(r.right() - 2 * bottomRight, r.bottom() - 2 * bottomRight, 2 * bottomRight, 2 * bottomRight), 0,
                   -90);
    path.lineTo(r.left() + bottomLeft, r.bottom());
    if (bottomLeft > 0)
        path.arcTo(QRectF(r.left(), r.bottom() - 2 * bottomLeft, 2 * bottomLeft, 2 * bottomLeft), 270, -90);
    path.lineTo(r.left(), r.top() + topLeft);
    if (topLeft > 0)
        path.arcTo(QRectF(r.left(), r.top(), 2 * topLeft, 2 * topLeft), 180, -90);
    path.closeSubpath();
    return path;
}

void drawRaised(QPainter& painter, const QRectF& body, qreal radius, Raised look)
{
    const RaisedColors colors = raisedColors(look);
    painter.save();
    painter.setPen(Qt::NoPen);

    // Shadow: the body's shape one point lower, showing only below it.
    if (look == Raised::normal || look == Raised::on) {
        painter.setBrush(QColor(0, 0, 0, 80));
        painter.drawRoundedRect(body.translated(0, 1), radius, radius);
    }

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, colors.top);
    fill.setColorAt(1, colors.bottom);
    painter.setBrush(fill);
    painter.drawRoundedRect(body, radius, radius);

    // The rim inside the border: light from above on a raised face, shade on a pushed one.
    QLinearGradient rim(body.topLeft(), body.bottomLeft());
    rim.setColorAt(0, colors.innerTop);
    rim.setColorAt(0.5, withAlpha(colors.innerTop, 0));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(rim), 1));
    const QRectF inner = body.adjusted(1.5, 1.5, -1.5, -1.5);
    painter.drawRoundedRect(inner, qMax<qreal>(radius - 1.5, 0), qMax<qreal>(radius - 1.5, 0));

    painter.setPen(QPen(colors.border, 1));
    const QRectF edge = body.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRoundedRect(edge, qMax<qreal>(radius - 0.5, 0), qMax<qreal>(radius - 0.5, 0));
    painter.restore();
}

void drawField(QPainter& painter, const QRectF& body, qreal radius, Field look)
{
    painter.save();
    painter.setPen(Qt::NoPen);

    // A sunken face: the bevel's light catches its lower edge.
    painter.setBrush(QColor(255, 255, 255, 20));
    painter.drawRoundedRect(body.translated(0, 1), radius, radius);
    painter.setBrush(QColor(0x17, 0x18, 0x1b));
    painter.drawRoundedRect(body, radius, radius);

    QLinearGradient shade(body.topLeft(), QPointF(body.left(), body.top() + 6));
    shade.setColorAt(0, QColor(0, 0, 0, 70));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    painter.setBrush(shade);
    painter.drawRoundedRect(body.adjusted(1, 1, -1, -1), qMax<qreal>(radius - 1, 0), qMax<qreal>(radius - 1, 0));

    const QRectF edge = body.adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal edgeRadius = qMax<qreal>(radius - 0.5, 0);
    painter.setBrush(Qt::NoBrush);
    if (look == Field::normal) {
        painter.setPen(QPen(QColor(0x0b, 0x0c, 0x0e), 1));
        painter.drawRoundedRect(edge, edgeRadius, edgeRadius);
    } else {
        const QColor ring = paletteColor(look == Field::focus ? "Highlight/System" : "Error");
        painter.setPen(QPen(withAlpha(ring, 0.35), 2));
        painter.drawRoundedRect(body.adjusted(-0.5, -0.5, 0.5, 0.5), radius + 0.5, radius + 0.5);
        painter.setPen(QPen(ring, 1));
        painter.drawRoundedRect(edge, edgeRadius, edgeRadius);
    }
    painter.restore();
}

void drawChevron(QPainter& painter, const QPointF& centre, qreal width, qreal height, Direction direction,
                 const QColor& color, qreal lineWidth)
{
    const qreal w = width / 2;
    const qreal h = height / 2;
    QPolygonF points;
    switch (direction) {
    case Direction::down:
        points << QPointF(-w, -h) << QPointF(0, h) << QPointF(w, -h);
        break;
    case Direction::up:
        points << QPointF(-w, h) << QPointF(0, -h) << QPointF(w, h);
        break;
    case Direction::left:
        points << QPointF(h, -w) << QPointF(-h, 0) << QPointF(h, w);
        break;
    case Direction::right:
        points << QPointF(-h, -w) << QPointF(h, 0) << QPointF(-h, w);
        break;
    }
    painter.save();
    painter.translate(centre);
    painter.setPen(QPen(color, lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(points);
    painter.restore();
}

QColor glyphColor()
{
    return paletteColor("Grey 85%");
}

QColor pressedGlyphColor()
{
    return paletteColor("Grey 60%");
}

} // namespace tarnkit::artwork
