#include "Tarnkit/artwork/Artwork.h"

#include "Tarnkit/artwork/Palette.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace tarnkit::artwork {

namespace {

// Transparency under colour swatches: two mid greys in squares of half the image.
Drawing checkerboard()
{
    return [](QPainter& p, const QSizeF& size) {
        const qreal cell = size.width() / 2;
        p.fillRect(QRectF(QPointF(0, 0), size), QColor(0x8c, 0x8c, 0x8c));
        p.fillRect(QRectF(0, 0, cell, cell), QColor(0x5e, 0x5e, 0x5e));
        p.fillRect(QRectF(cell, cell, cell, cell), QColor(0x5e, 0x5e, 0x5e));
    };
}

// The "more" marker a tool button shows in its corner: a small triangle into the corner.
Drawing cornerToolMore()
{
    return [](QPainter& p, const QSizeF& size) {
        p.setPen(Qt::NoPen);
        p.setBrush(glyphColor());
        p.drawPolygon(QPolygonF({QPointF(size.width(), 1), QPointF(size.width(), size.height()),
                                 QPointF(1, size.height())}));
    };
}

// The tracking slider's cursor: an arrow with the up-and-down marks of a vertical drag. Its
// tip is the hot spot (3, 4). White with a dark outline, to show on any background.
Drawing trackingCursor()
{
    return [](QPainter& p, const QSizeF&) {
        const QPolygonF arrow({QPointF(3, 4), QPointF(3, 17.5), QPointF(6.3, 14.4), QPointF(8.6, 19.6),
                               QPointF(10.8, 18.7), QPointF(8.6, 13.6), QPointF(13, 13.6)});
        const QPolygonF updown({QPointF(18, 7.5), QPointF(21.5, 11.5), QPointF(19.3, 11.5), QPointF(19.3, 16.5),
                                QPointF(21.5, 16.5), QPointF(18, 20.5), QPointF(14.5, 16.5), QPointF(16.7, 16.5),
                                QPointF(16.7, 11.5), QPointF(14.5, 11.5)});
        p.setPen(QPen(QColor(0, 0, 0, 230), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawPolygon(arrow);
        p.drawPolygon(updown);
    };
}

Drawing disclosure(bool open)
{
    return [open](QPainter& p, const QSizeF&) {
        p.setPen(QPen(paletteColor("Grey 60%"), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(paletteColor("Grey 60%"));
        if (open)
            p.drawPolygon(QPolygonF({QPointF(2.5, 4), QPointF(9.5, 4), QPointF(6, 8.5)}));
        else
            p.drawPolygon(QPolygonF({QPointF(4, 2.5), QPointF(8.5, 6), QPointF(4, 9.5)}));
    };
}

QPolygonF starPoints(const QPointF& centre, qreal outer, qreal inner)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? outer : inner;
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        points << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return points;
}

Drawing star(bool filled)
{
    return [filled](QPainter& p, const QSizeF& size) {
        const QPolygonF points = starPoints(QPointF(size.width() / 2, size.height() / 2 + 0.6), 6.2, 2.6);
        if (filled) {
            QLinearGradient fill(QPointF(0, 1), QPointF(0, size.height() - 1));
            fill.setColorAt(0, QColor(0xfb, 0xdc, 0x74));
            fill.setColorAt(1, paletteColor("Ostrel/Yellow"));
            p.setPen(QPen(QColor(0x9a, 0x74, 0x12), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(fill);
        } else {
            p.setPen(QPen(paletteColor("Grey 50%"), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
        }
        p.drawPolygon(points);
    };
}

// The navigation bar's back button: a bezel that carries its arrow.
Drawing backButton(bool pressed)
{
    return [pressed](QPainter& p, const QSizeF& size) {
        const QRectF body(1, 1, size.width() - 2, size.height() - 3);
        drawRaised(p, body, 4, pressed ? Raised::pressed : Raised::normal);
        drawChevron(p, body.center() + QPointF(-0.5, 0), 8, 4.5, Direction::left,
                    pressed ? pressedGlyphColor() : glyphColor(), 1.7);
    };
}

// Borderless image buttons of a table header: the glyph, and when pressed the glyph dimmed on
// a dark disc.
void drawPressedDisc(QPainter& p, const QSizeF& size)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawEllipse(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
}

Drawing addButton(bool pressed)
{
    return [pressed](QPainter& p, const QSizeF& size) {
        if (pressed)
            drawPressedDisc(p, size);
        p.setPen(QPen(pressed ? pressedGlyphColor() : paletteColor("Grey 70%"), 1.6, Qt::SolidLine, Qt::RoundCap));
        const QPointF c(size.width() / 2, size.height() / 2);
        p.drawLine(c + QPointF(-4.5, 0), c + QPointF(4.5, 0));
        p.drawLine(c + QPointF(0, -4.5), c + QPointF(0, 4.5));
    };
}

Drawing overflowButton(bool pressed)
{
    return [pressed](QPainter& p, const QSizeF& size) {
        if (pressed)
            drawPressedDisc(p, size);
        p.setPen(Qt::NoPen);
        p.setBrush(pressed ? pressedGlyphColor() : paletteColor("Grey 70%"));
        for (const qreal x : {4.0, 8.0, 12.0})
            p.drawEllipse(QPointF(x, size.height() / 2), 1.4, 1.4);
    };
}

// The search field's buttons: the magnifier at its leading end and the round cancel button
// that clears it, both in the field's glyph grey.
Drawing searchIcon()
{
    return [](QPainter& p, const QSizeF&) {
        const QColor glyph = paletteColor("Grey 50%");
        const QPointF lens(5, 5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(glyph, 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawEllipse(lens, 3.4, 3.4);
        p.setPen(QPen(glyph, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(lens + QPointF(2.7, 2.7), lens + QPointF(5.6, 5.6));
    };
}

Drawing searchCancel()
{
    return [](QPainter& p, const QSizeF& size) {
        const QPointF centre(size.width() / 2, size.height() / 2);
        p.setPen(Qt::NoPen);
        p.setBrush(paletteColor("Grey 50%"));
        p.drawEllipse(centre, 5.5, 5.5);
        // The cross is cut out of the disc, so the field shows through it.
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.setPen(QPen(Qt::black, 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + QPointF(-2.3, -2.3), centre + QPointF(2.3, 2.3));
        p.drawLine(centre + QPointF(-2.3, 2.3), centre + QPointF(2.3, -2.3));
    };
}

// The maker's mark: a voice waveform folding into a V on a purple-to-blue tile.
Drawing makerLogo()
{
    return [](QPainter& p, const QSizeF& size) {
        const QRectF tile(2, 2, size.width() - 4, size.height() - 5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawRoundedRect(tile.translated(0, 1), 13, 13);
        QLinearGradient fill(tile.topLeft(), tile.bottomRight());
        fill.setColorAt(0, paletteColor("Ostrel/Purple"));
        fill.setColorAt(0.55, paletteColor("Ostrel/DarkPurple"));
        fill.setColorAt(1, QColor(0x1d, 0x3f, 0x8c));
        p.setBrush(fill);
        p.drawRoundedRect(tile, 13, 13);
        QRadialGradient glow(QPointF(tile.left() + 16, tile.top() + 10), 40);
        glow.setColorAt(0, QColor(255, 255, 255, 50));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(glow);
        p.drawRoundedRect(tile, 13, 13);

        // A decaying wave along the middle, behind the V.
        QPainterPath wave;
        const qreal mid = tile.center().y() + 2;
        for (int i = 0; i <= 80; ++i) {
            const qreal t = i / 80.0;
            const qreal x = tile.left() + 7 + t * (tile.width() - 14);
            const qreal envelope = std::sin(std::numbers::pi * t);
            const qreal y = mid - 7 * envelope * std::sin(t * 6 * std::numbers::pi);
            if (i == 0)
                wave.moveTo(x, y);
            else
                wave.lineTo(x, y);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(paletteColor("Ostrel/LightBlue"), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setOpacity(0.55);
        p.drawPath(wave);
        p.setOpacity(1);

        QPainterPath vee;
        vee.moveTo(tile.left() + 14, tile.top() + 14);
        vee.lineTo(tile.center().x(), tile.bottom() - 12);
        vee.lineTo(tile.right() - 14, tile.top() + 14);
        p.setPen(QPen(QColor(0, 0, 0, 60), 6.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(vee.translated(0, 1));
        p.setPen(QPen(Qt::white, 5.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(vee);
    };
}

} // namespace

DrawingTable iconArtwork()
{
    return {
        {"tkui-checkerboard", checkerboard()},
        {"tkui-checkerboard-small", checkerboard()},
        {"corner-tool-more", cornerToolMore()},
        {"cursor-trackingslider", trackingCursor()},
        {"organiser-icon-disclose", disclosure(false)},
        {"organiser-icon-disclose-open", disclosure(true)},
        {"organiser-icon-star", star(true)},
        {"organiser-icon-star-empty", star(false)},
        {"organiser-navbar-back", backButton(false)},
        {"organiser-navbar-back-down", backButton(true)},
        {"properties-table-add", addButton(false)},
        {"properties-table-add-down", addButton(true)},
        {"properties-tableheader-overflow", overflowButton(false)},
        {"properties-tableheader-overflow-down", overflowButton(true)},
        {"tkui-searchfield-search", searchIcon()},
        {"tkui-searchfield-cancel", searchCancel()},
        {"window-vartlow", makerLogo()},
    };
}

} // namespace tarnkit::artwork
