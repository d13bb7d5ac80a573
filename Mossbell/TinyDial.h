#pragma once

#include "Mossbell/FrameworkDial.h"

namespace mossbell {

/// The colours of the tiny dial.
enum class TinyDialColor { grey };

/// The framework's smallest dial: the "knobs/dial-small-grey-" strip centred in a 34 x 40
/// point frame, its label 30 points down in the Zindle face with the name in "tinyDialLabel".
/// 3 points start a drag; 100 points turn it end to end. Main thread.
class TinyDial final : public FrameworkDial {
public:
    /// formatter: none prints the value with one decimal place. onEditingEnded is called when
    /// Return or Escape ends typing into the label.
    TinyDial(std::shared_ptr<AudioParameter> param, LabelDisplayOptions labelDisplayOptions,
             std::shared_ptr<const LabelFormatter> formatter = nullptr, std::function<void()> onEditingEnded = {},
             QWidget* parent = nullptr);

    TinyDialColor color() const { return TinyDialColor::grey; }
};

} // namespace mossbell
