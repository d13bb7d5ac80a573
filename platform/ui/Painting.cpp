#include "platform/ui/Painting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {

QSizeF pointSize(const QImage& image)
{
    return image.isNull() ? QSizeF() : image.deviceIndependentSize();
}

void drawImageCentred(QPainter& painter, const QRectF& rect, const QImage& image)
{
    if (image.isNull())
        return;
    const QSizeF size = pointSize(image);
    const QRectF target(rect.center() - QPointF(size.width() / 2, size.height() / 2), size);
    painter.drawImage(target, image);
}

namespace {

/// Fills target with source (a part of image, in pixels) repeated at its natural point size.
void tilePart(QPainter& painter, const QRectF& target, const QImage& image, const QRectF& source)
{
    const qreal ratio = image.devicePixelRatio();
    const qreal tileWidth = source.width() / ratio;
    const qreal tileHeight = source.height() / ratio;
    if (tileWidth <= 0 || tileHeight <= 0 || target.isEmpty())
        return;
    for (qreal y = target.top(); y < target.bottom() - 1e-6; y += tileHeight) {
        const qreal height = std::min(tileHeight, target.bottom() - y);
        for (qreal x = target.left(); x < target.right() - 1e-6; x += tileWidth) {
            const qreal width = std::min(tileWidth, target.right() - x);
            painter.drawImage(QRectF(x, y, width, height), image,
                              QRectF(source.left(), source.top(), width * ratio, height * ratio));
        }
    }
}

} // namespace

void drawResizableImage(QPainter& painter, const QRectF& rect, const QImage& image, const QMarginsF& capInsets,
                        ResizingMode mode)
{
    if (image.isNull() || rect.isEmpty())
        return;
    const qreal ratio = image.devicePixelRatio();
    const QSizeF imageSize = pointSize(image);
    // Caps larger than the image or the target shrink to fit, as the middle cannot be negative.
    const qreal left = std::min(capInsets.left(), std::min(imageSize.width(), rect.width()) / 2);
    const qreal right = std::min(capInsets.right(), std::min(imageSize.width(), rect.width()) / 2);
    const qreal top = std::min(capInsets.top(), std::min(imageSize.height(), rect.height()) / 2);
    const qreal bottom = std::min(capInsets.bottom(), std::min(imageSize.height(), rect.height()) / 2);

    const qreal sourceX[4] = {0, left, imageSize.width() - right, imageSize.width()};
    const qreal sourceY[4] = {0, top, imageSize.height() - bottom, imageSize.height()};
    const qreal targetX[4] = {rect.left(), rect.left() + left, rect.right() - right, rect.right()};
    const qreal targetY[4] = {rect.top(), rect.top() + top, rect.bottom() - bottom, rect.bottom()};

    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRectF source(sourceX[column] * ratio, sourceY[row] * ratio,
                                (sourceX[column + 1] - sourceX[column]) * ratio, (sourceY[row + 1] - sourceY[row]) * ratio);
            const QRectF target(targetX[column], targetY[row], targetX[column + 1] - targetX[column],
                                targetY[row + 1] - targetY[row]);
            if (source.isEmpty() || target.isEmpty())
                continue;
            const bool corner = row != 1 && column != 1;
            if (corner || mode == ResizingMode::stretch)
                painter.drawImage(target, image, source);
            else
                tilePart(painter, target, image, source);
        }
    }
}

void drawImageScaledToFit(QPainter& painter, const QRectF& rect, const QImage& image)
{
    if (image.isNull() || rect.isEmpty())
        return;
    const QSizeF size = pointSize(image).scaled(rect.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRectF(rect.center() - QPointF(size.width() / 2, size.height() / 2), size), image);
}

QPainterPath continuousRoundedRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    const qreal r = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2);
    if (r <= 0) {
        path.addRect(rect);
        return path;
    }
    // The curve starts 1.28 r from the corner (a circular arc starts at r) and its control
    // points sit on the edges, which keeps the curvature continuous where it meets them.
    const qreal reach = std::min(r * 1.28, std::min(rect.width(), rect.height()) / 2);
    const qreal control = reach * 0.1;
    const qreal l = rect.left(), t = rect.top(), ri = rect.right(), b = rect.bottom();
    path.moveTo(l + reach, t);
    path.lineTo(ri - reach, t);
    path.cubicTo(ri - control, t, ri, t + control, ri, t + reach);
    path.lineTo(ri, b - reach);
    path.cubicTo(ri, b - control, ri - control, b, ri - reach, b);
    path.lineTo(l + reach, b);
    path.cubicTo(l + control, b, l, b - control, l, b - reach);
    path.lineTo(l, t + reach);
    path.cubicTo(l, t + control, l + control, t, l + reach, t);
    path.closeSubpath();
    return path;
}

} // namespace ui
