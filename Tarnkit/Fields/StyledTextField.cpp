#include "Tarnkit/Fields/StyledTextField.h"

#include "Tarnkit/Foundation/Image.h"

#include "platform/foundation/FatalError.h"

#include <algorithm>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/StyledTextField";

} // namespace

StyledTextField::StyledTextField(QWidget* parent, double verticalInset)
    : StyledTextField(std::make_unique<StyledTextFieldCell>(), parent, verticalInset)
{
}

StyledTextField::StyledTextField(std::unique_ptr<StyledTextFieldCell> cell, QWidget* parent, double verticalInset)
    : FirstResponderAwareTextField(std::move(cell), parent), verticalInset_(verticalInset)
{
}

void StyledTextField::setCell(std::unique_ptr<Cell> cell)
{
    if (!dynamic_cast<StyledTextFieldCell*>(cell.get()))
        foundation::fatalError("a styled text field's cell must be a StyledTextFieldCell", source, __LINE__);
    FirstResponderAwareTextField::setCell(std::move(cell));
}

void StyledTextField::setVerticalInset(double inset)
{
    verticalInset_ = inset;
    invalidateIntrinsicContentSize();
}

bool StyledTextField::isSelected() const
{
    return cellIsSelected<StyledTextFieldCell>();
}

void StyledTextField::setSelected(bool selected)
{
    setCellSelected<StyledTextFieldCell>(selected);
}

void StyledTextField::setVerticallyCenter(bool center)
{
    auto* styled = cellAs<StyledTextFieldCell>();
    if (!styled)
        foundation::fatalError("verticallyCenter needs a StyledTextFieldCell", source, __LINE__);
    verticallyCenter_ = center;
    styled->setVerticallyCenter(center);
    update();
}

EdgeInsets StyledTextField::alignmentRectInsets() const
{
    if (!isBezeled() && !isBordered())
        return FirstResponderAwareTextField::alignmentRectInsets();
    return {verticalInset_, 2, verticalInset_, 2};
}

Size StyledTextField::intrinsicContentSize() const
{
    Size size = FirstResponderAwareTextField::intrinsicContentSize();
    const auto* styled = cellAs<StyledTextFieldCell>();
    if (!styled || (!isBezeled() && !isBordered()))
        return size;
    if (const ImageRef bezel = styled->style().bezelImage(styled->controlState())) {
        size.width = std::max(size.width, bezel->size().width());
        size.height = std::max(size.height, bezel->size().height());
    }
    return size;
}

double StyledTextField::firstBaselineOffsetFromTop() const
{
    const Rect b = bounds();
    const Rect t = cell().titleRect(b);
    return b.maxY() - t.minY() + alignmentRectInsets().top;
}

double StyledTextField::lastBaselineOffsetFromBottom() const
{
    const Rect b = bounds();
    const Rect t = cell().titleRect(b);
    return b.minY() + t.minY() - alignmentRectInsets().bottom;
}

} // namespace tarnkit
