#include "Tarnkit/Controls/StyledButtonDrawing.h"

#include "Tarnkit/Foundation/Image.h"

#include "platform/foundation/FatalError.h"

#include <algorithm>

namespace tarnkit {

AttributedString centredTitle(const QString& string, const QFont& font, const QColor& color)
{
    return AttributedString(string, font, color, {TextAlignment::center, TruncationMode::tail});
}

Rect scaledImageRect(const Size& size, const Rect& frame, ImageScaling scaling)
{
    switch (scaling) {
    case ImageScaling::proportionallyDown:
    case ImageScaling::proportionallyUpOrDown:
        return Rect(std::max(frame.x(), std::min(frame.x() + frame.width(), size.width) - size.width),
                    std::max(frame.y(), std::min(frame.y() + frame.height(), size.height) - size.height),
                    size.width, size.height);
    case ImageScaling::axesIndependently:
        return frame;
    case ImageScaling::none:
        return centred(size, frame);
    }
    foundation::fatalError("Unhandled image scaling value", "Tarnkit/StyledButtonCell", __LINE__);
}

void drawStyledBezel(const ButtonCell& cell, const ControlStyle& style, QPainter& painter, const Rect& rect,
                     const QWidget& view)
{
    drawStyledImage(painter, style.bezelImage(cell.controlState()), rect, view, cell.isEnabled() ? 1.0 : 0.5);
}

Size bezelSizedIntrinsicSize(const Size& size, const Image& bezel, const EdgeInsets& insets, double minimumWidth)
{
    return {std::max(size.width, minimumWidth) - horizontal(insets), bezel.size().height() - vertical(insets)};
}

void drawStyledButtonImage(const ButtonCell& cell, QPainter& painter, const ImageRef& image, const Rect& frame,
                           const QWidget& view)
{
    if (!image)
        return;
    const double fraction = (cell.isHighlighted() || !cell.isEnabled()) ? 0.5 : 1.0;
    drawStyledImage(painter, image, scaledImageRect(fromQt(image->size()), frame, cell.imageScaling()), view, fraction);
}

} // namespace tarnkit
