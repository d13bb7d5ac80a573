#pragma once

#include "platform/assets/ArtworkWriter.h"

#include <QColor>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

// The materials and marks every picture of the bundle is made of, so that buttons, fields,
// tabs and icons share one light, one depth and one line weight. Coordinates are points with
// y down; rects on whole points keep 1-point lines on pixel edges at 1x and 2x.
namespace tarnkit::artwork {

using Drawing = assets::ArtworkWriter::Drawing;
using DrawingTable = QMap<QString, Drawing>;

/// The look of a raised bezel (buttons, pop-ups, check boxes, tool buttons).
enum class Raised {
    normal,  ///< lit from above, a soft shadow below
    pressed, ///< pushed in: darker, shaded from the top
    on,      ///< toggled on: the selection blue
    onPressed,
};

/// The look of a sunken field (text, search and combo fields, slider tracks).
enum class Field {
    normal,
    focus, ///< a selection-blue ring
    error, ///< an error-red ring
};

enum class Direction { up, down, left, right };

/// A rounded bezel on body, with its shadow one point below it (keep that point free).
void drawRaised(QPainter& painter, const QRectF& body, qreal radius, Raised look);
/// A sunken field on body; the focus and error rings spill one point outside it.
void drawField(QPainter& painter, const QRectF& body, qreal radius, Field look);
/// An open chevron centred on centre, width by height as it points down (swapped for left
/// and right).
void drawChevron(QPainter& painter, const QPointF& centre, qreal width, qreal height, Direction direction,
                 const QColor& color, qreal lineWidth = 1.5);
/// A rounded-rect path with different corner radii (top left, top right, bottom right,
/// bottom left).
QPainterPath roundedPath(const QRectF& rect, qreal topLeft, qreal topRight, qreal bottomRight, qreal bottomLeft);

/// The glyph colour on raised bezels and icons, normal and pressed.
QColor glyphColor();
QColor pressedGlyphColor();

} // namespace tarnkit::artwork
