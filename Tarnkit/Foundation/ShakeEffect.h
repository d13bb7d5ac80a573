#pragma once

#include "Tarnkit/Foundation/Geometry.h"

#include <QTransform>

namespace tarnkit {

/// A sideways shake, as data: animating `animatableData` from 0 to 1 moves a view `shakes`
/// half-waves of `amount` points and back to rest.
struct ShakeEffect {
    double amount = 0;
    double shakes = 0;
    double animatableData = 0;

    /// The offset at the current animatableData: amount × sin(animatableData × π × shakes).
    double offset() const;
    /// The translation by (offset(), 0); size does not enter.
    QTransform effectValue(const Size& size = {}) const;
};

} // namespace tarnkit
