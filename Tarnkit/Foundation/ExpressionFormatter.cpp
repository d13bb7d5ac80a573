#include "Tarnkit/Foundation/ExpressionFormatter.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

#include <utility>
#include <vector>

namespace tarnkit {

namespace {

/// The C locale, whatever the process's locale is.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

/// Text folded for a search that ignores case and diacritics, with the source range of each
/// folded character.
struct FoldedText {
    QString text;
    std::vector<std::pair<qsizetype, qsizetype>> source; // [begin, end) in the original
};

FoldedText fold(const QString& original)
{
    FoldedText folded;
    for (qsizetype i = 0; i < original.size();) {
        const qsizetype length = original[i].isHighSurrogate() && i + 1 < original.size() ? 2 : 1;
        const QString decomposed = original.mid(i, length).normalized(QString::NormalizationForm_D).toCaseFolded();
        for (const QChar c : decomposed) {
            const auto category = c.category();
            if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
                || category == QChar::Mark_Enclosing)
                continue;
            folded.text.append(c);
            folded.source.emplace_back(i, i + length);
        }
        i += length;
    }
    return folded;
}

/// The first range of target in text, ignoring case and diacritics; none when absent or empty.
std::optional<std::pair<qsizetype, qsizetype>> localizedStandardRange(const QString& text, const QString& target)
{
    const FoldedText haystack = fold(text);
    const QString needle = fold(target).text;
    if (needle.isEmpty())
        return std::nullopt;
    const qsizetype at = haystack.text.indexOf(needle);
    if (at < 0)
        return std::nullopt;
    return std::pair(haystack.source[static_cast<std::size_t>(at)].first,
                     haystack.source[static_cast<std::size_t>(at + needle.size() - 1)].second);
}

bool isString(const QVariant& value)
{
    return value.typeId() == QMetaType::QString;
}

} // namespace

ExpressionFormatter::ExpressionFormatter()
{
    setFormatterBehavior(Behavior::defaultBehavior);
    setLenient(true);
}

bool ExpressionFormatter::isNumeric(const QString& text)
{
    if (text.isEmpty())
        return false;
    switch (text.front().unicode()) {
    case 0x00: case 0x09: case 0x0a: case 0x0b: case 0x0c: case 0x0d: case 0x20: return false;
    default: break;
    }
    const QByteArray bytes = text.toUtf8();
    char* end = nullptr;
    strtod_l(bytes.constData(), &end, cLocale());
    return end == bytes.constData() + bytes.size();
}

std::optional<QString> ExpressionFormatter::string(const QVariant& value) const
{
    if (isString(value)) {
        const QString text = value.toString();
        if (text.isEmpty() || !isNumeric(text))
            return text;
    }
    std::optional<QString> text = NumberFormatter::string(value);
    if (!text && isString(value))
        text = value.toString();
    if (text && formatterBehavior() != Behavior::behavior10_0 && !text->isEmpty() && !positiveSuffix().isEmpty()
        && !text->endsWith(positiveSuffix()))
        text->append(positiveSuffix());
    return text;
}

std::optional<QString> ExpressionFormatter::editingString(const QVariant& value) const
{
    if (isString(value)) {
        const QString text = value.toString();
        if (text.isEmpty() || !isNumeric(text))
            return text;
    }
    std::optional<QString> text = NumberFormatter::editingString(value);
    if (formatterBehavior() == Behavior::behavior10_0 || !text)
        return text;
    if (!positiveSuffix().isEmpty()) {
        if (const auto range = localizedStandardRange(*text, positiveSuffix()))
            return text->left(range->first);
    }
    return text;
}

bool ExpressionFormatter::getObjectValue(QVariant* value, const QString& text, QString* error) const
{
    if (text.isEmpty() || !isNumeric(text)) {
        if (value)
            *value = text;
        return true;
    }
    return NumberFormatter::getObjectValue(value, text, error);
}

} // namespace tarnkit
