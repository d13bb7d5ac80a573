#include "Mossbell/LabelNameFormatter.h"

#include "Mossbell/AudioParameter.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>

namespace mossbell {

namespace {

// The shortest text that reads back as the same float ("2.6", "3", "nan").
std::string shortestDecimal(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

LabelNameFormatter::LabelNameFormatter(const AudioParameter& param)
{
    if (const auto& strings = param.valueStrings()) {
        for (const auto& s : *strings)
            valueStrings_ << QString::fromStdString(s);
    }
}

QString LabelNameFormatter::format(float value) const
{
    // std::round rounds half away from zero; the comparisons also turn NaN away.
    const float index = std::round(value);
    if (!(index >= 0.0f && index < float(valueStrings_.size())))
        return QString::fromStdString(shortestDecimal(value)); // a plug-in never ends its host
    return valueStrings_[qsizetype(index)];
}

std::optional<float> LabelNameFormatter::value(const QString& text) const
{
    const QLocale locale;
    const QString wanted = locale.toLower(text);
    for (qsizetype i = 0; i < valueStrings_.size(); ++i) {
        if (locale.toLower(valueStrings_[i]) == wanted)
            return float(i);
    }
    return std::nullopt;
}

} // namespace mossbell
