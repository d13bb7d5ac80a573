#include "extension/artwork/Artwork.h"

#include "platform/assets/DialGeometry.h"
#include "extension/artwork/Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <random>

namespace zindle::artwork {

using namespace assets::dial;

namespace {

// The retro backdrop sits under the 46-point header; its dials, lamp rings and buttons are
// placed by the skin: three dials 164 points apart whose knobs turn about y = 117, the row of
// three 88 x 27 buttons at y = 257 between x = 188 and 452.
constexpr double knobCentreY = 117;
constexpr double knobCentresX[] = {156, 320, 484};
const QRectF buttonRow(188, 257, 264, 27);

// A slotted screw head at centre, its slot turned by angle.
void drawScrew(QPainter& p, const QPointF& centre, double angle)
{
    const double radius = 5.5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6a, 0x55, 0x3a, 90));
    p.drawEllipse(centre + QPointF(0, 0.8), radius + 1.2, radius + 1.2);
    QLinearGradient head(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    head.setColorAt(0, QColor(0xf4, 0xf1, 0xea));
    head.setColorAt(0.5, QColor(0xb3, 0xad, 0xa2));
    head.setColorAt(1, QColor(0x7b, 0x75, 0x6b));
    p.setBrush(head);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x4a, 0x43, 0x3a, 160), 0.7));
    p.drawEllipse(centre, radius - 0.3, radius - 0.3);
    // The slot: dark, with a lit lower edge.
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.5, Qt::SolidLine, Qt::FlatCap));
    const QPointF lip(0, 0.5);
    p.drawLine(polar(centre, radius - 1, angle) + lip, polar(centre, radius - 1, angle + 180) + lip);
    p.setPen(QPen(QColor(0x2e, 0x29, 0x23), 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(polar(centre, radius - 1, angle), polar(centre, radius - 1, angle + 180));
}

// The wordmark "ZINDLE" in strokes of a condensed sans, height points tall from its top left.
QPainterPath wordmark(const QPointF& topLeft, double height)
{
    const double w = height * 0.56;
    const double gap = height * 0.3;
    const double h = height;
    QPainterPath path;
    double x = topLeft.x();
    const double y = topLeft.y();
    // Z
    path.moveTo(x, y);
    path.lineTo(x + w, y);
    path.lineTo(x, y + h);
    path.lineTo(x + w, y + h);
    x += w + gap;
    // I
    path.moveTo(x, y);
    path.lineTo(x, y + h);
    x += gap;
    // N
    path.moveTo(x, y + h);
    path.lineTo(x, y);
    path.lineTo(x + w, y + h);
    path.lineTo(x + w, y);
    x += w + gap;
    // D: a stem and a bowl of two quarter circles joined by a straight side
    const double bowl = w * 0.55;
    path.moveTo(x, y);
    path.lineTo(x, y + h);
    path.lineTo(x + w - bowl, y + h);
    path.arcTo(QRectF(x + w - 2 * bowl, y + h - 2 * bowl, 2 * bowl, 2 * bowl), 270, 90);
    path.lineTo(x + w, y + bowl);
    path.arcTo(QRectF(x + w - 2 * bowl, y, 2 * bowl, 2 * bowl), 0, 90);
    path.closeSubpath();
    x += w + gap;
    // L
    path.moveTo(x, y);
    path.lineTo(x, y + h);
    path.lineTo(x + w * 0.9, y + h);
    x += w * 0.9 + gap;
    // E
    path.moveTo(x + w * 0.9, y);
    path.lineTo(x, y);
    path.lineTo(x, y + h);
    path.lineTo(x + w * 0.9, y + h);
    path.moveTo(x, y + h / 2);
    path.lineTo(x + w * 0.75, y + h / 2);
    return path;
}

// The speaker grille: round perforations on a staggered grid within a field of rounded
// corners, each a dark hole with a lit lower lip; none under the nameplate.
void drawGrille(QPainter& p, const QRectF& rect, const QRectF& keepClear)
{
    const double pitch = 7;
    const double hole = 1.6;
    QPainterPath field;
    field.addRoundedRect(rect.adjusted(hole, hole, -hole, -hole), 12, 12);
    p.setPen(Qt::NoPen);
    int row = 0;
    for (double y = rect.top() + hole; y <= rect.bottom() - hole; y += pitch * 0.866, ++row) {
        const double offset = row % 2 ? pitch / 2 : 0;
        for (double x = rect.left() + hole + offset; x <= rect.right() - hole; x += pitch) {
            const QPointF at(x, y);
            if (!field.contains(at) || keepClear.adjusted(-hole - 3, -hole - 3, hole + 3, hole + 3).contains(at))
                continue;
            p.setBrush(QColor(255, 255, 255, 120));
            p.drawEllipse(at + QPointF(0, 0.5), hole, hole);
            p.setBrush(QColor(0x3d, 0x30, 0x21));
            p.drawEllipse(at, hole, hole);
        }
    }
}

// The nameplate: a bakelite badge with a brass rim and the wordmark inlaid in cream.
void drawNameplate(QPainter& p, const QRectF& plate)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4a, 0x3a, 0x26, 90));
    p.drawRoundedRect(plate.translated(0, 1.2), 5, 5);
    QLinearGradient brass(plate.topLeft(), plate.bottomLeft());
    brass.setColorAt(0, QColor(0xe8, 0xc9, 0x7e));
    brass.setColorAt(1, QColor(0x9a, 0x77, 0x32));
    p.setBrush(brass);
    p.drawRoundedRect(plate, 5, 5);
    const QRectF face = plate.adjusted(2, 2, -2, -2);
    QLinearGradient body(face.topLeft(), face.bottomLeft());
    body.setColorAt(0, QColor(0x3a, 0x31, 0x29));
    body.setColorAt(1, bakelite);
    p.setBrush(body);
    p.drawRoundedRect(face, 3.5, 3.5);

    const double letters = face.height() * 0.46;
    const QPainterPath mark = wordmark(QPointF(0, 0), letters);
    const QRectF bounds = mark.boundingRect();
    const QPointF at(face.center().x() - bounds.width() / 2, face.center().y() - letters / 2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(creamLight, letters * 0.17, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    p.drawPath(mark.translated(at));
}

// A shallow round well in the panel, darker than the panel, with a lit lower edge.
void drawWell(QPainter& p, const QPointF& centre, double radius)
{
    p.setPen(Qt::NoPen);
    QRadialGradient floor(centre, radius);
    floor.setColorAt(0, QColor(0x8a, 0x6a, 0x3e, 20));
    floor.setColorAt(0.9, QColor(0x8a, 0x6a, 0x3e, 34));
    floor.setColorAt(1, QColor(0x8a, 0x6a, 0x3e, 50));
    p.setBrush(floor);
    p.drawEllipse(centre, radius, radius);
    QLinearGradient edge(centre - QPointF(0, radius), centre + QPointF(0, radius));
    edge.setColorAt(0, QColor(0x5a, 0x46, 0x2e, 110));
    edge.setColorAt(0.5, QColor(0x5a, 0x46, 0x2e, 40));
    edge.setColorAt(0.5, QColor(255, 255, 255, 60));
    edge.setColorAt(1, QColor(255, 255, 255, 170));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(edge), 1.2));
    p.drawEllipse(centre, radius, radius);
}

