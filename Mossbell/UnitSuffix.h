#pragma once

#include "platform/audiounit/ParameterUnit.h"

#include <string_view>

namespace mossbell {

/// The text shown after a value of this unit ("%", "Hz", "dB", "MS"), empty for every other
/// unit. Also the unit name the parameter tree gets.
std::string_view displayableSuffix(au::ParameterUnit unit);

} // namespace mossbell
