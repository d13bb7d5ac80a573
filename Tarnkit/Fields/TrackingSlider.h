#pragma once

#include "Tarnkit/Controls/ClickableImageView.h"
#include "Tarnkit/Controls/PanGestureRecognizer.h"
#include "Tarnkit/Foundation/Publisher.h"

#include <QCursor>

#include <cstdint>
#include <functional>
#include <optional>

namespace tarnkit {

/// An icon that works as a slider. It does not follow the pointer: each drag event faster
/// than minimumPanVelocity along its movement direction, and each wheel event, moves the value
/// one incrementBy up or down (upwards and rightwards raise it), kept within minimumValue ...
/// maximumValue. While the pointer is over it, its cursor shows.
///
/// - A drag that begins (and one that is cancelled) sends clicked(), resets valueWasEdited and
///   sets the pan's translation to the bounds' centre; one that begins also calls
///   onSlideStarted. Each step sets valueWasEdited and, while continuous, sends the action. A
///   drag that ends sends the action (continuous or not), then calls onSlideComplete.
/// - The wheel (which goes on to the parent too) steps by the sign of its vertical delta
///   (negated for a device that inverts it) or, moving horizontally, its horizontal delta, and
///   always sends the action; it calls neither closure.
/// - The value setters keep the value in range as max(minimumValue, min(v, maximumValue)) (so
///   a minimum above the maximum holds the minimum), ignore NaN, send nothing and leave
///   valueWasEdited alone. intValue and integerValue truncate toward zero and saturate at
///   their type's ends.
/// - A disabled slider ignores drags and the wheel. It never takes the keyboard focus.
///
/// Main thread only.
class TrackingSlider : public ClickableImageView {
    Q_OBJECT
public:
    enum class MovementDirection : int {
        horizontal = 0,
        vertical = 1,
    };
    /// The direction of a raw value; none for any other.
    static std::optional<MovementDirection> movementDirection(int rawValue);

    explicit TrackingSlider(QWidget* parent = nullptr);
    explicit TrackingSlider(ImageRef image, QWidget* parent = nullptr);
    ~TrackingSlider() override;

    bool isHorizontal() const { return movementDirection_ == MovementDirection::horizontal; }
    void setHorizontal(bool horizontal);
    MovementDirection movementDirection() const { return movementDirection_; }
    void setMovementDirection(MovementDirection direction) { movementDirection_ = direction; }
    double incrementBy() const { return incrementBy_; }
    void setIncrementBy(double increment) { incrementBy_ = increment; }
    double minimumValue() const { return minimumValue_; }
    void setMinimumValue(double value) { minimumValue_ = value; }
    double maximumValue() const { return maximumValue_; }
    void setMaximumValue(double value) { maximumValue_ = value; }
    /// Points per second along the movement axis that a drag event must exceed to step.
    double minimumPanVelocity() const { return minimumPanVelocity_; }
    void setMinimumPanVelocity(double velocity) { minimumPanVelocity_ = velocity; }
    bool isContinuous() const { return continuous_; }
    void setContinuous(bool continuous) { continuous_ = continuous; }
    /// True once a step has changed the value; false again when a drag begins.
    bool valueWasEdited() const { return valueWasEdited_; }

    std::function<void(double)> onSlideStarted;
    std::function<void(double)> onSlideComplete;

    double doubleValue() const { return currentValue_; }
    float floatValue() const { return float(currentValue_); }
    std::int32_t intValue() const;
    std::int64_t integerValue() const;
    void setDoubleValue(double value);
    void setFloatValue(float value) { setDoubleValue(double(value)); }
    void setIntValue(std::int32_t value) { setDoubleValue(double(value)); }
    void setIntegerValue(std::int64_t value) { setDoubleValue(double(value)); }

    /// "cursor-trackingslider" with its hot spot at (3, 4).
    const QCursor& cursor() const { return cursor_; }
    PanGestureRecognizer& panGestureRecognizer() const { return *panRecognizer_; }

    /// The pan recogniser's action.
    void handlePanGesture(GestureRecognizer& recognizer);

    /// The value each time the slider sends its action (the control's publisher, mapped).
    Publisher<double> doubleValuePublisher();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    /// One increment up (a positive amount) or down (a negative one); 0 does nothing.
    void step(double amount, bool sendAction);
    void popCursor();

    MovementDirection movementDirection_ = MovementDirection::vertical;
    double incrementBy_ = 0.01;
    double minimumValue_ = 0;
    double maximumValue_ = 1;
    bool valueWasEdited_ = false;
    double currentValue_ = 0;
    double minimumPanVelocity_ = 5;
    bool continuous_ = false;
    bool cursorPushed_ = false;
    QCursor cursor_;
    PanGestureRecognizer* panRecognizer_;
};

} // namespace tarnkit
