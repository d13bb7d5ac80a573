#include "Tarnkit/Fields/TrackingSlider.h"

#include "Tarnkit/Fields/ScrollWheel.h"
#include "Tarnkit/Foundation/ControlPublisher.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/TKImagesAK.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tarnkit {

namespace {

constexpr QPoint cursorHotSpot(3, 4);

QCursor trackingCursor()
{
    const ImageRef& image = TKImagesAK::cursorTrackingslider();
    if (!image || image->isNull())
        return QCursor(Qt::SizeVerCursor);
    return QCursor(QPixmap::fromImage(image->representation(1)), cursorHotSpot.x(), cursorHotSpot.y());
}

// Truncated toward zero and held within Int's range (NaN gives 0).
template <typename Int>
Int saturatingTruncation(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lowest = double(std::numeric_limits<Int>::lowest());
    // 2^63 (or 2^31): the first whole value past the type's end.
    constexpr double highest = double(std::numeric_limits<Int>::max()) + 1.0;
    const double truncated = std::trunc(value);
    if (truncated < lowest)
        return std::numeric_limits<Int>::lowest();
    if (truncated >= highest)
        return std::numeric_limits<Int>::max();
    return Int(truncated);
}

} // namespace

std::optional<TrackingSlider::MovementDirection> TrackingSlider::movementDirection(int rawValue)
{
    switch (rawValue) {
    case int(MovementDirection::horizontal):
        return MovementDirection::horizontal;
    case int(MovementDirection::vertical):
        return MovementDirection::vertical;
    default:
        return std::nullopt;
    }
}

TrackingSlider::TrackingSlider(QWidget* parent) : TrackingSlider(nullptr, parent)
{
}

TrackingSlider::TrackingSlider(ImageRef image, QWidget* parent)
    : ClickableImageView(std::move(image), parent),
      cursor_(trackingCursor()),
      panRecognizer_(new PanGestureRecognizer(this, [this](GestureRecognizer& r) { handlePanGesture(r); }))
{
    setFocusPolicy(Qt::NoFocus);
}

TrackingSlider::~TrackingSlider()
{
    popCursor();
}

void TrackingSlider::setHorizontal(bool horizontal)
{
    movementDirection_ = horizontal ? MovementDirection::horizontal : MovementDirection::vertical;
}

std::int32_t TrackingSlider::intValue() const
{
    return saturatingTruncation<std::int32_t>(currentValue_);
}

std::int64_t TrackingSlider::integerValue() const
{
    return saturatingTruncation<std::int64_t>(currentValue_);
}

void TrackingSlider::setDoubleValue(double value)
{
    if (std::isnan(value))
        return;
    currentValue_ = std::max(minimumValue_, std::min(value, maximumValue_));
}

void TrackingSlider::step(double amount, bool sendAction)
{
    if (amount == 0)
        return;
    valueWasEdited_ = true;
    setDoubleValue(amount > 0 ? doubleValue() + incrementBy_ : doubleValue() - incrementBy_);
    if (sendAction)
        emit action();
}

void TrackingSlider::handlePanGesture(GestureRecognizer& recognizer)
{
    if (!isEnabled())
        return;
    auto* pan = dynamic_cast<PanGestureRecognizer*>(&recognizer);
    switch (recognizer.state()) {
    case GestureState::began:
    case GestureState::cancelled:
    case GestureState::failed:
        valueWasEdited_ = false;
        if (pan)
            pan->setTranslation(bounds().midPoint(), this);
        clicked().send({});
        if (recognizer.state() == GestureState::began && onSlideStarted)
            onSlideStarted(doubleValue());
        break;
    case GestureState::changed: {
        if (!pan)
            break;
        const Point velocity = pan->velocity(this);
        const double v = movementDirection_ == MovementDirection::vertical ? velocity.y : velocity.x;
        if (std::abs(v) > minimumPanVelocity_)
            step(v, continuous_);
        break;
    }
    case GestureState::ended:
        emit action();
        if (onSlideComplete)
            onSlideComplete(doubleValue());
        break;
    case GestureState::possible:
        break;
    }
}

void TrackingSlider::wheelEvent(QWheelEvent* event)
{
    // The base lets the wheel go on to the parent as well (an enclosing scroll view still
    // scrolls).
    ClickableImageView::wheelEvent(event);
    if (!isEnabled())
        return;
    const ScrollingDeltas deltas = scrollingDeltas(*event);
    double amount = 0;
    if (movementDirection_ == MovementDirection::vertical)
        amount = deltas.invertedFromDevice ? -deltas.y : deltas.y;
    else
        amount = deltas.x;
    step(amount, true);
}

void TrackingSlider::enterEvent(QEnterEvent* event)
{
    ClickableImageView::enterEvent(event);
    if (!cursorPushed_) {
        QGuiApplication::setOverrideCursor(cursor_);
        cursorPushed_ = true;
    }
}

void TrackingSlider::leaveEvent(QEvent* event)
{
    ClickableImageView::leaveEvent(event);
    popCursor();
}

void TrackingSlider::hideEvent(QHideEvent* event)
{
    // A slider that goes while the pointer is over it gets no leave: its cursor goes with it.
    popCursor();
    ClickableImageView::hideEvent(event);
}

void TrackingSlider::popCursor()
{
    if (std::exchange(cursorPushed_, false))
        QGuiApplication::restoreOverrideCursor();
}

Publisher<double> TrackingSlider::doubleValuePublisher()
{
    return controlEventPublisher(this).events<TrackingSlider>().map([](TrackingSlider* s) { return s->doubleValue(); });
}

} // namespace tarnkit
