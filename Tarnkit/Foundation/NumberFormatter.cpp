#include "Tarnkit/Foundation/NumberFormatter.h"

#include <QCoreApplication>

#include <cmath>

namespace tarnkit {

NumberFormatter::NumberFormatter() = default;

bool NumberFormatter::isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float: return true;
    default: return false;
    }
}

std::optional<QString> NumberFormatter::string(const QVariant& value) const
{
    if (!isNumber(value))
        return std::nullopt;
    const double number = value.toDouble();
    QLocale locale = locale_;
    locale.setNumberOptions(usesGroupingSeparator_ ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    QString text = locale.toString(number, 'f', std::max(0, maximumFractionDigits_));
    if (std::isfinite(number) && maximumFractionDigits_ > minimumFractionDigits_) {
        // Trailing zeros beyond the minimum go, and the separator with them.
        const QString decimal = locale.decimalPoint();
        const qsizetype point = text.lastIndexOf(decimal);
        if (point >= 0) {
            qsizetype keep = point + decimal.size() + std::max(0, minimumFractionDigits_);
            qsizetype end = text.size();
            while (end > keep && text[end - 1] == locale.zeroDigit().front())
                --end;
            if (end == point + decimal.size())
                end = point;
            text.truncate(end);
        }
    }
    return text + (number < 0 ? negativeSuffix_ : positiveSuffix_);
}

bool NumberFormatter::getObjectValue(QVariant* value, const QString& text, QString* error) const
{
    QString digits = lenient_ ? text.trimmed() : text;
    for (const QString& suffix : {positiveSuffix_, negativeSuffix_}) {
        if (!suffix.isEmpty() && digits.endsWith(suffix)) {
            digits.chop(suffix.size());
            if (lenient_)
                digits = digits.trimmed();
            break;
        }
    }
    bool ok = false;
    double number = locale_.toDouble(digits, &ok);
    if (!ok && lenient_)
        number = QLocale::c().toDouble(digits, &ok);
    if (!ok) {
        if (error)
            *error = QCoreApplication::translate("tarnkit::NumberFormatter", "Invalid number");
        return false;
    }
    if (value)
        *value = number;
    return true;
}

} // namespace tarnkit
