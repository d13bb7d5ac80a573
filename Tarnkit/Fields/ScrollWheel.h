#pragma once

class QWheelEvent;

namespace tarnkit {

/// What a wheel or trackpad scroll says, as the controls read it: deltas in points, positive
/// upwards and leftwards as the device reports them, and whether the device inverts its
/// direction ("natural" scrolling). A wheel without precise deltas counts 10 points a notch.
struct ScrollingDeltas {
    double x = 0;
    double y = 0;
    bool invertedFromDevice = false;
};

ScrollingDeltas scrollingDeltas(const QWheelEvent& event);

} // namespace tarnkit
