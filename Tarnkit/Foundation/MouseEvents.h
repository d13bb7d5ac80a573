#pragma once

class QMouseEvent;

/// Tests on mouse events and on the mouse buttons held now.
namespace tarnkit::mouseEvents {

/// True for a right-button press, and for a left-button press with Control held (the
/// one-button way to ask for a context menu), the second press of a double click included;
/// false for everything else.
bool isAlternateClick(const QMouseEvent& event);

/// Whether the left / right mouse button is held now, as the application last saw it. Main thread.
bool isLeftButtonDown();
bool isRightButtonDown();

} // namespace tarnkit::mouseEvents
