#include "Tarnkit/Components/ImageBackedButtonStyle.h"

#include "Tarnkit/Foundation/Image.h"

#include <QPainter>

#include <cmath>

namespace tarnkit {

ui::ButtonLabel ImageBackedButtonStyle::styled(ui::ButtonLabel label, const Appearance& appearance)
{
    label.font = appearance.font;
    label.color = appearance.textColor;
    return label;
}

QSizeF ImageBackedButtonStyle::frameSize(QSizeF labelSize) const
{
    const QMarginsF& padding = frame_.padding;
    return QSizeF(labelSize.width() + padding.left() + padding.right(),
                  frame_.height.value_or(labelSize.height() + padding.top() + padding.bottom()));
}

QSizeF ImageBackedButtonStyle::size(const ui::ButtonLabel& label) const
{
    QSizeF size = frameSize(styled(label, appearance(false)).size());
    for (const bool isPressed : {false, true}) {
        if (const ImageRef& background = appearance(isPressed).background)
            size = size.expandedTo(background->size());
    }
    return size;
}

void ImageBackedButtonStyle::paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label,
                                   bool isPressed) const
{
    const Appearance look = appearance(isPressed);
    if (look.background) {
        // Whole points, so the artwork's one-pixel edges stay sharp at 1x.
        const QSizeF imageSize = look.background->size();
        const QPointF topLeft(std::round(rect.center().x() - imageSize.width() / 2),
                              std::round(rect.center().y() - imageSize.height() / 2));
        look.background->draw(painter, topLeft);
    }
    styled(label, look).paint(painter, rect);
}

} // namespace tarnkit
