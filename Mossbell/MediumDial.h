#pragma once

#include "Mossbell/FrameworkDial.h"

namespace mossbell {

/// The colours of the framework's medium dial.
enum class SmallDialColor { blue, yellow, red, purple };

/// The framework's medium dial: the "knobs/dial-medium-<colour>-" strip in a 68 x 84 point
/// frame moved 16 points up, its label 44 points down in the Zindle face with the name in the
/// colour's "plugin<Colour>". 6 points start a drag; 200 points turn it end to end. Main
/// thread.
class MediumDial final : public FrameworkDial {
public:
    /// formatter: none prints the value with one decimal place. onEditingEnded is called when
    /// Return or Escape ends typing into the label.
    MediumDial(std::shared_ptr<AudioParameter> param, SmallDialColor color, LabelDisplayOptions labelDisplayOptions,
               std::shared_ptr<const LabelFormatter> formatter = nullptr, std::function<void()> onEditingEnded = {},
               QWidget* parent = nullptr);

    SmallDialColor color() const { return color_; }

private:
    SmallDialColor color_;
};

} // namespace mossbell
