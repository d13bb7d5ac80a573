#include "extension/artwork/Artwork.h"

#include "platform/assets/DialGeometry.h"
#include "extension/artwork/Palette.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

namespace zindle::artwork {

using namespace assets::dial;

namespace {

// Knobs are lit from above: gradients stay put while the knob turns; only what is cut into
// the knob (pointer, knurling, the chicken head's outline) turns with it.

// The soft shadow a knob of radius casts on the panel below it.
void drawShadow(QPainter& p, const QPointF& centre, double radius, double drop, int alpha)
{
    const QPointF at = centre + QPointF(0, drop);
    QRadialGradient shadow(at, radius);
    shadow.setColorAt(0.7, QColor(0, 0, 0, alpha));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(at, radius, radius);
}

// Grooves around the edge of a skirt between two radii, turning with the knob.
void drawKnurling(QPainter& p, const QPointF& centre, double inner, double outer, double angle, int grooves,
                  const QColor& color, double width)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
    for (int groove = 0; groove < grooves; ++groove) {
        const double a = angle + groove * 360.0 / grooves;
        p.drawLine(polar(centre, inner, a), polar(centre, outer, a));
    }
}

// A dark skirt of radius, knurled along its rim, with a lit upper edge.
void drawSkirt(QPainter& p, const QPointF& centre, double radius, double angle, int grooves)
{
    p.setPen(Qt::NoPen);
    QLinearGradient skirt(centre - QPointF(0, radius), centre + QPointF(0, radius));
    skirt.setColorAt(0, QColor(0x4a, 0x4d, 0x55));
    skirt.setColorAt(1, QColor(0x17, 0x18, 0x1c));
    p.setBrush(skirt);
    p.drawEllipse(centre, radius, radius);
    drawKnurling(p, centre, radius * 0.8, radius - 0.4, angle, grooves, QColor(0, 0, 0, 110), radius / 40);
    p.setBrush(Qt::NoBrush);
    QLinearGradient rim(centre - QPointF(0, radius), centre);
    rim.setColorAt(0, QColor(255, 255, 255, 60));
    rim.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(rim), 1.0));
    p.drawEllipse(centre, radius - 0.6, radius - 0.6);
    p.setPen(QPen(QColor(0, 0, 0, 160), 0.8));
    p.drawEllipse(centre, radius - 0.2, radius - 0.2);
}

// A line from inner to outer radius along angle: a dark groove with a lit lower lip.
void drawGroove(QPainter& p, const QPointF& centre, double inner, double outer, double angle, double width,
                const QColor& color)
{
    p.setPen(QPen(QColor(255, 255, 255, 90), width + 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(polar(centre, inner, angle) + QPointF(0, 0.6), polar(centre, outer, angle) + QPointF(0, 0.6));
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(polar(centre, inner, angle), polar(centre, outer, angle));
}

// The modern large knob: a white satin cap on a dark knurled skirt, a dark pointer groove.
Drawing bigWhiteKnob(double position)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QPointF centre(size.width() / 2, size.height() / 2);
        const double skirt = size.width() / 2 - 14;
        const double cap = skirt - 8;
        const double angle = angleAt(position);

        drawShadow(p, centre, skirt + 10, 5, 150);
        drawSkirt(p, centre, skirt, angle, 72);

        // The cap's side: a ring a shade darker than its face.
        p.setPen(Qt::NoPen);
        QLinearGradient side(centre - QPointF(0, cap), centre + QPointF(0, cap));
        side.setColorAt(0, QColor(0xfb, 0xfb, 0xfc));
        side.setColorAt(1, QColor(0xa9, 0xad, 0xb5));
        p.setBrush(side);
        p.drawEllipse(centre, cap, cap);

        const double face = cap - 4;
        QLinearGradient fill(centre - QPointF(0, face), centre + QPointF(0, face));
        fill.setColorAt(0, QColor(0xe9, 0xeb, 0xee));
        fill.setColorAt(1, QColor(0xd2, 0xd5, 0xdb));
        p.setBrush(fill);
        p.drawEllipse(centre, face, face);
        // Satin: a faint sheen that catches the light on two sides.
        QConicalGradient sheen(centre, 60);
        sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
        sheen.setColorAt(0.25, QColor(255, 255, 255, 0));
        sheen.setColorAt(0.5, QColor(255, 255, 255, 70));
        sheen.setColorAt(0.75, QColor(255, 255, 255, 0));
        sheen.setColorAt(1.0, QColor(255, 255, 255, 70));
        p.setBrush(sheen);
        p.drawEllipse(centre, face, face);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x8d, 0x91, 0x9a, 160), 0.8));
        p.drawEllipse(centre, face, face);
        p.setPen(QPen(QColor(0, 0, 0, 120), 0.8));
        p.drawEllipse(centre, cap - 0.2, cap - 0.2);

        drawGroove(p, centre, face * 0.3, face - 4, angle, 4.2, QColor(0x2a, 0x2c, 0x31));
    };
}

// The chicken head's outline pointing up from the origin: a long tapering beak and a short
// round tail.
QPainterPath chickenHead(double length, double tail, double width)
{
    const double half = width / 2;
    QPainterPath head;
    head.moveTo(-2.6, -length);
    head.quadTo(0, -length - 2.2, 2.6, -length);
    head.cubicTo(half * 0.55, -length * 0.55, half, -half * 0.9, half, 0);
    head.cubicTo(half, tail * 0.75, half * 0.6, tail, 0, tail);
    head.cubicTo(-half * 0.6, tail, -half, tail * 0.75, -half, 0);
    head.cubicTo(-half, -half * 0.9, -half * 0.55, -length * 0.55, -2.6, -length);
    head.closeSubpath();
    return head;
}

