#pragma once

#include "Tarnkit/Fields/StyledSlider.h"

namespace tarnkit {

/// A styled slider that the scroll wheel moves too. Each wheel event moves the value by a
/// quarter of a hundredth of the range per point of delta (the vertical delta for a vertical
/// linear slider; otherwise the vertical less the horizontal, plus it in a right-to-left
/// layout; negated for a device that inverts its direction), then sends the action (which
/// calls none of the slide closures). A circular slider that steps past an end comes in at
/// the other end by the size of the step. A disabled slider ignores the wheel. The event
/// never reaches the parent.
///
/// With a StyledSliderCell (always linear and horizontal) the mixed delta applies and the
/// value never wraps. Main thread only.
class StyledScrollableSlider : public StyledSlider {
    Q_OBJECT
public:
    explicit StyledScrollableSlider(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace tarnkit
