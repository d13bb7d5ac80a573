#include "tools/tarnkit-gallery/SheetText.h"

#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/Foundation/TKColorsAK.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>

#include <cmath>

namespace tarnkit::gallery {

Text titleText() { return {*Styles::BaseStyles::largeTitleFont(), *TKColorsAK::grey100()}; }
Text headingText() { return {*Styles::BaseStyles::headerFont(), *TKColorsAK::grey85()}; }
Text nameText() { return {*Styles::BaseStyles::normalFont(), *TKColorsAK::grey85()}; }
Text detailText() { return {*Styles::BaseStyles::normalMonoFont(), *TKColorsAK::grey50()}; }

qreal lineHeight(const Text& text)
{
    return std::ceil(QFontMetricsF(text.font).height());
}

qreal textWidth(const Text& text, const QString& string)
{
    return std::ceil(QFontMetricsF(text.font).horizontalAdvance(string));
}

QImage blankSheet(qreal width, qreal height, qreal scale)
{
    QImage image(QSize(int(width * scale), int(height * scale)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(*TKColorsAK::Background::normal());
    return image;
}

void setUpPainter(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

void drawText(QPainter& painter, const Text& text, const QPointF& topLeft, const QString& string)
{
    painter.setFont(text.font);
    painter.setPen(text.color);
    painter.drawText(QRectF(topLeft, QSizeF(textWidth(text, string) + 2, lineHeight(text))),
                     Qt::AlignLeft | Qt::AlignTop, string);
}

} // namespace tarnkit::gallery
