#include "Tarnkit/Fields/StyledSlider.h"

#include "Tarnkit/Foundation/ControlAction.h"
#include "Tarnkit/Foundation/Image.h"

#include <algorithm>

namespace tarnkit {

StyledSlider::StyledSlider(QWidget* parent) : StyledSlider(std::make_unique<StyledSliderCell>(), parent)
{
}

StyledSlider::StyledSlider(std::unique_ptr<SliderCell> cell, QWidget* parent) : Slider(std::move(cell), parent)
{
    setTarget(this, this, Selector{"sliderValueChanged"});
}

void StyledSlider::setFixedWidth(std::optional<double> width)
{
    fixedWidth_ = width;
    invalidateIntrinsicContentSize();
}

Size StyledSlider::intrinsicContentSize() const
{
    const Size base = Slider::intrinsicContentSize();
    if (!fixedWidth_)
        return base;
    Size size{*fixedWidth_, base.height};
    const auto* styled = cellAs<StyledSliderCell>();
    if (!styled)
        return size;
    const StyledControlState state = styled->controlState();
    const ImageRef bar = styled->style().barImage(state);
    const ImageRef knob = styled->style().knobImage(state);
    if (bar)
        size.width = std::max(*fixedWidth_, bar->size().width());
    if (bar && knob)
        size.height = std::max(knob->size().height(), bar->size().height());
    return size;
}

void StyledSlider::sliderValueChanged(QObject*)
{
    const std::optional<EventType> event = currentEventType();
    if (!event)
        return;
    const std::function<void(double)>* closure = nullptr;
    switch (*event) {
    case EventType::leftMouseDown:
        closure = &onSlideStarted;
        break;
    case EventType::leftMouseDragged:
        closure = &onSlideOngoing;
        break;
    case EventType::leftMouseUp:
        closure = &onSlideComplete;
        break;
    default:
        break;
    }
    if (closure && *closure)
        (*closure)(doubleValue());
}

} // namespace tarnkit
