#include "Tarnkit/Controls/StyledPopUpButtonCell.h"

#include "Tarnkit/Controls/StyledButtonDrawing.h"
#include "Tarnkit/Foundation/Styles.h"

#include <algorithm>
#include <cmath>

namespace tarnkit {

namespace {

constexpr double titleX = 10;
constexpr double titleHeight = 14;
constexpr double titleMargins = 24; // 10 before the title, 14 after it for the arrows

} // namespace

StyledPopUpButtonCell::StyledPopUpButtonCell(QString title) : ButtonCell(std::move(title))
{
    setHighlightsBy(0);
}

PopUpButtonCellStyle& StyledPopUpButtonCell::classStyle()
{
    static PopUpButtonCellStyle* const style = new PopUpButtonCellStyle();
    return *style;
}

PopUpButtonCellStyle& StyledPopUpButtonCell::style() const
{
    return classStyle();
}

AttributedString StyledPopUpButtonCell::attributedTitle(const QString& title, const ColorRef& textColor,
                                                        const std::optional<QString>& label,
                                                        const ColorRef& labelColor) const
{
    const ParagraphStyle paragraph{TextAlignment::leading, TruncationMode::tail};
    const QColor color = textColor ? *textColor : *style().textColor();
    const QFont& regular = *Styles::BaseStyles::normalFont();
    if (!label || !labelColor)
        return AttributedString(title, regular, color, paragraph);
    AttributedString line(*label, regular, *labelColor, paragraph);
    line.append({QStringLiteral(" ") + title, *Styles::BaseStyles::mediumFont(), color});
    return line;
}

BackgroundStyle StyledPopUpButtonCell::interiorBackgroundStyle() const
{
    return style().interiorBackgroundStyle();
}

Rect StyledPopUpButtonCell::titleRect(const Rect& b) const
{
    if (imagePosition() == ImagePosition::imageOnly || title().isEmpty())
        return {};
    // The width stops at 0 in a button narrower than the margins.
    return Rect(titleX, std::round(b.midY() - titleHeight / 2), std::max(0.0, b.width() - titleMargins), titleHeight)
        .integral();
}

Size StyledPopUpButtonCell::cellSize() const
{
    const AttributedString line =
        attributedTitle(title(), style().textColor(controlState()), label_, secondaryLabelColor());
    return {line.size().width + titleMargins, titleHeight};
}

void StyledPopUpButtonCell::drawBezel(QPainter& painter, const Rect& frame, QWidget& view)
{
    drawStyledBezel(*this, style(), painter, frame, view);
}

Rect StyledPopUpButtonCell::drawTitle(QPainter& painter, const AttributedString& title, const Rect& frame, QWidget& view)
{
    if (imagePosition() == ImagePosition::imageOnly || title.isEmpty())
        return {};
    drawTextAtTop(painter, attributedTitle(title.string(), style().textColor(controlState()), label_, secondaryLabelColor()),
                  frame, view);
    return frame;
}

} // namespace tarnkit
