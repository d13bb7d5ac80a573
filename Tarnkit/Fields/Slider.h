#pragma once

#include "Tarnkit/Controls/Control.h"
#include "Tarnkit/Fields/SliderCell.h"

#include <optional>

namespace tarnkit {

/// The kinds of input event a control acts on, by raw value: what an action handler asks the
/// event that made the control send its action.
enum class EventType : int {
    leftMouseDown = 1,
    leftMouseUp = 2,
    leftMouseDragged = 6,
    keyDown = 10,
    scrollWheel = 22,
};

/// A control whose cell is a SliderCell. A left press on the knob takes it where it was
/// grabbed, a press on the bar moves the knob's centre there; dragging follows, and the
/// release ends. While the press lasts the cell is highlighted. The arrow keys step by a
/// twentieth of the range (up and right raise the value), Home and End go to the ends.
///
/// Its action is sent on the press, on every drag and on the release while the slider is
/// continuous (the default), only on the release otherwise, and on every key step.
/// currentEventType() tells an action handler which event it runs in. The wheel is left to
/// the parent here (StyledScrollableSlider takes it).
///
/// Main thread only.
class Slider : public Control {
    Q_OBJECT
public:
    explicit Slider(QWidget* parent = nullptr);

    SliderCell& sliderCell() const { return static_cast<SliderCell&>(cell()); }
    /// Only a SliderCell will do; anything else stops the program.
    void setCell(std::unique_ptr<Cell> cell) override;

    double doubleValue() const { return sliderCell().doubleValue(); }
    void setDoubleValue(double value);
    double minValue() const { return sliderCell().minValue(); }
    void setMinValue(double value);
    double maxValue() const { return sliderCell().maxValue(); }
    void setMaxValue(double value);
    SliderType sliderType() const { return sliderCell().sliderType(); }
    void setSliderType(SliderType type);
    bool isVertical() const { return sliderCell().isVertical(); }
    void setVertical(bool vertical);
    bool isContinuous() const { return continuous_; }
    void setContinuous(bool continuous) { continuous_ = continuous; }

    /// The event being handled while the slider sends its action; none outside of one.
    std::optional<EventType> currentEventType() const { return currentEvent_; }

protected:
    Slider(std::unique_ptr<SliderCell> cell, QWidget* parent);

    /// Sends the action while the slider handles an event of that type.
    void sendAction(EventType type);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Point localPoint(const QMouseEvent& event) const;
    void track(const Point& point);

    bool continuous_ = true;
    bool tracking_ = false;
    /// Where the knob's centre sits from the point that grabbed it.
    Point grabOffset_;
    std::optional<EventType> currentEvent_;
};

} // namespace tarnkit
