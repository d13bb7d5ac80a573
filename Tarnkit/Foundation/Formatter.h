#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace tarnkit {

/// Turns a field's value into text and back: the text shown, the text edited, and whether a
/// text (or a keystroke's partial text) is accepted. Values are QVariants (a string is a
/// QString). Used on the thread of the field that owns it.
class Formatter {
public:
    virtual ~Formatter() = default;

    /// The text shown for value; none when the value cannot be shown.
    virtual std::optional<QString> string(const QVariant& value) const = 0;

    /// The text edited for value; the shown text unless a formatter says otherwise.
    virtual std::optional<QString> editingString(const QVariant& value) const { return string(value); }

    /// Reads text into *value (when value is given) and returns true, or returns false with the
    /// reason in *error (when error is given).
    virtual bool getObjectValue(QVariant* value, const QString& text, QString* error) const = 0;

    /// Whether the text of a field being typed into may stand; when it may, *newEditingString
    /// (when given) receives the text to keep. Everything may stand unless a formatter says
    /// otherwise.
    virtual bool isPartialStringValid(const QString& partial, QString* newEditingString, QString* error) const
    {
        (void)error;
        if (newEditingString)
            *newEditingString = partial;
        return true;
    }

protected:
    Formatter() = default;
    Formatter(const Formatter&) = default;
    Formatter& operator=(const Formatter&) = default;
};

} // namespace tarnkit
