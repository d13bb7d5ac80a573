#pragma once

#include "Tarnkit/Fields/Slider.h"
#include "Tarnkit/Fields/StyledSliderCell.h"

#include <functional>
#include <optional>

namespace tarnkit {

/// The styled linear slider: drawn by a StyledSliderCell, it tells its owner of a drag
/// through three closures instead of a plain action, and can pin its width.
///
/// The slider is its own target: its action, sliderValueChanged, calls onSlideStarted on a
/// left press, onSlideOngoing on each drag and onSlideComplete on the release, each with the
/// value at that moment; an action sent by any other event (a key step, the wheel) calls none.
/// A new target or action set on the slider replaces this routing.
///
/// Main thread only.
class StyledSlider : public Slider {
    Q_OBJECT
public:
    explicit StyledSlider(QWidget* parent = nullptr);

    std::function<void(double)> onSlideStarted;
    std::function<void(double)> onSlideOngoing;
    std::function<void(double)> onSlideComplete;

    /// Replaces the width of the intrinsic size when set; a bar image wider than it wins.
    std::optional<double> fixedWidth() const { return fixedWidth_; }
    void setFixedWidth(std::optional<double> width);

    /// Without fixedWidth, the base's size. With it: width = fixedWidth, or the bar image's
    /// width for the state when that is larger; height = the larger of the knob and bar
    /// images' heights when both exist, else the base's.
    Size intrinsicContentSize() const override;

    /// The action: dispatches to the closures by the event being handled.
    Q_INVOKABLE void sliderValueChanged(QObject* sender);

protected:
    StyledSlider(std::unique_ptr<SliderCell> cell, QWidget* parent);

private:
    std::optional<double> fixedWidth_;
};

} // namespace tarnkit
