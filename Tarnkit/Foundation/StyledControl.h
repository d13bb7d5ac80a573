#pragma once

#include "Tarnkit/Foundation/StyledControlState.h"

#include <QVariant>

namespace tarnkit {

/// A control cell's state value: off 0, on 1, mixed -1. Other values can occur and count as
/// neither on nor mixed.
enum class ControlStateValue : int {
    mixed = -1,
    off = 0,
    on = 1,
};

/// The state value crosses to and from variants through its integer raw value.
inline QVariant toVariant(ControlStateValue value) { return QVariant(int(value)); }
inline ControlStateValue controlStateValue(const QVariant& value) { return ControlStateValue(value.toInt()); }

/// A control, cell or view that computes its current look as a StyledControlState, anew at
/// every draw. Main thread.
class StyledControl {
public:
    virtual ~StyledControl() = default;

    virtual StyledControlState controlState() const = 0;
};

/// A cell's state as the default derivation reads it.
class StyledControlCell : public StyledControl {
public:
    virtual ControlStateValue stateValue() const = 0;
    virtual bool isEnabled() const = 0;
    virtual bool isHighlighted() const = 0;

    /// The default derivation: default, plus on or mixed from the state value; disabled when
    /// not enabled; highlighted only while enabled; selected when the cell is a Selectable
    /// that is selected; invalid when it is a Validating that is not valid. Never focused: a
    /// caller that wants the focused look adds it.
    StyledControlState controlState() const override;
};

} // namespace tarnkit