// The sunk bezel the retro mode buttons sit in.
void drawButtonBezel(QPainter& p, const QRectF& row)
{
    const QRectF bezel = row.adjusted(-6, -5, 6, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawRoundedRect(bezel.translated(0, 1), 6, 6);
    QLinearGradient body(bezel.topLeft(), bezel.bottomLeft());
    body.setColorAt(0, QColor(0x24, 0x1e, 0x19));
    body.setColorAt(1, QColor(0x3b, 0x32, 0x29));
    p.setBrush(body);
    p.drawRoundedRect(bezel, 6, 6);
}

} // namespace

// A flat panel face with a fine border and rounded corners, all inside the 12-point caps, so
// its middle tiles without a seam.
Drawing modernAreaDrawing()
{
    return [](QPainter& p, const QSizeF& size) {
        const QRectF panel(0, 0, size.width(), size.height());
        const double radius = 7;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x0e, 0x0f, 0x12));
        p.drawRoundedRect(panel, radius, radius);
        p.setBrush(QColor(0x1f, 0x21, 0x26));
        p.drawRoundedRect(panel.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
        // The light along the top edge fades out within the cap.
        QLinearGradient light(0, 1, 0, 11);
        light.setColorAt(0, QColor(255, 255, 255, 26));
        light.setColorAt(0.15, QColor(255, 255, 255, 8));
        light.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(light);
        p.drawRoundedRect(panel.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x33, 0x36, 0x3e), 1.0));
        p.drawRoundedRect(panel.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1.5, radius - 1.5);
    };
}

