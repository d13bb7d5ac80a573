#include "Tarnkit/Controls/SegmentedControl.h"

#include "platform/foundation/FatalError.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tarnkit {

SegmentedControl::SegmentedControl(QWidget* parent) : SegmentedControl(std::make_unique<SegmentedCell>(), parent)
{
}

SegmentedControl::SegmentedControl(std::unique_ptr<SegmentedCell> cell, QWidget* parent)
    : Control(std::move(cell), parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SegmentedControl::setCell(std::unique_ptr<Cell> cell)
{
    if (!dynamic_cast<SegmentedCell*>(cell.get()))
        foundation::fatalError("a segmented control's cell must be a SegmentedCell", "Tarnkit/SegmentedControl", __LINE__);
    Control::setCell(std::move(cell));
}

void SegmentedControl::contentChanged()
{
    invalidateIntrinsicContentSize();
    update();
}

void SegmentedControl::setSegmentCount(int count)
{
    segmentedCell().setSegmentCount(count);
    contentChanged();
}

void SegmentedControl::setLabel(const QString& label, int segment)
{
    segmentedCell().setLabel(label, segment);
    contentChanged();
}

void SegmentedControl::setWidth(double width, int segment)
{
    segmentedCell().setWidth(width, segment);
    contentChanged();
}

void SegmentedControl::setSelectedSegment(int segment)
{
    segmentedCell().setSelectedSegment(segment);
    update();
}

int SegmentedControl::segmentAt(const QPointF& point) const
{
    return segmentedCell().segmentAt(viewFlip(*this).unmap(point), bounds());
}

void SegmentedControl::choose(int segment)
{
    SegmentedCell& cell = segmentedCell();
    cell.setSelectedSegment(segment);
    cell.setKeySegment(segment);
    update();
    emit action();
}

void SegmentedControl::mousePressEvent(QMouseEvent* event)
{
    const int segment = segmentAt(event->position());
    if (event->button() != Qt::LeftButton || !isEnabled() || segment < 0) {
        Control::mousePressEvent(event);
        return;
    }
    tracked_ = segment;
    segmentedCell().setPressedSegment(segment);
    update();
}

void SegmentedControl::mouseMoveEvent(QMouseEvent* event)
{
    if (tracked_ < 0) {
        Control::mouseMoveEvent(event);
        return;
    }
    const int pressed = segmentAt(event->position()) == tracked_ ? tracked_ : -1;
    if (pressed != segmentedCell().pressedSegment()) {
        segmentedCell().setPressedSegment(pressed);
        update();
    }
}

void SegmentedControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (tracked_ < 0 || event->button() != Qt::LeftButton) {
        Control::mouseReleaseEvent(event);
        return;
    }
    const int segment = std::exchange(tracked_, -1);
    segmentedCell().setPressedSegment(-1);
    if (segmentAt(event->position()) == segment)
        choose(segment);
    else
        update();
}

void SegmentedControl::keyPressEvent(QKeyEvent* event)
{
    SegmentedCell& cell = segmentedCell();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        // The segments run left to right in every layout direction.
        cell.setKeySegment(cell.keySegment() + (event->key() == Qt::Key_Right ? 1 : -1));
        update();
        return;
    }
    case Qt::Key_Space:
        if (isEnabled() && cell.keySegment() >= 0) {
            choose(cell.keySegment());
            return;
        }
        break;
    default:
        break;
    }
    Control::keyPressEvent(event);
}

} // namespace tarnkit
