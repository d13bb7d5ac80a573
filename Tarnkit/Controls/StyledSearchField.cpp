#include "Tarnkit/Controls/StyledSearchField.h"

#include "Tarnkit/Foundation/Image.h"

#include "platform/foundation/FatalError.h"

#include <algorithm>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/StyledSearchField";

} // namespace

StyledSearchField::StyledSearchField(QWidget* parent) : SearchField(std::make_unique<StyledSearchFieldCell>(), parent)
{
}

void StyledSearchField::setCell(std::unique_ptr<Cell> cell)
{
    if (!dynamic_cast<StyledSearchFieldCell*>(cell.get()))
        foundation::fatalError("a styled search field's cell must be a StyledSearchFieldCell", source, __LINE__);
    SearchField::setCell(std::move(cell));
}

void StyledSearchField::setVerticallyCenter(bool center)
{
    auto* styled = cellAs<StyledSearchFieldCell>();
    if (!styled)
        foundation::fatalError("verticallyCenter needs a StyledSearchFieldCell", source, __LINE__);
    verticallyCenter_ = center;
    styled->setVerticallyCenter(center);
    update();
}

EdgeInsets StyledSearchField::alignmentRectInsets() const
{
    if (cellAs<StyledSearchFieldCell>())
        return StyledSearchFieldCell::classStyle().alignmentRectInsets();
    return SearchField::alignmentRectInsets();
}

Size StyledSearchField::intrinsicContentSize() const
{
    const Size size = SearchField::intrinsicContentSize();
    const auto* styled = cellAs<StyledSearchFieldCell>();
    if (!styled || !isBezeled())
        return size;
    const ImageRef bezel = styled->currentBezelImage();
    if (!bezel)
        return size;
    const EdgeInsets insets = alignmentRectInsets();
    return {std::max(size.width, bezel->size().width()) - horizontal(insets),
            std::max(size.height, bezel->size().height()) - vertical(insets)};
}

void StyledSearchField::drawRect(QPainter& painter, const Rect& dirtyRect)
{
    SearchField::drawRect(painter, dirtyRect);
    drawCellFocusRing<StyledSearchFieldCell>(painter);
}

} // namespace tarnkit
