#include "Tarnkit/Controls/SegmentedCell.h"

#include <algorithm>

namespace tarnkit {

SegmentedCell::SegmentedCell()
{
    setParagraphStyle({TextAlignment::center, TruncationMode::tail});
}

void SegmentedCell::setSegmentCount(int count)
{
    segments_.resize(std::size_t(std::max(0, count)));
    if (!exists(selected_))
        selected_ = -1;
    if (!exists(pressed_))
        pressed_ = -1;
    setKeySegment(key_ < 0 ? 0 : key_);
}

QString SegmentedCell::label(int segment) const
{
    return exists(segment) ? segments_[std::size_t(segment)].label : QString();
}

void SegmentedCell::setLabel(const QString& label, int segment)
{
    if (exists(segment))
        segments_[std::size_t(segment)].label = label;
}

double SegmentedCell::width(int segment) const
{
    return exists(segment) ? segments_[std::size_t(segment)].width : 0;
}

void SegmentedCell::setWidth(double width, int segment)
{
    if (exists(segment))
        segments_[std::size_t(segment)].width = std::max(0.0, width);
}

void SegmentedCell::setSelectedSegment(int segment)
{
    selected_ = exists(segment) ? segment : -1;
}

void SegmentedCell::setKeySegment(int segment)
{
    key_ = segments_.empty() ? -1 : std::clamp(segment, 0, segmentCount() - 1);
}

void SegmentedCell::setPressedSegment(int segment)
{
    pressed_ = exists(segment) ? segment : -1;
}

double SegmentedCell::layoutWidth(int segment) const
{
    if (const double stored = width(segment); stored > 0)
        return stored;
    return AttributedString(label(segment), *font(), {}).size().width + 2 * labelMargin;
}

Rect SegmentedCell::segmentFrame(int segment, const Rect& b) const
{
    if (!exists(segment))
        return {};
    double x = b.minX();
    for (int i = 0; i < segment; ++i)
        x += layoutWidth(i);
    return Rect(x, b.minY(), layoutWidth(segment), b.height());
}

int SegmentedCell::segmentAt(const Point& point, const Rect& b) const
{
    for (int i = 0; i < segmentCount(); ++i) {
        const Rect frame = segmentFrame(i, b);
        if (point.x >= frame.minX() && point.x < frame.maxX() && point.y >= frame.minY() && point.y < frame.maxY())
            return i;
    }
    return -1;
}

Size SegmentedCell::cellSize() const
{
    double width = 0;
    for (int i = 0; i < segmentCount(); ++i)
        width += layoutWidth(i);
    return {width, AttributedString(QString(), *font(), {}).size().height + 4};
}

Rect SegmentedCell::focusRingMaskBounds(const Rect& frame, const QWidget&) const
{
    return segmentFrame(key_, frame);
}

void SegmentedCell::drawInterior(QPainter& painter, const Rect& frame, QWidget& view)
{
    for (int i = 0; i < segmentCount(); ++i)
        drawSegment(painter, i, segmentFrame(i, frame), view);
}

void SegmentedCell::drawSegment(QPainter& painter, int segment, const Rect& frame, QWidget& view)
{
    const QString text = label(segment);
    if (!text.isEmpty())
        drawTitle(painter, AttributedString(text, *font(), *controlTextColor(), paragraphStyle()), frame, view);
}

} // namespace tarnkit
