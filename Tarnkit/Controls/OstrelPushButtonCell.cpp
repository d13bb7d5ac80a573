#include "Tarnkit/Controls/OstrelPushButtonCell.h"

#include "Tarnkit/Controls/StyledButtonDrawing.h"
#include "Tarnkit/Foundation/Styles.h"

namespace tarnkit {

OstrelPushButtonCell::OstrelPushButtonCell(QString title) : ButtonCell(std::move(title))
{
    setHighlightsBy(0);
}

OstrelPushButtonCell::OstrelPushButtonCell(ImageRef image) : ButtonCell(std::move(image))
{
    setHighlightsBy(0);
}

ButtonCellStyle& OstrelPushButtonCell::classStyle()
{
    static ButtonCellStyle* const style = new ButtonCellStyle();
    return *style;
}

ButtonCellStyle& OstrelPushButtonCell::style() const
{
    return classStyle();
}

AttributedString OstrelPushButtonCell::titleFor(const QString& string) const
{
    return centredTitle(string, *Styles::Control::font(), *style().textColor(controlState()));
}

AttributedString OstrelPushButtonCell::attributedTitle() const
{
    return titleFor(title());
}

Rect OstrelPushButtonCell::drawingRect(const Rect& rect) const
{
    if (isBordered() || isBezeled())
        return ButtonCell::drawingRect(rect);
    return rect;
}

Rect OstrelPushButtonCell::imageRect(const Rect& rect) const
{
    return insetImageRect(rect, imageEdgeInsets_);
}

Rect OstrelPushButtonCell::titleRect(const Rect& rect) const
{
    return ButtonCell::titleRect(rect).inset(titleEdgeInsets_, false);
}

void OstrelPushButtonCell::drawBezel(QPainter& painter, const Rect& frame, QWidget& view)
{
    const Rect rect = bezelStyle() == BezelStyle::rounded ? frame.inset(edgeInsets_, false) : frame;
    drawStyledBezel(*this, style(), painter, rect, view);
}

Rect OstrelPushButtonCell::drawTitle(QPainter& painter, const AttributedString& title, const Rect& frame,
                                     QWidget& view)
{
    return ButtonCell::drawTitle(painter, titleFor(title.string()), frame, view);
}

void OstrelPushButtonCell::drawImage(QPainter& painter, const ImageRef& image, const Rect& frame, QWidget& view)
{
    drawStyledButtonImage(*this, painter, image, frame, view);
}

} // namespace tarnkit
