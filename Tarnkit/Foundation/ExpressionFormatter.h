#pragma once

#include "Tarnkit/Foundation/NumberFormatter.h"

namespace tarnkit {

/// A number formatter that also takes text that is not a number: numeric text is read and shown
/// by the number formatter (its positive suffix shown, and removed for editing); any other text
/// becomes the value, as a string, unchanged. Reads leniently.
class ExpressionFormatter : public NumberFormatter {
public:
    ExpressionFormatter();

    std::optional<QString> string(const QVariant& value) const override;
    std::optional<QString> editingString(const QVariant& value) const override;
    bool getObjectValue(QVariant* value, const QString& text, QString* error) const override;

    /// Whether text is one number in C-locale notation with nothing around it: not empty, not
    /// starting with white space or NUL, and wholly read by strtod (sign, digits with a full
    /// stop, exponent, also infinity, NaN and hexadecimal forms).
    static bool isNumeric(const QString& text);
};

} // namespace tarnkit
