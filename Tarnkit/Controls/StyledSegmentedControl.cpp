#include "Tarnkit/Controls/StyledSegmentedControl.h"

#include "Tarnkit/Foundation/Image.h"

#include <algorithm>

namespace tarnkit {

StyledSegmentedControl::StyledSegmentedControl(QWidget* parent)
    : SegmentedControl(std::make_unique<StyledSegmentedCell>(), parent)
{
}

bool StyledSegmentedControl::hideSelection() const
{
    const auto* styled = cellAs<StyledSegmentedCell>();
    return styled && styled->hideSelection();
}

void StyledSegmentedControl::setHideSelection(bool hide)
{
    if (auto* styled = cellAs<StyledSegmentedCell>())
        styled->setHideSelection(hide);
    update();
}

Size StyledSegmentedControl::intrinsicContentSize() const
{
    Size size = SegmentedControl::intrinsicContentSize();
    const auto* styled = cellAs<StyledSegmentedCell>();
    if (!styled)
        return size;
    if (const ImageRef tab = styled->style().bezelImage(styled->controlState())) {
        size.width = std::max(size.width, tab->size().width());
        size.height = std::max(size.height, tab->size().height());
    }
    return size;
}

} // namespace tarnkit
