#pragma once

#include "platform/audiounit/ParameterUnit.h"

#include <cstdint>

namespace mossbell {

/// Who made a change.
enum class ParameterEditor : std::uint8_t {
    parameterObserver = 0, ///< the host through the parameter tree, or the model's own routing of kernel values
    ui = 1,                ///< a control of the plug-in view
};

/// The phase of a change; the codes are the host's automation event types.
enum class ParameterEditorState : std::uint8_t {
    change = 0,           ///< a value
    beginInteractive = 1, ///< touch: a gesture starts
    endInteractive = 2,   ///< release: the gesture ends
};

/// The automation event type that tells the host about a change in this phase.
constexpr au::AutomationEventType automationEventType(ParameterEditorState state)
{
    switch (state) {
    case ParameterEditorState::beginInteractive:
        return au::AutomationEventType::touch;
    case ParameterEditorState::endInteractive:
        return au::AutomationEventType::release;
    case ParameterEditorState::change:
        break;
    }
    return au::AutomationEventType::value;
}

} // namespace mossbell
