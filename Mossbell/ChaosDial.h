#pragma once

#include "Mossbell/FrameworkDial.h"

namespace mossbell {

/// The colours of the chaos dial.
enum class ModernDialColor { grey };

/// The framework's large dial: the grey "knobs/chaos-dial-grey_" strip in a 56 x 64 point
/// frame moved 16 points up, its label 40 points down in Dosis Medium with the name in
/// "pluginGrey". 6 points start a drag; 200 points turn it end to end. Main thread.
class ChaosDial final : public FrameworkDial {
public:
    /// formatter: none prints the value with one decimal place. onEditingEnded is called when
    /// Return or Escape ends typing into the label.
    ChaosDial(std::shared_ptr<AudioParameter> param, ModernDialColor color, LabelDisplayOptions labelDisplayOptions,
              std::shared_ptr<const LabelFormatter> formatter = nullptr, std::function<void()> onEditingEnded = {},
              QWidget* parent = nullptr);

    ModernDialColor color() const { return color_; }

private:
    ModernDialColor color_;
};

} // namespace mossbell
