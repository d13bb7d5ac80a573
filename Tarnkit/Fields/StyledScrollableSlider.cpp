#include "Tarnkit/Fields/StyledScrollableSlider.h"

#include "Tarnkit/Fields/ScrollWheel.h"

#include <QWheelEvent>

#include <cmath>

namespace tarnkit {

StyledScrollableSlider::StyledScrollableSlider(QWidget* parent) : StyledSlider(parent)
{
}

void StyledScrollableSlider::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (!cell().isEnabled())
        return;
    const SliderCell& slider = sliderCell();
    const double range = maxValue() - minValue();
    const ScrollingDeltas deltas = scrollingDeltas(*event);
    double delta = 0;
    if (slider.isVertical() && slider.sliderType() == SliderType::linear)
        delta = deltas.y;
    else if (layoutDirection() == Qt::RightToLeft)
        delta = deltas.y + deltas.x;
    else
        delta = deltas.y - deltas.x;
    if (deltas.invertedFromDevice)
        delta = -delta;

    const double step = range * delta / 100 * 0.25;
    double value = doubleValue() + step;
    if (slider.sliderType() == SliderType::circular) {
        if (value < minValue())
            value = maxValue() - std::abs(step);
        else if (value > maxValue())
            value = minValue() + std::abs(step);
    }
    setDoubleValue(value);
    sendAction(EventType::scrollWheel);
}

} // namespace tarnkit
