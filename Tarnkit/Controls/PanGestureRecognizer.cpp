#include "Tarnkit/Controls/PanGestureRecognizer.h"

#include <cmath>

namespace tarnkit {

PanGestureRecognizer::PanGestureRecognizer(QWidget* view, Action action) : GestureRecognizer(view, std::move(action))
{
}

// Views are neither scaled nor rotated against each other here, so a translation or a
// velocity reads the same in every view's y-up points; the view arguments are kept for the
// callers' sake.
Point PanGestureRecognizer::translation(const QWidget*) const
{
    return last_ - origin_;
}

void PanGestureRecognizer::setTranslation(const Point& translation, const QWidget*)
{
    origin_ = last_ - translation;
}

Point PanGestureRecognizer::velocity(const QWidget*) const
{
    return velocity_;
}

void PanGestureRecognizer::press(const Point& location, qint64 timestamp)
{
    origin_ = last_ = location;
    lastTime_ = timestamp;
    velocity_ = {};
}

void PanGestureRecognizer::move(const Point& location, qint64 timestamp)
{
    if (const qint64 elapsed = timestamp - lastTime_; elapsed > 0) {
        velocity_ = (location - last_) * (1000.0 / double(elapsed));
        lastTime_ = timestamp;
    }
    last_ = location;
    if (isActive()) {
        setState(GestureState::changed);
        return;
    }
    if (std::hypot(location.x - origin_.x, location.y - origin_.y) >= dragThreshold)
        setState(GestureState::began);
}

void PanGestureRecognizer::release(const Point& location, qint64)
{
    last_ = location;
    setState(isActive() ? GestureState::ended : GestureState::failed);
}

} // namespace tarnkit
