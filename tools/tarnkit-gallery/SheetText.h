#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

// The text of the gallery's sheets: a few faces of the library's fonts and colours, measured
// in whole points. Main thread.
namespace tarnkit::gallery {

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
/// Draws string with its top left corner at topLeft.
void drawText(QPainter& painter, const Text& text, const QPointF& topLeft, const QString& string);

} // namespace tarnkit::gallery
