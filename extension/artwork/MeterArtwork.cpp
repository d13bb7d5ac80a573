#include "extension/artwork/Artwork.h"

#include "platform/assets/DialGeometry.h"
#include "extension/artwork/Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace zindle::artwork {

using namespace assets::dial;

namespace {

// The large dial shows its meter this many points above its knob (24 against 17 or 18), so
// each meter draws its ring that far below its own centre, around the knob.
constexpr double modernKnobDrop = 7;
constexpr double retroKnobDrop = 6;

// The scale's colour at t (0 at the first lamp, 1 at the last): green, then yellow, red at the
// top end.
QColor scaleColor(double t)
{
    const auto mix = [](const QColor& a, const QColor& b, double f) {
        return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * f),
                                float(a.greenF() + (b.greenF() - a.greenF()) * f),
                                float(a.blueF() + (b.blueF() - a.blueF()) * f));
    };
    if (t <= 0.55)
        return meterGreen;
    if (t <= 0.75)
        return mix(meterGreen, meterYellow, (t - 0.55) / 0.2);
    if (t <= 0.88)
        return mix(meterYellow, meterRed, (t - 0.75) / 0.13);
    return meterRed;
}

// The modern meter: segments on a ring around the knob, lit from the start of the travel.
Drawing modernMeter(int segments, int lit)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QPointF centre(size.width() / 2, size.height() / 2 + modernKnobDrop);
        const double outer = size.width() / 2 - 13;
        const double inner = outer - 14;
        const double gap = 2.6;
        const double step = (travel + gap) / segments;
        p.setPen(Qt::NoPen);
        for (int segment = 0; segment < segments; ++segment) {
            const double from = startAngle + segment * step;
            const double to = from + step - gap;
            const QColor color = scaleColor(double(segment) / (segments - 1));
            if (segment < lit) {
                QColor glow = color;
                glow.setAlpha(60);
                p.setBrush(glow);
                p.drawPath(ringSector(centre, inner - 2.5, outer + 2.5, from - 1.2, to + 1.2));
                QRadialGradient body(centre, outer);
                body.setColorAt(double(inner) / outer, color);
                body.setColorAt((inner + outer) / 2 / outer, color.lighter(135));
                body.setColorAt(1, color);
                p.setBrush(body);
                p.drawPath(ringSector(centre, inner, outer, from, to));
            } else {
                p.setBrush(QColor(0x0c, 0x0d, 0x0f));
                p.drawPath(ringSector(centre, inner - 0.7, outer + 0.7, from - 0.4, to + 0.4));
                QColor dark = QColor(0x26, 0x28, 0x2e);
                p.setBrush(dark);
                p.drawPath(ringSector(centre, inner, outer, from, to));
                // A hint of the colour it lights in.
                QColor hint = color;
                hint.setAlpha(28);
                p.setBrush(hint);
                p.drawPath(ringSector(centre, inner, outer, from, to));
            }
        }
    };
}

// One lamp of the retro meter: a chrome bezel round a glass that is dark or glowing.
void drawLamp(QPainter& p, const QPointF& at, double radius, const QColor& color, bool on)
{
    p.setPen(Qt::NoPen);
    if (on) {
        QRadialGradient halo(at, radius * 2.3);
        QColor glow = color;
        glow.setAlpha(110);
        halo.setColorAt(0, glow);
        glow.setAlpha(0);
        halo.setColorAt(1, glow);
        p.setBrush(halo);
        p.drawEllipse(at, radius * 2.3, radius * 2.3);
    }
    QLinearGradient bezel(at - QPointF(0, radius), at + QPointF(0, radius));
    bezel.setColorAt(0, QColor(0xf6, 0xf3, 0xec));
    bezel.setColorAt(0.5, QColor(0x9b, 0x96, 0x8c));
    bezel.setColorAt(1, QColor(0xd9, 0xd4, 0xca));
    p.setBrush(bezel);
    p.drawEllipse(at, radius, radius);
    p.setBrush(QColor(0x3a, 0x32, 0x2a));
    const double glass = radius - 1.3;
    p.drawEllipse(at, glass, glass);

    QRadialGradient fill(at - QPointF(glass * 0.25, glass * 0.3), glass * 1.15);
    if (on) {
        fill.setColorAt(0, QColor(255, 252, 235));
        fill.setColorAt(0.35, color.lighter(120));
        fill.setColorAt(1, color.darker(115));
    } else {
        fill.setColorAt(0, color.darker(260));
        fill.setColorAt(1, color.darker(520));
    }
    p.setBrush(fill);
    p.drawEllipse(at, glass - 0.4, glass - 0.4);
    // The glass's reflection, on or off.
    p.setBrush(QColor(255, 255, 255, on ? 150 : 90));
    p.drawEllipse(at - QPointF(glass * 0.35, glass * 0.4), glass * 0.32, glass * 0.22);
}

// The retro meter: a ring of pilot lamps around the knob, lit from the start of the travel.
Drawing retroMeter(int lamps, int lit)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QPointF centre(size.width() / 2, size.height() / 2 + retroKnobDrop);
        const double radius = size.width() / 2 - 13;
        for (int lamp = 0; lamp < lamps; ++lamp) {
            const double t = double(lamp) / (lamps - 1);
            drawLamp(p, polar(centre, radius, startAngle + travel * t), 5.4, scaleColor(t), lamp < lit);
        }
    };
}

} // namespace

Drawing meterDrawing(DialStrip strip, int lit)
{
    // Frame 0 is all dark and the last frame all lit, so a strip of n frames has n - 1 lamps.
    const int lamps = dialStripInfo(strip).frameCount - 1;
    switch (strip) {
    case DialStrip::modernMeter: return modernMeter(lamps, lit);
    case DialStrip::retroMeter: return retroMeter(lamps, lit);
    case DialStrip::knobBigWhite:
    case DialStrip::knobChickenhead:
    case DialStrip::knobSmallBlue:
    case DialStrip::knobSmallYellow:
    case DialStrip::knobSmallRed: break;
    }
    return {};
}

} // namespace zindle::artwork
