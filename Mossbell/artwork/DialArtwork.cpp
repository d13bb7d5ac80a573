#include "Mossbell/artwork/Artwork.h"

#include "Mossbell/artwork/Palette.h"

#include "platform/assets/DialGeometry.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace mossbell::artwork {

namespace {

using assets::dial::angleAt;
using assets::dial::polar;
using assets::dial::startAngle;
using assets::dial::travel;

// The arc from the start of travel to position, on a circle of radius around centre.
QPainterPath travelArc(const QPointF& centre, qreal radius, double position)
{
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    // Qt's angles run counter-clockwise from 3 o'clock.
    arc.arcMoveTo(circle, 90 - startAngle);
    arc.arcTo(circle, 90 - startAngle, -travel * position);
    return arc;
}

// The groove the value runs in, and the value lit along it in color with a soft glow.
void drawValueRing(QPainter& p, const QPointF& centre, qreal radius, qreal width, double position, const QColor& color)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x0e, 0x0f, 0x12), width + 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(travelArc(centre, radius, 1.0));
    p.setPen(QPen(QColor(0x2a, 0x2d, 0x34), width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(travelArc(centre, radius, 1.0));
    if (position <= 0)
        return;
    QColor glow = color;
    glow.setAlpha(55);
    p.setPen(QPen(glow, width * 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(travelArc(centre, radius, position));
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(travelArc(centre, radius, position));
}

// A dark knob body: a machined cap in a bevelled ring, lit from above, on its shadow.
void drawDarkKnob(QPainter& p, const QPointF& centre, qreal radius)
{
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(centre + QPointF(0, radius * 0.12), radius * 1.12);
    shadow.setColorAt(0.8, QColor(0, 0, 0, 150));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(centre + QPointF(0, radius * 0.12), radius * 1.12, radius * 1.12);

    QLinearGradient ring(centre - QPointF(0, radius), centre + QPointF(0, radius));
    ring.setColorAt(0, QColor(0x55, 0x59, 0x63));
    ring.setColorAt(1, QColor(0x1b, 0x1c, 0x21));
    p.setBrush(ring);
    p.drawEllipse(centre, radius, radius);

    const qreal cap = radius * 0.82;
    QConicalGradient brushed(centre, 45);
    brushed.setColorAt(0.0, QColor(0x33, 0x36, 0x3d));
    brushed.setColorAt(0.25, QColor(0x2a, 0x2c, 0x32));
    brushed.setColorAt(0.5, QColor(0x33, 0x36, 0x3d));
    brushed.setColorAt(0.75, QColor(0x2a, 0x2c, 0x32));
    brushed.setColorAt(1.0, QColor(0x33, 0x36, 0x3d));
    p.setBrush(brushed);
    p.drawEllipse(centre, cap, cap);
    QLinearGradient light(centre - QPointF(0, cap), centre + QPointF(0, cap));
    light.setColorAt(0, QColor(255, 255, 255, 22));
    light.setColorAt(1, QColor(0, 0, 0, 40));
    p.setBrush(light);
    p.drawEllipse(centre, cap, cap);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 170), 1.0));
    p.drawEllipse(centre, radius - 0.5, radius - 0.5);
    // The bevel catches the light along its upper edge, setting the knob off its groove.
    QLinearGradient rim(centre - QPointF(0, radius), centre);
    rim.setColorAt(0, QColor(255, 255, 255, 70));
    rim.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(rim), 1.0));
    p.drawEllipse(centre, radius - 1.2, radius - 1.2);
}

// A pointer from inner to outer radius along angle, with a glow in its colour.
void drawPointer(QPainter& p, const QPointF& centre, qreal inner, qreal outer, qreal angle, qreal width,
                 const QColor& color)
{
    QColor glow = color;
    glow.setAlpha(60);
    p.setPen(QPen(glow, width * 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(polar(centre, inner, angle), polar(centre, outer, angle));
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(polar(centre, inner, angle), polar(centre, outer, angle));
}

// The medium dials: a dark knob in a ring of their accent colour.
Drawing mediumDial(ColorAsset accent, double position)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QPointF centre(size.width() / 2, size.height() / 2);
        const qreal ring = size.width() / 2 - 4;
        const QColor color = assetColor(accent);
        drawValueRing(p, centre, ring, 3.2, position, color);
        drawDarkKnob(p, centre, ring - 7);
        drawPointer(p, centre, ring * 0.28, ring - 12.5, angleAt(position), 2.6, color);
    };
}

