#include "Tarnkit/Controls/StyledPopUpButton.h"

#include "Tarnkit/Controls/StyledButtonDrawing.h"
#include "Tarnkit/Foundation/Image.h"

#include <algorithm>

namespace tarnkit {

namespace {

// The menu font at 11 points: what the button's cell and its menu are set in.
const FontRef& menuFont11()
{
    static const FontRef font = [] {
        QFont menu;
        menu.setPixelSize(11);
        return std::make_shared<const QFont>(menu);
    }();
    return font;
}

} // namespace

StyledPopUpButton::StyledPopUpButton(const QRect& frame, bool pullsDown, std::optional<double> fixedWidth, QWidget* parent)
    : StyledPopUpButton(std::make_unique<StyledPopUpButtonCell>(), frame, pullsDown, fixedWidth, parent)
{
}

StyledPopUpButton::StyledPopUpButton(std::unique_ptr<ButtonCell> cell, const QRect& frame, bool pullsDown,
                                     std::optional<double> fixedWidth, QWidget* parent)
    : PopUpButton(std::move(cell), parent, pullsDown), fixedWidth_(fixedWidth)
{
    setGeometry(frame);
    this->cell().setFont(menuFont11());
    menu()->setFont(*menuFont11());
}

void StyledPopUpButton::setFixedWidth(std::optional<double> width)
{
    fixedWidth_ = width;
    invalidateIntrinsicContentSize();
}

void StyledPopUpButton::setLabel(std::optional<QString> label)
{
    label_ = std::move(label);
    if (auto* styled = cellAs<StyledPopUpButtonCell>())
        styled->setLabel(label_);
    invalidateIntrinsicContentSize();
    update();
}

EdgeInsets StyledPopUpButton::alignmentRectInsets() const
{
    if (cellAs<StyledPopUpButtonCell>())
        return StyledPopUpButtonCell::classStyle().alignmentRectInsets();
    return PopUpButton::alignmentRectInsets();
}

Size StyledPopUpButton::intrinsicContentSize() const
{
    Size size = PopUpButton::intrinsicContentSize();
    if (fixedWidth_)
        size.width = *fixedWidth_;
    const auto* styled = cellAs<StyledPopUpButtonCell>();
    if (!isBordered() || !styled)
        return size;
    const ImageRef bezel = styled->style().bezelImage(styled->controlState());
    if (!bezel)
        return size;
    // Unlike the styled button's, the fixed width has replaced the width before the image's
    // counts.
    return bezelSizedIntrinsicSize(size, *bezel, alignmentRectInsets(), bezel->size().width());
}

void StyledPopUpButton::drawRect(QPainter& painter, const Rect& dirtyRect)
{
    PopUpButton::drawRect(painter, dirtyRect);
    drawCellFocusRing<StyledPopUpButtonCell>(painter);
}

} // namespace tarnkit
