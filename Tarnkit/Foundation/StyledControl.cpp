#include "Tarnkit/Foundation/StyledControl.h"

#include "Tarnkit/Foundation/Selectable.h"
#include "Tarnkit/Foundation/Validating.h"

namespace tarnkit {

StyledControlState StyledControlCell::controlState() const
{
    StyledControlState state = StyledControlState::defaultState;
    switch (stateValue()) {
    case ControlStateValue::on:
        state.formUnion(StyledControlState::on);
        break;
    case ControlStateValue::mixed:
        state.formUnion(StyledControlState::mixed);
        break;
    default:
        break;
    }
    if (!isEnabled())
        state.formUnion(StyledControlState::disabled);
    if (isHighlighted() && isEnabled())
        state.formUnion(StyledControlState::highlighted);
    if (const auto* selectable = dynamic_cast<const Selectable*>(this); selectable && selectable->isSelected())
        state.formUnion(StyledControlState::selected);
    if (const auto* validating = dynamic_cast<const Validating*>(this); validating && !validating->isValid())
        state.formUnion(StyledControlState::invalid);
    return state;
}

} // namespace tarnkit
