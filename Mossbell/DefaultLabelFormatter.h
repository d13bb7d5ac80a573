#pragma once

#include "Mossbell/LabelFormatter.h"

#include <string>

namespace mossbell {

class AudioParameter;

/// Prints numbers with a fixed number of decimal places and reads plain numbers back. A
/// parameter in absolute cents is shown in hundreds (1200 reads 12.0); text read back is not
/// scaled, the label that sets the value does that.
class DefaultLabelFormatter final : public LabelFormatter {
public:
    /// decimalPlaces must not be negative (a programming error that stops the process).
    DefaultLabelFormatter(const AudioParameter& param, int decimalPlaces);

    int decimalPlaces() const { return decimalPlaces_; }
    /// 0.01 for a parameter in absolute cents, else 1.
    float saveScaleFactor() const { return saveScaleFactor_; }
    /// The printf format applied: "%.0f" for whole numbers, else "%0.<places>lf".
    const std::string& formatString() const { return formatString_; }

    /// value x saveScaleFactor printed with formatString(), always with a decimal point
    /// (the C locale's rules, whatever the process locale).
    QString format(float value) const override;
    /// The whole text read as a number by the C library's rules in the C locale, unscaled.
    /// None for empty text, text starting with white space (space, tab, line feed, vertical
    /// tab, form feed, carriage return) or anything left after the number.
    std::optional<float> value(const QString& text) const override;

private:
    int decimalPlaces_;
    float saveScaleFactor_;
    std::string formatString_;
};

} // namespace mossbell
