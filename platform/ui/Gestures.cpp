#include "platform/ui/Gestures.h"

#include <QLineF>
#include <QMouseEvent>

namespace ui {

bool GestureRecognizer::press(const QMouseEvent& event)
{
    return beginPress(event, 1);
}

bool GestureRecognizer::doubleClick(const QMouseEvent& event)
{
    return beginPress(event, 2);
}

bool GestureRecognizer::beginPress(const QMouseEvent& event, int clickCount)
{
    if (event.button() != Qt::LeftButton || isEmpty())
        return false;
    if (tracking_)
        cancel();
    tracking_ = true;
    dragging_ = false;
    clickCount_ = clickCount;
    value_ = DragValue{event.position(), event.position(), event.modifiers()};
    if (drag_.minimumDistance <= 0 && drag_.onChanged) {
        dragging_ = true;
        drag_.onChanged(value_);
    }
    return true;
}

bool GestureRecognizer::move(const QMouseEvent& event)
{
    if (!tracking_)
        return false;
    value_.location = event.position();
    value_.modifiers = event.modifiers();
    if (!dragging_) {
        if (!drag_.onChanged || QLineF(value_.startLocation, value_.location).length() < drag_.minimumDistance)
            return true;
        dragging_ = true;
    }
    drag_.onChanged(value_);
    return true;
}

bool GestureRecognizer::release(const QMouseEvent& event)
{
    if (!tracking_ || event.button() != Qt::LeftButton)
        return false;
    tracking_ = false;
    value_.location = event.position();
    value_.modifiers = event.modifiers();
    if (dragging_) {
        dragging_ = false;
        if (drag_.onEnded)
            drag_.onEnded(value_);
        return true;
    }
    // Copies: a tap's action may replace this recogniser's gestures.
    const std::vector<TapGesture> taps = taps_;
    for (const TapGesture& tap : taps) {
        // Every click is a single tap; the second of a double click is also the double tap.
        const bool counted = tap.count == 1 || tap.count == clickCount_;
        if (counted && (value_.modifiers & tap.modifiers) == tap.modifiers && tap.onEnded)
            tap.onEnded();
    }
    return true;
}

void GestureRecognizer::cancel()
{
    if (!tracking_)
        return;
    tracking_ = false;
    if (dragging_) {
        dragging_ = false;
        if (drag_.onEnded)
            drag_.onEnded(value_);
    }
}

} // namespace ui