// The retro large knob: a bakelite chicken head with a cream index on a round base, within a
// scale printed on the panel.
Drawing chickenheadKnob(double position)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QPointF centre(size.width() / 2, size.height() / 2);
        const double angle = angleAt(position);
        const double scale = size.width() / 2 - 4;

        // The printed scale: eleven ticks, the ends and the middle longer.
        for (int tick = 0; tick <= 10; ++tick) {
            const bool major = tick % 5 == 0;
            const double a = startAngle + travel * tick / 10;
            p.setPen(QPen(brownPrint, major ? 2.0 : 1.3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(polar(centre, scale - (major ? 8 : 5.5), a), polar(centre, scale, a));
        }

        const double base = scale - 22;
        drawShadow(p, centre, base + 7, 3.5, 130);
        // The base: a bakelite disc with a bevelled rim.
        p.setPen(Qt::NoPen);
        QLinearGradient disc(centre - QPointF(0, base), centre + QPointF(0, base));
        disc.setColorAt(0, QColor(0x4a, 0x40, 0x37));
        disc.setColorAt(1, QColor(0x12, 0x0f, 0x0d));
        p.setBrush(disc);
        p.drawEllipse(centre, base, base);
        QLinearGradient top(centre - QPointF(0, base - 3), centre + QPointF(0, base - 3));
        top.setColorAt(0, QColor(0x2e, 0x27, 0x21));
        top.setColorAt(1, QColor(0x1a, 0x16, 0x13));
        p.setBrush(top);
        p.drawEllipse(centre, base - 3, base - 3);

        // The head, turned to the angle, lit from above.
        const QPainterPath head = QTransform().translate(centre.x(), centre.y()).rotate(angle).map(
            chickenHead(scale - 11, base * 0.78, base * 1.15));
        drawShadow(p, centre, base * 0.9, 2.5, 90);
        QLinearGradient body(centre - QPointF(0, base + 6), centre + QPointF(0, base + 6));
        body.setColorAt(0, QColor(0x55, 0x4a, 0x40));
        body.setColorAt(0.45, bakelite);
        body.setColorAt(1, QColor(0x0c, 0x0a, 0x08));
        p.setBrush(body);
        p.setPen(QPen(QColor(0, 0, 0, 190), 0.9));
        p.drawPath(head);
        // A ridge along the head's spine catches the light.
        QRadialGradient gloss(centre - QPointF(0, base * 0.45), base * 0.9);
        gloss.setColorAt(0, QColor(255, 240, 220, 70));
        gloss.setColorAt(1, QColor(255, 240, 220, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(gloss);
        p.drawPath(head);

        // The index: a cream line inlaid along the beak.
        p.setPen(QPen(creamLight, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(polar(centre, base * 0.35, angle), polar(centre, scale - 14, angle));
    };
}

// A small knob: a coloured cap on a dark skirt, a white pointer, and the value lit along a
// groove around it in the cap's colour.
Drawing smallKnob(const QColor& accent, double position)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QPointF centre(size.width() / 2, size.height() / 2);
        const double angle = angleAt(position);
        const double ring = size.width() / 2 - 3.5;

        // The groove, then the value along it.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x0d, 0x0e, 0x10));
        p.drawPath(ringSector(centre, ring - 1.9, ring + 1.9, startAngle, startAngle + travel));
        p.setBrush(QColor(0x2c, 0x2f, 0x36));
        p.drawPath(ringSector(centre, ring - 1.3, ring + 1.3, startAngle, startAngle + travel));
        if (position > 0) {
            QColor glow = accent;
            glow.setAlpha(70);
            p.setBrush(glow);
            p.drawPath(ringSector(centre, ring - 2.6, ring + 2.6, startAngle, angle));
            p.setBrush(accent);
            p.drawPath(ringSector(centre, ring - 1.3, ring + 1.3, startAngle, angle));
        }

        const double skirt = ring - 7;
        const double cap = skirt - 5;
        drawShadow(p, centre, skirt + 4, 2.5, 150);
        drawSkirt(p, centre, skirt, angle, 36);

        p.setPen(Qt::NoPen);
        QLinearGradient fill(centre - QPointF(0, cap), centre + QPointF(0, cap));
        fill.setColorAt(0, accent.lighter(125));
        fill.setColorAt(1, accent.darker(135));
        p.setBrush(fill);
        p.drawEllipse(centre, cap, cap);
        QRadialGradient dome(centre - QPointF(0, cap * 0.5), cap * 1.1);
        dome.setColorAt(0, QColor(255, 255, 255, 80));
        dome.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(dome);
        p.drawEllipse(centre, cap, cap);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 120), 0.7));
        p.drawEllipse(centre, cap, cap);

        p.setPen(QPen(QColor(0, 0, 0, 110), 3.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(polar(centre, cap * 0.25, angle), polar(centre, cap - 1.5, angle));
        p.setPen(QPen(QColor(0xfa, 0xfa, 0xfb), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(polar(centre, cap * 0.25, angle), polar(centre, cap - 1.5, angle));
    };
}

} // namespace

Drawing knobDrawing(DialStrip strip, double position)
{
    switch (strip) {
    case DialStrip::knobBigWhite: return bigWhiteKnob(position);
    case DialStrip::knobChickenhead: return chickenheadKnob(position);
    case DialStrip::knobSmallBlue: return smallKnob(QColor(0x3f, 0x92, 0xf2), position);
    case DialStrip::knobSmallYellow: return smallKnob(QColor(0xf2, 0xbd, 0x2f), position);
    case DialStrip::knobSmallRed: return smallKnob(QColor(0xee, 0x4d, 0x4b), position);
    case DialStrip::modernMeter:
    case DialStrip::retroMeter: break;
    }
    return {};
}

} // namespace zindle::artwork
