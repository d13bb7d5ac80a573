#include "Tarnkit/Fields/ScrollWheel.h"

#include <QWheelEvent>

namespace tarnkit {

namespace {

// A notch of a plain wheel is 120 eighths of a degree; it scrolls one line of 10 points.
constexpr double pointsPerNotch = 10;
constexpr double eighthsPerNotch = 120;

} // namespace

ScrollingDeltas scrollingDeltas(const QWheelEvent& event)
{
    ScrollingDeltas deltas;
    if (const QPoint pixels = event.pixelDelta(); !pixels.isNull()) {
        deltas.x = pixels.x();
        deltas.y = pixels.y();
    } else {
        deltas.x = event.angleDelta().x() / eighthsPerNotch * pointsPerNotch;
        deltas.y = event.angleDelta().y() / eighthsPerNotch * pointsPerNotch;
    }
    deltas.invertedFromDevice = event.inverted();
    return deltas;
}

} // namespace tarnkit
