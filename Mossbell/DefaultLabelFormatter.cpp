#include "Mossbell/DefaultLabelFormatter.h"

#include "Mossbell/AudioParameter.h"

#include "platform/foundation/FatalError.h"

#include <QByteArray>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace mossbell {

namespace {

// The process locale may write and read a decimal comma (Qt applications take the user's
// locale on start); labels always use the point, so both directions use the C locale.
locale_t cNumericLocale()
{
    static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    if (locale == locale_t(nullptr))
        foundation::fatalError("unable to make the C numeric locale", __FILE__, __LINE__);
    return locale;
}

// Holds the C numeric locale for this thread while it lives.
class CNumericScope {
public:
    CNumericScope() : previous_(uselocale(cNumericLocale())) {}
    ~CNumericScope() { uselocale(previous_); }
    CNumericScope(const CNumericScope&) = delete;
    CNumericScope& operator=(const CNumericScope&) = delete;

private:
    locale_t previous_;
};

std::string makeFormatString(int decimalPlaces)
{
    if (decimalPlaces < 0)
        foundation::fatalError("DefaultLabelFormatter: negative decimal places", __FILE__, __LINE__);
    return decimalPlaces == 0 ? std::string("%.0f") : "%0." + std::to_string(decimalPlaces) + "lf";
}

} // namespace

DefaultLabelFormatter::DefaultLabelFormatter(const AudioParameter& param, int decimalPlaces)
    : decimalPlaces_(decimalPlaces), saveScaleFactor_(param.saveScaleFactor()),
      formatString_(makeFormatString(decimalPlaces))
{
}

QString DefaultLabelFormatter::format(float value) const
{
    // The product is a float, as the value is; printf carries it as a double.
    const double scaled = double(value * saveScaleFactor_);
    const CNumericScope cLocale;
    const int length = std::snprintf(nullptr, 0, formatString_.c_str(), scaled);
    if (length <= 0)
        return {};
    std::string text(std::size_t(length), '\0');
    std::snprintf(text.data(), text.size() + 1, formatString_.c_str(), scaled);
    return QString::fromStdString(text);
}

std::optional<float> DefaultLabelFormatter::value(const QString& text) const
{
    const QByteArray bytes = text.toUtf8();
    // strtof would skip leading white space; the label does not accept it.
    if (bytes.isEmpty() || std::strchr(" \t\n\v\f\r", bytes.front()) != nullptr)
        return std::nullopt;
    char* end = nullptr;
    const float number = strtof_l(bytes.constData(), &end, cNumericLocale());
    // Nothing read, or something left (an embedded NUL included).
    if (end != bytes.constData() + bytes.size())
        return std::nullopt;
    return number;
}

} // namespace mossbell