// The small grey dial: the same knob, smaller, in a grey ring.
Drawing smallDial(double position)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QPointF centre(size.width() / 2, size.height() / 2);
        const qreal ring = size.width() / 2 - 2.5;
        drawValueRing(p, centre, ring, 2.0, position, assetColor(ColorAsset::pluginGrey));
        drawDarkKnob(p, centre, ring - 4.5);
        drawPointer(p, centre, 3, ring - 7, angleAt(position), 1.8, QColor(0xe4, 0xe6, 0xeb));
    };
}

// The chaos dial: a knurled grey knob with a yellow index, turning within a fixed scale of
// eleven marks. The knurling turns with it.
Drawing chaosDial(double position)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QPointF centre(size.width() / 2, size.height() / 2);
        const qreal outer = size.width() / 2;
        const qreal angle = angleAt(position);

        p.setPen(Qt::NoPen);
        for (int mark = 0; mark <= 10; ++mark) {
            const bool end = mark == 0 || mark == 10;
            p.setBrush(end ? QColor(0x9a, 0x9f, 0xaa) : QColor(0x5f, 0x63, 0x6e));
            const qreal dot = end ? 1.5 : 1.1;
            p.drawEllipse(polar(centre, outer - 2.5, startAngle + travel * mark / 10), dot, dot);
        }

        const qreal body = outer - 7;
        QRadialGradient shadow(centre + QPointF(0, 2), body + 2.5);
        shadow.setColorAt(0.82, QColor(0, 0, 0, 160));
        shadow.setColorAt(1, QColor(0, 0, 0, 0));
        p.setBrush(shadow);
        p.drawEllipse(centre + QPointF(0, 2), body + 2.5, body + 2.5);

        QLinearGradient skirt(centre - QPointF(0, body), centre + QPointF(0, body));
        skirt.setColorAt(0, QColor(0x74, 0x78, 0x82));
        skirt.setColorAt(1, QColor(0x38, 0x3b, 0x42));
        p.setBrush(skirt);
        p.drawEllipse(centre, body, body);
        // Knurling: grooves around the skirt, turning with the knob.
        p.setPen(QPen(QColor(0x22, 0x24, 0x29, 150), 1.0, Qt::SolidLine, Qt::RoundCap));
        for (int groove = 0; groove < 40; ++groove) {
            const qreal a = angle + groove * 9.0;
            p.drawLine(polar(centre, body - 3, a), polar(centre, body - 0.6, a));
        }
        p.setPen(Qt::NoPen);

        const qreal cap = body - 4;
        QLinearGradient top(centre - QPointF(0, cap), centre + QPointF(0, cap));
        top.setColorAt(0, QColor(0x6c, 0x70, 0x7a));
        top.setColorAt(1, QColor(0x4a, 0x4d, 0x55));
        p.setBrush(top);
        p.drawEllipse(centre, cap, cap);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 45), 1.0));
        p.drawArc(QRectF(centre.x() - cap + 0.5, centre.y() - cap + 0.5, 2 * cap - 1, 2 * cap - 1), 30 * 16, 120 * 16);
        p.setPen(QPen(QColor(0, 0, 0, 170), 1.0));
        p.drawEllipse(centre, body - 0.5, body - 0.5);

        // The index: a yellow line with a dark edge, so it reads on the light cap.
        const QColor yellow = assetColor(ColorAsset::pluginYellow);
        p.setPen(QPen(QColor(0x1a, 0x1b, 0x1f, 200), 4.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(polar(centre, cap * 0.3, angle), polar(centre, cap - 1.8, angle));
        p.setPen(QPen(yellow, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(polar(centre, cap * 0.3, angle), polar(centre, cap - 1.8, angle));
    };
}

} // namespace

Drawing dialDrawing(DialStrip strip, double position)
{
    switch (strip) {
    case DialStrip::chaosDialGrey: return chaosDial(position);
    case DialStrip::dialMediumBlue: return mediumDial(ColorAsset::pluginBlue, position);
    case DialStrip::dialMediumYellow: return mediumDial(ColorAsset::pluginYellow, position);
    case DialStrip::dialMediumRed: return mediumDial(ColorAsset::pluginRed, position);
    case DialStrip::dialMediumPurple: return mediumDial(ColorAsset::pluginPurple, position);
    case DialStrip::dialSmallGrey: return smallDial(position);
    }
    return {};
}

} // namespace mossbell::artwork
