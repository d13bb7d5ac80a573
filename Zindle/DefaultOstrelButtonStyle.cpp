#include "Zindle/DefaultOstrelButtonStyle.h"

#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/Foundation/TKImages.h"

#include <QApplication>

namespace zindleapp {

QFont DefaultOstrelButtonStyle::font() const
{
    QFont system = QApplication::font();
    system.setPixelSize(11);
    system.setWeight(QFont::Normal);
    return system;
}

QColor DefaultOstrelButtonStyle::textColor(bool isPressed) const
{
    QColor color = *(isPressed ? tarnkit::Styles::Control::highlightedTextColor() : tarnkit::Styles::Control::textColor());
    if (!isEnabled_)
        color.setAlphaF(color.alphaF() * 0.5f);
    return color;
}

const tarnkit::ImageRef& DefaultOstrelButtonStyle::background(bool isPressed) const
{
    return isPressed ? tarnkit::TKImages::tkuiButtonDown() : tarnkit::TKImages::tkuiButton();
}

void DefaultOstrelButtonStyle::paintBackground(QPainter& painter, const QRectF& rect, bool isPressed) const
{
    const tarnkit::Image& image = *background(isPressed);
    const QSizeF size = image.size();
    image.draw(painter, QPointF(rect.center().x() - size.width() / 2, rect.center().y() - size.height() / 2));
}

} // namespace zindleapp
