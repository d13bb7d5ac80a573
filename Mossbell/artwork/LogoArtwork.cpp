#include "Mossbell/artwork/Artwork.h"

#include "Mossbell/artwork/Palette.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace mossbell::artwork {

namespace {

constexpr qreal bandWidth = 2.4;
constexpr qreal bandPitch = 3.6;

} // namespace

// The wordmark "vartlow" in one monoline, geometric hand: circles for the bowls, straight
// strokes meeting in points, round ends. Stroke centres run between the x-height line and the
// baseline; t and l rise to the ascender line.
constexpr qreal xHeightLine = 0;
constexpr qreal baseline = 11;
constexpr qreal ascenderLine = -5.5;
constexpr qreal bowl = (baseline - xHeightLine) / 2;

QPainterPath vartlowWordmark()
{
    QPainterPath path;
    qreal x = 0;
    const qreal middle = xHeightLine + bowl;

    // v
    path.moveTo(x, xHeightLine);
    path.lineTo(x + 5, baseline);
    path.lineTo(x + 10, xHeightLine);
    x += 10 + 3.4;
    // a: a bowl closed by its stem
    path.addEllipse(QPointF(x + bowl, middle), bowl, bowl);
    path.moveTo(x + 2 * bowl, xHeightLine);
    path.lineTo(x + 2 * bowl, baseline);
    x += 2 * bowl + 3.8;
    // r: a stem and a quarter-circle shoulder
    path.moveTo(x, baseline);
    path.lineTo(x, xHeightLine);
    path.moveTo(x, middle);
    path.arcTo(QRectF(x, xHeightLine, 2 * bowl, 2 * bowl), 180, -90);
    x += bowl + 2.6;
    // t: a stem with a rounded foot, crossed at the x-height
    path.moveTo(x + 1.5, ascenderLine);
    path.lineTo(x + 1.5, baseline - 3);
    path.quadTo(QPointF(x + 1.5, baseline), QPointF(x + 4.8, baseline));
    path.moveTo(x - 1, xHeightLine);
    path.lineTo(x + 4.8, xHeightLine);
    x += 4.8 + 3.6;
    // l
    path.moveTo(x, ascenderLine);
    path.lineTo(x, baseline);
    x += 3.6;
    // o
    path.addEllipse(QPointF(x + bowl, middle), bowl, bowl);
    x += 2 * bowl + 2.8;
    // w: two v's, the middle peak a little lower
    path.moveTo(x, xHeightLine);
    path.lineTo(x + 4, baseline);
    path.lineTo(x + 8, xHeightLine + 1.5);
    path.lineTo(x + 12, baseline);
    path.lineTo(x + 16, xHeightLine);
    return path;
}

QPainterPath vartlowBands(const QPointF& topCentre)
{
    const qreal lengths[] = {5.5, 9.5, 13.5, 9.5, 5.5};
    const qreal left = topCentre.x() - (4 * bandPitch + bandWidth) / 2;
    QPainterPath bands;
    for (int i = 0; i < 5; ++i)
        bands.addRoundedRect(QRectF(left + i * bandPitch, topCentre.y(), bandWidth, lengths[i]), bandWidth / 2,
                             bandWidth / 2);
    return bands;
}

namespace {

// The mark: a tile in the plug-in's blue-to-purple, holding the five bands.
void drawMark(QPainter& p, const QRectF& tile)
{
    const QColor blue = assetColor(ColorAsset::pluginBlue);
    const QColor purple = assetColor(ColorAsset::pluginPurple);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawRoundedRect(tile.translated(0, 1), 6, 6);
    QLinearGradient fill(tile.topLeft(), tile.bottomRight());
    fill.setColorAt(0, blue);
    fill.setColorAt(1, purple.darker(115));
    p.setBrush(fill);
    p.drawRoundedRect(tile, 6, 6);
    QRadialGradient sheen(QPointF(tile.left() + tile.width() * 0.3, tile.top()), tile.width() * 0.9);
    sheen.setColorAt(0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRoundedRect(tile, 6, 6);

    p.setBrush(QColor(255, 255, 255, 240));
    p.drawPath(vartlowBands(QPointF(tile.center().x(), tile.top() + 5)));
}

} // namespace

Drawing logoDrawing()
{
    return [](QPainter& p, const QSizeF& size) {
        const qreal tileSize = size.height() - 4;
        const QRectF tile(1, 1.5, tileSize, tileSize);
        drawMark(p, tile);

        // The word sits right of the tile, its x-height centred on the tile.
        const QPainterPath word = vartlowWordmark();
        const qreal left = tile.right() + 7;
        const QPointF origin(left, tile.center().y() - (xHeightLine + baseline) / 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xec, 0xed, 0xf1), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(word.translated(origin));
    };
}

} // namespace mossbell::artwork
