#include "Tarnkit/Controls/OstrelPushButton.h"


namespace tarnkit {

OstrelPushButton::OstrelPushButton(QWidget* parent, std::optional<double> fixedHeight, std::optional<double> fixedWidth)
    : OstrelPushButton(std::make_unique<OstrelPushButtonCell>(), parent, fixedHeight, fixedWidth)
{
}

OstrelPushButton::OstrelPushButton(std::unique_ptr<ButtonCell> cell, QWidget* parent,
                                   std::optional<double> fixedHeight, std::optional<double> fixedWidth)
    : Button(std::move(cell), parent), fixedHeight_(fixedHeight), fixedWidth_(fixedWidth)
{
    if (auto* pushCell = cellAs<OstrelPushButtonCell>())
        pushCell->setHighlightsBy(0);
}

void OstrelPushButton::setFixedHeight(std::optional<double> height)
{
    fixedHeight_ = height;
    invalidateIntrinsicContentSize();
}

void OstrelPushButton::setFixedWidth(std::optional<double> width)
{
    fixedWidth_ = width;
    invalidateIntrinsicContentSize();
}

bool OstrelPushButton::isSelected() const
{
    return cellIsSelected<OstrelPushButtonCell>();
}

void OstrelPushButton::setSelected(bool selected)
{
    setCellSelected<OstrelPushButtonCell>(selected);
}

Size OstrelPushButton::intrinsicContentSize() const
{
    Size size = Button::intrinsicContentSize();
    if (fixedWidth_)
        size.width = *fixedWidth_;
    if (fixedHeight_)
        size.height = *fixedHeight_;
    return size;
}

void OstrelPushButton::drawRect(QPainter& painter, const Rect& dirtyRect)
{
    Button::drawRect(painter, dirtyRect);
    drawCellFocusRing<OstrelPushButtonCell>(painter);
}

} // namespace tarnkit
