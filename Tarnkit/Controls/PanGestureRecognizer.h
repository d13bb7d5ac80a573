#pragma once

#include "Tarnkit/Controls/GestureRecognizer.h"

namespace tarnkit {

/// A drag: it begins once a left press has travelled dragThreshold points, changes with every
/// later move, and ends at the release (a press released before it began fails). Translation
/// and velocity are y-up, in points and points per second: dragging upwards gives a positive
/// y. The velocity is that of the latest move (the distance over the time between the two
/// events' timestamps); two events in the same millisecond keep the velocity as it was.
/// Main thread only.
class PanGestureRecognizer : public GestureRecognizer {
    Q_OBJECT
public:
    PanGestureRecognizer(QWidget* view, Action action);

    /// How far the pointer has moved since the gesture began (or since setTranslation), in
    /// view's points.
    Point translation(const QWidget* view = nullptr) const;
    /// Makes the current translation translation (in view's points): later moves add to it.
    void setTranslation(const Point& translation, const QWidget* view = nullptr);
    Point velocity(const QWidget* view = nullptr) const;

protected:
    void press(const Point& location, qint64 timestamp) override;
    void move(const Point& location, qint64 timestamp) override;
    void release(const Point& location, qint64 timestamp) override;

private:
    Point origin_; // where a zero translation sits, in the recogniser's view
    Point last_;
    qint64 lastTime_ = 0;
    Point velocity_;
};

} // namespace tarnkit
