#include "Tarnkit/Foundation/ConstantNameFormatter.h"

#include <algorithm>

namespace tarnkit {

namespace {

bool isNameCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'_'
        || u == u'$';
}

bool isString(const QVariant& value)
{
    return value.typeId() == QMetaType::QString;
}

} // namespace

bool ConstantNameFormatter::isValidName(const QString& text)
{
    return std::all_of(text.begin(), text.end(), isNameCharacter);
}

std::optional<QString> ConstantNameFormatter::string(const QVariant& value) const
{
    if (!isString(value))
        return std::nullopt;
    const QString name = value.toString();
    return name.startsWith(requiredPrefix_, Qt::CaseSensitive) ? name : requiredPrefix_ + name;
}

std::optional<QString> ConstantNameFormatter::editingString(const QVariant& value) const
{
    if (!isString(value))
        return std::nullopt;
    const QString name = value.toString();
    if (!requiredPrefix_.isEmpty() && name.startsWith(requiredPrefix_, Qt::CaseSensitive))
        return name.mid(requiredPrefix_.size());
    return name;
}

bool ConstantNameFormatter::getObjectValue(QVariant* value, const QString& text, QString* error) const
{
    if (!isValidName(text)) {
        if (error)
            *error = errorText();
        return false;
    }
    if (value)
        *value = text;
    return true;
}

bool ConstantNameFormatter::isPartialStringValid(const QString& partial, QString* newEditingString,
                                                 QString* error) const
{
    if (!isValidName(partial)) {
        if (error)
            *error = errorText();
        return false;
    }
    if (newEditingString)
        *newEditingString = partial;
    return true;
}

QString ConstantNameFormatter::errorText() const
{
    //: Error message shown when user-entered constant name contains invalid characters
    const QString message = tr("Constant names must only contain A-Z, a-z, 0-9 and the characters _ and $");
    // The prefix is substituted as plain text for the one placeholder a translation may use;
    // the message is never read as a format of its own.
    return message.contains(QLatin1String("%1")) ? message.arg(requiredPrefix_) : message;
}

} // namespace tarnkit
