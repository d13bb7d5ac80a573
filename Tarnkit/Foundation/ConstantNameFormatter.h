#pragma once

#include "Tarnkit/Foundation/Formatter.h"

#include <QCoreApplication>

namespace tarnkit {

/// Edits the name of a constant: the value is a string, shown with a required prefix ("$" by
/// default) and edited without it; names hold only A-Z, a-z, 0-9, "_" and "$", and a keystroke
/// that would add anything else is refused.
class ConstantNameFormatter : public Formatter {
    Q_DECLARE_TR_FUNCTIONS(ConstantNameFormatter)

public:
    ConstantNameFormatter() = default;

    const QString& requiredPrefix() const { return requiredPrefix_; }
    void setRequiredPrefix(const QString& prefix) { requiredPrefix_ = prefix; }

    /// A string already beginning with the prefix as it is, any other string behind the prefix;
    /// none for a value that is not a string.
    std::optional<QString> string(const QVariant& value) const override;
    /// A string without its leading prefix (only an exact prefix at the start is removed); none
    /// for a value that is not a string.
    std::optional<QString> editingString(const QVariant& value) const override;
    /// Accepts text of name characters only (the empty text too) as the value, unchanged.
    bool getObjectValue(QVariant* value, const QString& text, QString* error) const override;
    /// The same test on the text being typed.
    bool isPartialStringValid(const QString& partial, QString* newEditingString, QString* error) const override;

    /// The localized message of a refused text. A translation may show the prefix with the
    /// placeholder %1; nothing else in it is interpreted.
    QString errorText() const;

    /// Whether every character of text is a name character.
    static bool isValidName(const QString& text);

private:
    QString requiredPrefix_ = QStringLiteral("$");
};

} // namespace tarnkit
