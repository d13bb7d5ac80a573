#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>

class QPainter;

// The text of the gallery's sheets: a few faces of the library's fonts and colours, measured
// in whole points, and the margin around every sheet. Main thread.
namespace tarnkit::gallery {

inline constexpr qreal margin = 28;

struct Text {
    QFont font;
    QColor color;
};

Text titleText();
Text headingText();
Text nameText();
Text detailText();

qreal lineHeight(const Text& text);
qreal textWidth(const Text& text, const QString& string);
/// A sheet of width x height points at scale device pixels per point, filled with the
/// library's normal background.
QImage blankSheet(qreal width, qreal height, qreal scale);
/// Antialiased shapes and text, as every sheet draws.
void setUpPainter(QPainter& painter);

/// Draws string with its top left corner at topLeft.
void drawText(QPainter& painter, const Text& text, const QPointF& topLeft, const QString& string);

} // namespace tarnkit::gallery
