#pragma once

#include "Tarnkit/Foundation/ControlStyle.h"

namespace tarnkit {

/// The segmented control drawn as window tabs: 12 pt medium labels, one tab image per segment
/// state, and the padding added to each label's width.
class SegmentedCellStyle : public ControlStyle {
public:
    SegmentedCellStyle();

    /// Only left and right are used: they widen each segment beyond its label.
    EdgeInsets segmentPadding() const { return segmentPadding_; }
    void setSegmentPadding(EdgeInsets insets) { segmentPadding_ = insets; }
    /// Insets the segment frame when the tab image rect is laid out.
    EdgeInsets segmentMargin() const { return segmentMargin_; }
    void setSegmentMargin(EdgeInsets insets) { segmentMargin_ = insets; }

private:
    EdgeInsets segmentPadding_{0, 21, 0, 21};
    EdgeInsets segmentMargin_;
};

} // namespace tarnkit