// A cream lacquered front panel with a fine grain, four screws, a well for each dial, a sunk
// bezel for the mode buttons and a speaker grille with the nameplate at the bottom.
Drawing retroBackgroundDrawing()
{
    return [](QPainter& p, const QSizeF& size) {
        const QRectF panel(0, 0, size.width(), size.height());
        QLinearGradient lacquer(panel.topLeft(), panel.bottomLeft());
        lacquer.setColorAt(0, creamLight);
        lacquer.setColorAt(1, cream);
        p.setPen(Qt::NoPen);
        p.setBrush(lacquer);
        p.drawRect(panel);

        // Grain: faint specks, the same on every build.
        std::minstd_rand random(20240611);
        std::uniform_real_distribution<double> x(0, size.width());
        std::uniform_real_distribution<double> y(0, size.height());
        std::uniform_int_distribution<int> alpha(6, 20);
        for (int speck = 0; speck < 9000; ++speck) {
            const bool dark = speck % 3 != 0;
            p.setBrush(dark ? QColor(0x6b, 0x52, 0x30, alpha(random)) : QColor(255, 255, 255, alpha(random) * 2));
            p.drawEllipse(QPointF(x(random), y(random)), 0.6, 0.6);
        }
        // Light falls from the top left: a soft glow there, a shade towards the bottom right.
        QRadialGradient glow(QPointF(size.width() * 0.25, 0), size.width() * 0.9);
        glow.setColorAt(0, QColor(255, 250, 235, 60));
        glow.setColorAt(1, QColor(255, 250, 235, 0));
        p.setBrush(glow);
        p.drawRect(panel);

        // The header above casts a thin shadow; the panel's edge is bevelled.
        QLinearGradient shadow(0, 0, 0, 7);
        shadow.setColorAt(0, QColor(0, 0, 0, 80));
        shadow.setColorAt(1, QColor(0, 0, 0, 0));
        p.setBrush(shadow);
        p.drawRect(QRectF(0, 0, size.width(), 7));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x8a, 0x74, 0x52, 120), 1.0));
        p.drawRect(panel.adjusted(0.5, 0.5, -0.5, -0.5));

        // A printed frame line inside the screws.
        p.setPen(QPen(QColor(0x5a, 0x46, 0x2e, 70), 1.0));
        p.drawRoundedRect(panel.adjusted(30.5, 14.5, -30.5, -14.5), 8, 8);

        for (const double cx : knobCentresX)
            drawWell(p, QPointF(cx, knobCentreY), 73);
        drawButtonBezel(p, buttonRow);

        const QRectF grille(48, 318, size.width() - 96, 84);
        const QRectF plate(grille.center().x() - 74, grille.center().y() - 19, 148, 38);
        drawGrille(p, grille, plate);
        drawNameplate(p, plate);

        const double inset = 16;
        drawScrew(p, QPointF(inset, inset), 35);
        drawScrew(p, QPointF(size.width() - inset, inset), -20);
        drawScrew(p, QPointF(inset, size.height() - inset), 80);
        drawScrew(p, QPointF(size.width() - inset, size.height() - inset), 10);
    };
}

} // namespace zindle::artwork
