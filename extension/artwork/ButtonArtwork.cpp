#include "extension/artwork/Artwork.h"

#include "platform/assets/DialGeometry.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace zindle::artwork {

using namespace assets::dial;

namespace {

const QColor ice(0x8c, 0xd4, 0xff);

// A six-armed snowflake of radius around centre, each arm with a pair of twigs.
void drawSnowflake(QPainter& p, const QPointF& centre, double radius, const QPen& pen)
{
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int arm = 0; arm < 6; ++arm) {
        const double angle = arm * 60.0;
        p.drawLine(polar(centre, 0, angle), polar(centre, radius, angle));
        const QPointF fork = polar(centre, radius * 0.55, angle);
        p.drawLine(fork, polar(fork, radius * 0.33, angle - 45));
        p.drawLine(fork, polar(fork, radius * 0.33, angle + 45));
    }
}

} // namespace

// A round push button in a dark metal bezel with a snowflake. Held, the face sinks and lights
// up in ice blue, ringed by the light of the bezel.
Drawing freezeButtonDrawing(bool held)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QPointF centre(size.width() / 2, size.height() / 2);
        const double bezel = size.width() / 2 - 1.2;
        const double face = bezel - 4.5;

        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 120));
        p.drawEllipse(centre + QPointF(0, 0.9), bezel + 0.4, bezel + 0.4);
        QLinearGradient ring(centre - QPointF(0, bezel), centre + QPointF(0, bezel));
        ring.setColorAt(0, QColor(0x5a, 0x5e, 0x67));
        ring.setColorAt(1, QColor(0x18, 0x19, 0x1d));
        p.setBrush(ring);
        p.drawEllipse(centre, bezel, bezel);
        // The well the face sits in.
        p.setBrush(QColor(0x08, 0x09, 0x0b));
        p.drawEllipse(centre, face + 1.4, face + 1.4);

        if (held) {
            QColor light = ice;
            light.setAlpha(150);
            p.setBrush(light);
            p.drawEllipse(centre, face + 1.3, face + 1.3);
        }

        QLinearGradient fill(centre - QPointF(0, face), centre + QPointF(0, face));
        if (held) {
            fill.setColorAt(0, QColor(0x12, 0x1d, 0x28));
            fill.setColorAt(1, QColor(0x1e, 0x34, 0x47));
        } else {
            fill.setColorAt(0, QColor(0x3c, 0x40, 0x48));
            fill.setColorAt(1, QColor(0x22, 0x24, 0x29));
        }
        p.setBrush(fill);
        p.drawEllipse(centre, face, face);
        if (held) {
            QRadialGradient glow(centre, face);
            QColor inner = ice;
            inner.setAlpha(95);
            glow.setColorAt(0, inner);
            inner.setAlpha(0);
            glow.setColorAt(1, inner);
            p.setBrush(glow);
            p.drawEllipse(centre, face, face);
            // Sunk: the rim shades the top of the face.
            QLinearGradient shade(centre - QPointF(0, face), centre - QPointF(0, face - 5));
            shade.setColorAt(0, QColor(0, 0, 0, 120));
            shade.setColorAt(1, QColor(0, 0, 0, 0));
            p.setBrush(shade);
            p.drawEllipse(centre, face, face);
        } else {
            // Domed: the light along its upper edge.
            QLinearGradient top(centre - QPointF(0, face), centre);
            top.setColorAt(0, QColor(255, 255, 255, 70));
            top.setColorAt(1, QColor(255, 255, 255, 0));
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QBrush(top), 1.0));
            p.drawEllipse(centre, face - 0.5, face - 0.5);
        }

        const double flake = face * 0.62;
        if (held) {
            QColor halo = ice;
            halo.setAlpha(90);
            drawSnowflake(p, centre, flake, QPen(halo, 3.6, Qt::SolidLine, Qt::RoundCap));
            drawSnowflake(p, centre, flake, QPen(QColor(0xea, 0xf7, 0xff), 1.6, Qt::SolidLine, Qt::RoundCap));
        } else {
            const QPen shadow(QColor(0, 0, 0, 140), 1.6, Qt::SolidLine, Qt::RoundCap);
            drawSnowflake(p, centre + QPointF(0, 0.6), flake, shadow);
            drawSnowflake(p, centre, flake, QPen(ice.darker(125), 1.6, Qt::SolidLine, Qt::RoundCap));
        }
    };
}

} // namespace zindle::artwork
