#include "Tarnkit/Controls/StyledButtonCell.h"

#include "Tarnkit/Controls/StyledButtonDrawing.h"
#include "Tarnkit/Foundation/Image.h"

namespace tarnkit {

StyledButtonCell::StyledButtonCell(QString title) : ButtonCell(std::move(title))
{
    setHighlightsBy(0);
}

StyledButtonCell::StyledButtonCell(ImageRef image) : ButtonCell(std::move(image))
{
    setHighlightsBy(0);
}

ButtonCellStyle& StyledButtonCell::classStyle()
{
    // Made once and kept for the whole run: every cell of the class draws from it.
    static ButtonCellStyle* const style = new ButtonCellStyle();
    return *style;
}

ButtonCellStyle& StyledButtonCell::style() const
{
    return classStyle();
}

AttributedString StyledButtonCell::attributedTitle(const QString& string, const QColor& color) const
{
    return centredTitle(string, *style().font(), color);
}

AttributedString StyledButtonCell::attributedTitle() const
{
    return attributedTitle(title(), *style().textColor(controlState()));
}

Rect StyledButtonCell::drawingRect(const Rect& rect) const
{
    if (isBordered() || isBezeled())
        return rect.inset(style().edgeInsets(), false);
    return rect;
}

Rect StyledButtonCell::imageRect(const Rect& rect) const
{
    return insetImageRect(rect, style().imageEdgeInsets());
}

Rect StyledButtonCell::titleRect(const Rect& rect) const
{
    const Rect s = ButtonCell::titleRect(rect.inset(style().titleEdgeInsets(), false));
    return verticallyCenterTitle_ ? s.centerY(rect, 1) : s;
}

void StyledButtonCell::drawBezel(QPainter& painter, const Rect& frame, QWidget& view)
{
    drawStyledBezel(*this, style(), painter, frame, view);
}

Rect StyledButtonCell::drawTitle(QPainter& painter, const AttributedString& title, const Rect& frame, QWidget& view)
{
    return ButtonCell::drawTitle(painter, attributedTitle(title.string(), *style().textColor(controlState())), frame,
                                 view);
}

void StyledButtonCell::drawImage(QPainter& painter, const ImageRef& image, const Rect& frame, QWidget& view)
{
    drawStyledButtonImage(*this, painter, image, frame, view);
}

} // namespace tarnkit
