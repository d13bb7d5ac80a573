#pragma once

#include "platform/foundation/Observation.h"

#include <QtGlobal>

#include <functional>

namespace tarnkit {

/// What the sections of a settings form share: the width of every row label. Observable: the
/// getter registers its read, and setting a different width tells the observers (the sections
/// lay out again); setting the same width tells nobody.
///
/// A TarnSettings form holds one and hands it to the sections inside it (see TarnSettings).
/// Main thread.
class TarnSettingsConfig {
public:
    /// The label width of a form made without a config of its own.
    static constexpr qreal defaultLabelWidth = 120;

    explicit TarnSettingsConfig(qreal labelWidth = defaultLabelWidth) : labelWidth_(labelWidth) {}

    qreal labelWidth() const { return labelWidth_.get(); }
    void setLabelWidth(qreal width) { labelWidth_.set(width); }

    /// Calls callback with the new width after each later change, until the token ends.
    foundation::ObservationToken observeLabelWidth(std::function<void(qreal)> callback)
    {
        return labelWidth_.observe(std::move(callback));
    }

private:
    foundation::Observed<qreal> labelWidth_;
};

} // namespace tarnkit
