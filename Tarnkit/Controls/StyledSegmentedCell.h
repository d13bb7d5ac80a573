#pragma once

#include "Tarnkit/Controls/SegmentedCell.h"
#include "Tarnkit/Foundation/SegmentedCellStyle.h"
#include "Tarnkit/Foundation/StyledView.h"

#include <map>

namespace tarnkit {

/// The font, colour and paragraph style a segment label is drawn with.
struct TitleAttributes {
    QFont font;
    QColor foregroundColor;
    ParagraphStyle paragraphStyle;
};

/// The library's segmented cell: every segment drawn as a window tab from its class's
/// SegmentedCellStyle (a stretched tab image by the segment's state, the focus ring on the key
/// segment, the label centred on it), segments as wide as their labels plus the style's
/// padding.
///
/// - controlState(forSegment): default (and disabled), highlighted while pressed, selected for
///   the selected segment unless hideSelection (true for a new cell);
/// - setWidth: a labelled segment takes its label's width in the cell's font plus the padding's
///   left and right (42), whatever width is asked; an unlabelled one the width asked;
/// - bezelRect: the tab image's rect in a segment frame: the frame less segmentMargin, as high
///   as the image (0 without one), centred on the frame's middle, integral;
/// - drawSegment: remembers the frame (cachedSegmentFrames), then the tab image, then the focus
///   ring (inset 2) when the segment is the key one and the control shows its ring, then the
///   label; focusRingMaskBounds: the key segment's tab rect in its last frame (zero before it
///   was drawn).
///
/// Main thread only.
class StyledSegmentedCell : public SegmentedCell, public StyledView {
public:
    StyledSegmentedCell();

    /// The style every StyledSegmentedCell shares: a SegmentedCellStyle made on first use and
    /// kept for the whole run.
    static SegmentedCellStyle& classStyle();
    SegmentedCellStyle& style() const override;

    bool hideSelection() const { return hideSelection_; }
    void setHideSelection(bool hide) { hideSelection_ = hide; }
    const std::map<int, Rect>& cachedSegmentFrames() const { return cachedSegmentFrames_; }

    virtual StyledControlState controlState(int segment) const;
    using SegmentedCell::controlState;
    virtual Rect bezelRect(int segment, const Rect& frame) const;
    TitleAttributes titleAttributes(StyledControlState state) const;

    void setWidth(double width, int segment) override;
    BackgroundStyle interiorBackgroundStyle() const override;
    /// The same for every segment.
    BackgroundStyle interiorBackgroundStyle(int segment) const;
    Rect focusRingMaskBounds(const Rect& frame, const QWidget& view) const override;
    void drawSegment(QPainter& painter, int segment, const Rect& frame, QWidget& view) override;

private:
    bool hideSelection_ = true;
    std::map<int, Rect> cachedSegmentFrames_;
};

} // namespace tarnkit
