#include "Tarnkit/Controls/ClickGestureRecognizer.h"

#include "Tarnkit/Controls/Cell.h"

#include <QWidget>

#include <cmath>

namespace tarnkit {

ClickGestureRecognizer::ClickGestureRecognizer(QWidget* view, Action action)
    : GestureRecognizer(view, std::move(action))
{
}

bool ClickGestureRecognizer::tooFar(const Point& location) const
{
    return std::hypot(location.x - start_.x, location.y - start_.y) >= dragThreshold;
}

void ClickGestureRecognizer::press(const Point& location, qint64)
{
    start_ = location;
    failed_ = false;
}

void ClickGestureRecognizer::move(const Point& location, qint64)
{
    if (!failed_ && tooFar(location)) {
        failed_ = true;
        setState(GestureState::failed);
    }
}

void ClickGestureRecognizer::release(const Point& location, qint64)
{
    if (failed_)
        return;
    const Rect inside = view() ? bounds(*view()) : Rect();
    const bool within = location.x >= inside.minX() && location.x < inside.maxX() && location.y >= inside.minY()
                        && location.y < inside.maxY();
    setState(within && !tooFar(location) ? GestureState::ended : GestureState::failed);
}

} // namespace tarnkit
