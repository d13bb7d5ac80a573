#include "Tarnkit/Controls/SearchFieldCell.h"

#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Image.h"

#include <algorithm>

namespace tarnkit {

namespace {

constexpr double searchButtonInset = 7;
constexpr double searchButtonWidth = 25;
constexpr double cancelButtonInset = 26;
constexpr double cancelButtonWidth = 22;

// The two button images, read from the bundle once.
const ImageRef& searchImage()
{
    static const ImageRef image = ImageResource::of(ImageAsset::tkuiSearchfieldSearch).makeImage();
    return image;
}

const ImageRef& cancelImage()
{
    static const ImageRef image = ImageResource::of(ImageAsset::tkuiSearchfieldCancel).makeImage();
    return image;
}

std::unique_ptr<StyledButtonCell> iconButton(const ImageRef& image, ImageScaling scaling)
{
    auto cell = std::make_unique<StyledButtonCell>(image);
    cell->setBordered(false);
    cell->setImagePosition(ImagePosition::imageOnly);
    cell->setImageScaling(scaling);
    return cell;
}

double iconHeight(const Cell& cell)
{
    return cell.image() ? cell.image()->size().height() : 0;
}

} // namespace

SearchFieldCell::SearchFieldCell(QString string)
    : TextFieldCell(std::move(string)),
      // The magnifier sits at the start of its button; the cancel cross in the middle of its.
      searchButtonCell_(iconButton(searchImage(), ImageScaling::proportionallyDown)),
      cancelButtonCell_(iconButton(cancelImage(), ImageScaling::none))
{
}

Rect SearchFieldCell::searchButtonRect(const Rect& b) const
{
    const double height = iconHeight(*searchButtonCell_);
    return Rect(b.minX() + searchButtonInset, 0, searchButtonWidth, height).centerY(b, 1);
}

Rect SearchFieldCell::cancelButtonRect(const Rect& b) const
{
    if (stringValue().isEmpty())
        return {};
    const double height = iconHeight(*cancelButtonCell_);
    return Rect(b.maxX() - cancelButtonInset, 0, cancelButtonWidth, height).centerY(b, 1);
}

Rect SearchFieldCell::searchTextRect(const Rect& b) const
{
    const Rect drawing = drawingRect(b);
    const Rect search = searchButtonRect(b);
    const Rect cancel = cancelButtonRect(b);
    const double left = search.hasNonZeroDimensions() ? search.maxX() : drawing.minX();
    const double right = cancel.hasNonZeroDimensions() ? cancel.minX() : drawing.maxX();
    return Rect(left, drawing.y(), std::max(0.0, right - left), drawing.height());
}

Rect SearchFieldCell::titleRect(const Rect& b) const
{
    return searchTextRect(b);
}

void SearchFieldCell::drawInterior(QPainter& painter, const Rect& frame, QWidget& view)
{
    if (!isEditingInControlView())
        drawText(painter, textDrawingRect(frame), view);
    searchButtonCell_->setEnabled(isEnabled());
    cancelButtonCell_->setEnabled(isEnabled());
    if (const Rect search = searchButtonRect(frame); search.hasNonZeroDimensions())
        searchButtonCell_->draw(painter, search, view);
    if (!stringValue().isEmpty())
        cancelButtonCell_->draw(painter, cancelButtonRect(frame), view);
}

} // namespace tarnkit
