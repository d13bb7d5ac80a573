#include "Zindle/artwork/AppArtwork.h"

#include "Mossbell/artwork/Artwork.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace zindleapp::artwork {

namespace {

// A key of the welcome window: a rounded face a point in from the sides and the top, with a
// soft shadow below; held, it sinks into a darker face lit from below.
Drawing buttonDrawing(bool held)
{
    return [held](QPainter& p, const QSizeF& size) {
        const QRectF face(1, 0.5, size.width() - 2, size.height() - 2.5);
        const qreal radius = 6;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawRoundedRect(face.translated(0, 1.5), radius, radius);

        QLinearGradient fill(face.topLeft(), face.bottomLeft());
        fill.setColorAt(0, held ? QColor(0x1d, 0x18, 0x2b) : QColor(0x3b, 0x33, 0x55));
        fill.setColorAt(1, held ? QColor(0x2a, 0x23, 0x3e) : QColor(0x29, 0x23, 0x3d));
        p.setBrush(fill);
        p.setPen(QPen(held ? QColor(0x3a, 0x31, 0x56) : QColor(0x55, 0x4b, 0x78), 1));
        p.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);

        // A highlight along the top edge at rest, along the bottom when held.
        QLinearGradient sheen(face.topLeft(), face.bottomLeft());
        sheen.setColorAt(held ? 1.0 : 0.0, QColor(255, 255, 255, held ? 18 : 34));
        sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(sheen);
        p.drawRoundedRect(face.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    };
}

// The maker's mark in one colour, as a template: the five bands and the wordmark.
void drawVartlow(QPainter& p, const QSizeF& size)
{
    const qreal scale = size.height() / 24.0;
    p.scale(scale, scale);
    const qreal width = size.width() / scale;
    const qreal wordWidth = 78;
    const qreal markWidth = 16.8;
    const qreal gap = 8;
    const qreal left = (width - (markWidth + gap + wordWidth)) / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(mossbell::artwork::vartlowBands(QPointF(left + markWidth / 2, 6)));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mossbell::artwork::vartlowWordmark().translated(left + markWidth + gap, 9));
}

// The program's icon: a violet tile holding a bright waveform, the band of the welcome window.
void drawIcon(QPainter& p, const QSizeF& size)
{
    const QRectF tile = QRectF(QPointF(0, 0), size).adjusted(6, 6, -6, -6);
    const qreal radius = tile.width() * 0.22;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawRoundedRect(tile.translated(0, 2), radius, radius);
    QLinearGradient fill(tile.topLeft(), tile.bottomRight());
    fill.setColorAt(0, QColor(0x3c, 0x2a, 0x6e));
    fill.setColorAt(1, QColor(0x15, 0x10, 0x26));
    p.setBrush(fill);
    p.drawRoundedRect(tile, radius, radius);
    QRadialGradient glow(tile.center(), tile.width() * 0.55);
    glow.setColorAt(0, QColor(0xd8, 0x6c, 0xff, 110));
    glow.setColorAt(1, QColor(0xd8, 0x6c, 0xff, 0));
    p.setBrush(glow);
    p.drawRoundedRect(tile, radius, radius);

    // A voice's waveform: a carrier whose swing swells in the middle.
    QPainterPath wave;
    const int steps = 160;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        const qreal x = tile.left() + tile.width() * (0.1 + 0.8 * t);
        const qreal envelope = std::sin(t * M_PI);
        const qreal y = tile.center().y() - tile.height() * 0.3 * envelope * envelope * std::sin(t * 2 * M_PI * 5.5);
        i == 0 ? wave.moveTo(x, y) : wave.lineTo(x, y);
    }
    QLinearGradient stroke(tile.topLeft(), tile.topRight());
    stroke.setColorAt(0, QColor(0x8a, 0xd8, 0xff));
    stroke.setColorAt(1, QColor(0xff, 0x9a, 0xe6));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(stroke), tile.width() * 0.045, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(wave);
}

} // namespace

QColor assetColor(ColorAsset asset)
{
    // A switch, so that a colour added to the table without a value does not compile quietly.
    switch (asset) {
    case ColorAsset::background: return QColor(0x14, 0x11, 0x1f);
    case ColorAsset::buttonText: return QColor(0xcd, 0xc6, 0xe4);
    case ColorAsset::labels: return QColor(0x8d, 0x85, 0xab);
    }
    return {};
}

Drawing imageDrawing(ImageAsset asset)
{
    switch (asset) {
    case ImageAsset::tkuiButton: return buttonDrawing(false);
    case ImageAsset::tkuiButtonDown: return buttonDrawing(true);
    case ImageAsset::windowVartlow: return drawVartlow;
    case ImageAsset::appIcon: return drawIcon;
    }
    return {};
}

} // namespace zindleapp::artwork
