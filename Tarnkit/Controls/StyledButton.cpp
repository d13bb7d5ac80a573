#include "Tarnkit/Controls/StyledButton.h"

#include "Tarnkit/Controls/StyledButtonDrawing.h"
#include "Tarnkit/Foundation/Image.h"

#include <algorithm>

namespace tarnkit {

StyledButton::StyledButton(QWidget* parent, std::optional<double> fixedWidth)
    : StyledButton(std::make_unique<StyledButtonCell>(), parent, fixedWidth)
{
}

StyledButton::StyledButton(std::unique_ptr<ButtonCell> cell, QWidget* parent, std::optional<double> fixedWidth)
    : Button(std::move(cell), parent), fixedWidth_(fixedWidth)
{
}

void StyledButton::setFixedWidth(std::optional<double> width)
{
    fixedWidth_ = width;
    invalidateIntrinsicContentSize();
}

bool StyledButton::isSelected() const
{
    return cellIsSelected<StyledButtonCell>();
}

void StyledButton::setSelected(bool selected)
{
    setCellSelected<StyledButtonCell>(selected);
}

EdgeInsets StyledButton::alignmentRectInsets() const
{
    if (const auto* styled = cellAs<StyledButtonCell>())
        return styled->style().alignmentRectInsets();
    return Button::alignmentRectInsets();
}

Size StyledButton::intrinsicContentSize() const
{
    Size size = Button::intrinsicContentSize();
    if (fixedWidth_)
        size.width = *fixedWidth_;
    const auto* styled = cellAs<StyledButtonCell>();
    if (!isBordered() || !styled)
        return size;
    const ImageRef bezel = styled->style().bezelImage(styled->controlState());
    if (!bezel)
        return size;
    return bezelSizedIntrinsicSize(size, *bezel, alignmentRectInsets(), fixedWidth_.value_or(bezel->size().width()));
}

void StyledButton::drawRect(QPainter& painter, const Rect& dirtyRect)
{
    Button::drawRect(painter, dirtyRect);
    drawCellFocusRing<StyledButtonCell>(painter);
}

} // namespace tarnkit
