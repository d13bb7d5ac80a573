#pragma once

#include "Tarnkit/Foundation/Geometry.h"

#include <array>

class QPropertyAnimation;
class QScreen;
class QWidget;

/// Placing a window on its screen or by a view, its title-bar height, and a short shake.
///
/// The placement maths works, as a desktop's window frames are usually described, in y-up
/// screen coordinates (origin at the primary screen's bottom-left corner, a frame's origin its
/// bottom-left corner); the operations on windows convert Qt's y-down geometry to it and back.
/// Main thread.
namespace tarnkit::window {

/// The origin that puts frame's centre on the centre of visibleFrame (not rounded).
Point centeredOrigin(const Rect& visibleFrame, const Rect& frame);

/// The origin centring frame horizontally on visibleFrame with its top edge topOffset below
/// the top of visibleFrame.
Point centeredHorizontallyOrigin(const Rect& visibleFrame, const Rect& frame, double topOffset);

/// A frame of windowSize centred on viewRect (offsets rounded), made integral.
Rect frameCentered(const Rect& viewRect, const Size& windowSize);

/// As frameCentered, but standing on viewRect's top edge.
Rect frameStandingOn(const Rect& viewRect, const Size& windowSize);

/// The shake path from frame's origin: three left-right swings of 3 % of the width, then back.
inline constexpr int shakeKeyframeCount = 8;
std::array<Point, shakeKeyframeCount> shakeKeyframes(const Rect& frame);
/// How long a shake lasts, in seconds; the keyframes are evenly spaced in time.
inline constexpr double shakeDuration = 0.4;

/// The y-up conversion of Qt's global geometry: a rect's y becomes (primary screen height −
/// its bottom edge). Its own inverse.
Rect toScreenSpace(const QRectF& qtGlobalRect);
QRectF fromScreenSpace(const Rect& screenRect);

/// The window's frame (decorations included) in y-up screen coordinates.
Rect frame(const QWidget* window);

/// Moves window so that its centre is the centre of its screen's available area; nothing when
/// it has no screen.
void properlyCenter(QWidget* window);

/// Centres window horizontally on its screen's available area, its top topOffset points
/// below the top of that area; nothing when it has no screen.
void properlyCenterHorizontally(QWidget* window, double topOffset);

/// Gives window a frame of its size centred on view's rectangle on the screen; display
/// repaints it at once. Nothing when view is not inside a shown window.
void centerFrame(QWidget* window, const QWidget* view, bool display);

/// As centerFrame, but the window's bottom edge sits on the view's top edge.
void horizontallyCenterFrame(QWidget* window, const QWidget* view, bool display);

/// The height of the window's title bar: its frame height less its content height (0 without
/// decorations).
double titlebarHeight(const QWidget* window);

/// Plays the shake on window and leaves it where it started. The running animation belongs to
/// the window and deletes itself when done.
QPropertyAnimation* shake(QWidget* window);

} // namespace tarnkit::window
