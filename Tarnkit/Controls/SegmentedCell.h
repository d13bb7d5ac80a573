#pragma once

#include "Tarnkit/Controls/Cell.h"

#include <vector>

namespace tarnkit {

/// The cell of a segmented control: a row of segments, each with a label and a width, of
/// which one can be selected. It also keeps the key segment (the one the arrow keys move and
/// Space chooses; the focus ring marks it) and the pressed segment (the one the pointer holds
/// down), which the control sets as it tracks the keyboard and the pointer.
///
/// Its rules (docs/tarnkit.md, "Segmented controls"), y-up:
/// - segment frames: left to right from the bounds' leading edge, touching, each as high as
///   the bounds and as wide as its width, or, for a width of 0, its natural width: the label
///   in the cell's font and 8 points on either side;
/// - cellSize: the frames' widths added up, one line of the cell's font and 4 points high;
/// - draw: the interior; drawInterior: drawSegment for each segment in its frame (base: the
///   label centred in the frame); focusRingMaskBounds: the key segment's frame.
///
/// Main thread only.
class SegmentedCell : public Cell {
public:
    static constexpr double labelMargin = 8;

    SegmentedCell();

    int segmentCount() const { return int(segments_.size()); }
    /// Adds empty segments or removes segments at the end; the selection, key and pressed
    /// segments that no longer exist go.
    void setSegmentCount(int count);
    QString label(int segment) const;
    void setLabel(const QString& label, int segment);
    /// The width as stored (0: the natural width).
    double width(int segment) const;
    virtual void setWidth(double width, int segment);

    /// −1 when none.
    int selectedSegment() const { return selected_; }
    /// A segment that does not exist selects none.
    void setSelectedSegment(int segment);
    int keySegment() const { return key_; }
    /// Clamped to the segments (−1 when there are none).
    void setKeySegment(int segment);
    /// −1 when none is held down.
    int pressedSegment() const { return pressed_; }
    void setPressedSegment(int segment);

    /// The width as laid out: the stored width, or the natural width for 0.
    double layoutWidth(int segment) const;
    Rect segmentFrame(int segment, const Rect& bounds) const;
    /// The segment whose frame holds point, or −1.
    int segmentAt(const Point& point, const Rect& bounds) const;

    Size cellSize() const override;
    Rect focusRingMaskBounds(const Rect& frame, const QWidget& view) const override;
    void drawInterior(QPainter& painter, const Rect& frame, QWidget& view) override;
    virtual void drawSegment(QPainter& painter, int segment, const Rect& frame, QWidget& view);

protected:
    bool exists(int segment) const { return segment >= 0 && segment < segmentCount(); }

private:
    struct Segment {
        QString label;
        double width = 0;
    };
    std::vector<Segment> segments_;
    int selected_ = -1;
    int key_ = -1;
    int pressed_ = -1;
};

} // namespace tarnkit
