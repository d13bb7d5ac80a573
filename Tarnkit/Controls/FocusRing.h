#pragma once

#include "Tarnkit/Foundation/Geometry.h"
#include "Tarnkit/Foundation/StyleValues.h"

class QPainter;
class QWidget;

/// The focus ring every styled control draws in place of the system one: a rounded rect of
/// radius 3 on the ring's bounds inset by 1 (2 for the fields and segments that ask so), filled
/// with the ring colour at alpha 0.3, then stroked with it 2 points wide with round caps and
/// joins. It shows only while the control sits in the key window and it or its field editor is
/// first responder (isFirstResponderInKeyWindow). Main thread.
namespace tarnkit::focusRing {

inline constexpr double defaultInset = 1;
inline constexpr double cornerRadius = 3;
inline constexpr double lineWidth = 2;
inline constexpr double fillAlpha = 0.3;

/// Whether control shows its focus ring now.
bool isShown(const QWidget& control);

/// Draws the ring on maskBounds (y-up, in view) inset by inset; a null colour draws nothing.
void draw(QPainter& painter, const QWidget& view, const Rect& maskBounds, const ColorRef& color,
          double inset = defaultInset);

} // namespace tarnkit::focusRing
