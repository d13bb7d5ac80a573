#pragma once

#include <QString>

#include <optional>

namespace mossbell {

/// Turns a parameter's values into the text a value label shows, and typed text back into a
/// value. Formatters change nothing after they are made, so one may serve several labels; the
/// labels use them on the main thread, but any thread may.
class LabelFormatter {
public:
    virtual ~LabelFormatter() = default;

    /// The text of value.
    virtual QString format(float value) const = 0;
    /// The value the text stands for; none when the text is not acceptable.
    virtual std::optional<float> value(const QString& text) const = 0;

protected:
    LabelFormatter() = default;
    LabelFormatter(const LabelFormatter&) = default;
    LabelFormatter& operator=(const LabelFormatter&) = default;
};

} // namespace mossbell
