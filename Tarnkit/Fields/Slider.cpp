#include "Tarnkit/Fields/Slider.h"

#include "platform/foundation/FatalError.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/Slider";
constexpr double keyStepsPerRange = 20;

bool contains(const Rect& rect, const Point& point)
{
    return point.x >= rect.minX() && point.x <= rect.maxX() && point.y >= rect.minY() && point.y <= rect.maxY();
}

} // namespace

Slider::Slider(QWidget* parent) : Slider(std::make_unique<SliderCell>(), parent)
{
}

Slider::Slider(std::unique_ptr<SliderCell> cell, QWidget* parent) : Control(std::move(cell), parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Slider::setCell(std::unique_ptr<Cell> cell)
{
    if (!dynamic_cast<SliderCell*>(cell.get()))
        foundation::fatalError("a slider's cell must be a SliderCell", source, __LINE__);
    Control::setCell(std::move(cell));
}

void Slider::setDoubleValue(double value)
{
    sliderCell().setDoubleValue(value);
    update();
}

void Slider::setMinValue(double value)
{
    sliderCell().setMinValue(value);
    update();
}

void Slider::setMaxValue(double value)
{
    sliderCell().setMaxValue(value);
    update();
}

void Slider::setSliderType(SliderType type)
{
    sliderCell().setSliderType(type);
    invalidateIntrinsicContentSize();
    update();
}

void Slider::setVertical(bool vertical)
{
    sliderCell().setVertical(vertical);
    invalidateIntrinsicContentSize();
    update();
}

void Slider::sendAction(EventType type)
{
    requireMainThread(source, __LINE__);
    const std::optional<EventType> outer = std::exchange(currentEvent_, type);
    emit action();
    currentEvent_ = outer;
}

Point Slider::localPoint(const QMouseEvent& event) const
{
    return viewFlip(*this).unmap(event.position());
}

void Slider::track(const Point& point)
{
    const Point centre{point.x + grabOffset_.x, point.y + grabOffset_.y};
    sliderCell().setDoubleValue(sliderCell().valueAt(centre));
    update();
}

void Slider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !cell().isEnabled() || tracking_) {
        Control::mousePressEvent(event);
        return;
    }
    tracking_ = true;
    const Point point = localPoint(*event);
    // A linear knob keeps its place under the pointer; elsewhere the knob comes to the press.
    grabOffset_ = {};
    if (sliderType() == SliderType::linear && contains(sliderCell().knobRect(false), point)) {
        const Point centre = sliderCell().knobCenter();
        grabOffset_ = isVertical() ? Point{0, centre.y - point.y} : Point{centre.x - point.x, 0};
    }
    cell().highlight(true, bounds(), *this);
    track(point);
    if (continuous_)
        sendAction(EventType::leftMouseDown);
}

void Slider::mouseMoveEvent(QMouseEvent* event)
{
    if (!tracking_) {
        Control::mouseMoveEvent(event);
        return;
    }
    track(localPoint(*event));
    if (continuous_)
        sendAction(EventType::leftMouseDragged);
}

void Slider::mouseReleaseEvent(QMouseEvent* event)
{
    if (!tracking_ || event->button() != Qt::LeftButton) {
        Control::mouseReleaseEvent(event);
        return;
    }
    tracking_ = false;
    track(localPoint(*event));
    cell().highlight(false, bounds(), *this);
    sendAction(EventType::leftMouseUp);
}

void Slider::keyPressEvent(QKeyEvent* event)
{
    const double step = (maxValue() - minValue()) / keyStepsPerRange;
    double value = doubleValue();
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up:
        value += step;
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        value -= step;
        break;
    case Qt::Key_Home:
        value = minValue();
        break;
    case Qt::Key_End:
        value = maxValue();
        break;
    default:
        Control::keyPressEvent(event);
        return;
    }
    if (!cell().isEnabled())
        return;
    setDoubleValue(value);
    sendAction(EventType::keyDown);
}

} // namespace tarnkit
