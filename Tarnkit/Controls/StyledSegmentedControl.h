#pragma once

#include "Tarnkit/Controls/SegmentedControl.h"
#include "Tarnkit/Controls/StyledSegmentedCell.h"

namespace tarnkit {

/// The library's segmented control: segments drawn as window tabs by a StyledSegmentedCell,
/// sized by their labels, with the library's focus ring on the key segment (drawn by the cell)
/// in place of the system's.
///
/// - hideSelection: the cell's (false for a cell of another class, where setting it only
///   redraws);
/// - intrinsicContentSize: the cell's size grown to the tab image for the cell's state, so
///   never lower than the tab.
///
/// Main thread only.
class StyledSegmentedControl : public SegmentedControl {
    Q_OBJECT
public:
    explicit StyledSegmentedControl(QWidget* parent = nullptr);

    bool hideSelection() const;
    void setHideSelection(bool hide);

    Size intrinsicContentSize() const override;
};

} // namespace tarnkit
