#pragma once

namespace mossbell {

/// The colour of a chaos button. Yellow is the only one drawn, so every case shows the yellow
/// images.
enum class ChaosButtonColor {
    yellow,
};

/// The look of a mode toggle: the flat panel key of the modern skin or the key of the retro one.
enum class ToggleButtonStyle {
    modern = 0,
    retro = 1,
};

} // namespace mossbell
