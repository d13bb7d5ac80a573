#pragma once

#include "Tarnkit/Foundation/Selector.h"

#include <optional>

class QObject;
class QWidget;

/// A control's target and action: what the control sends when the user acts on it (clicks a
/// button, picks a pop-up item, moves a slider, ends editing a field). The action is a
/// Selector sent to the target with the control as sender; with no target it goes along the
/// responder chain. A control has one target and one action at a time: whoever sets them last
/// (setTarget, setAction, the control's publisher) is the one that hears the control.
///
/// Which signal of a Qt control is its action: a signal `action()` that the control declares
/// itself, else clicked (buttons), activated (combo boxes), valueChanged (sliders and spin
/// boxes) or editingFinished (line edits). A control with none of these is a programming error.
///
/// Main thread only; the target is held weakly.
namespace tarnkit {

/// Sets the control's target, then its action.
void setTarget(QWidget* control, QObject* target, std::optional<Selector> action);

/// The current target (null when none or destroyed) and action of control.
QObject* target(const QWidget* control);
std::optional<Selector> action(const QWidget* control);

/// Sends the control's action to its target, the control as sender, as the control does when
/// the user acts on it. False when the control has no action or nothing received it.
bool sendAction(QWidget* control);

} // namespace tarnkit
