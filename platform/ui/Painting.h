#pragma once

#include <QImage>
#include <QMarginsF>
#include <QPainterPath>
#include <QRectF>

class QPainter;

/// Drawing images the ways views show them, in points: at natural size, resizable with cap
/// insets, or scaled to fit. Images carry their device pixel ratio, so a 2x image has the same
/// size in points as its 1x twin.
namespace ui {

/// How the middle parts of a resizable image fill their space.
enum class ResizingMode { stretch, tile };

/// The image's size in points.
QSizeF pointSize(const QImage& image);

/// The image at its natural size, centred on the centre of rect.
void drawImageCentred(QPainter& painter, const QRectF& rect, const QImage& image);

/// The image filling rect as nine parts: the corners (capInsets, points) at natural size, the
/// edges and middle stretched or tiled. Tiles start at the top-left of their part and the last
/// one is cut off.
void drawResizableImage(QPainter& painter, const QRectF& rect, const QImage& image, const QMarginsF& capInsets,
                        ResizingMode mode);

/// The image scaled uniformly to the largest size that fits rect, centred.
void drawImageScaledToFit(QPainter& painter, const QRectF& rect, const QImage& image);

/// A rounded rectangle whose corners blend into the straight edges (the "continuous" corner
/// style): each corner is a cubic curve reaching a little further along the edges than a
/// circular arc of the same radius.
QPainterPath continuousRoundedRect(const QRectF& rect, qreal radius);

} // namespace ui
