#pragma once

#include "Tarnkit/Foundation/Formatter.h"

#include <QLocale>

namespace tarnkit {

/// Numbers shown and read in a locale: fraction digits, an optional grouping separator and
/// suffixes for positive (zero included) and negative numbers. Only numeric values (integers
/// and floating-point numbers, not strings) are shown. Text is read in the locale, without the
/// suffix; lenient reading (off by default) also ignores spaces around the text and tries text
/// the locale cannot read as plain C-locale notation. A read number is a double.
class NumberFormatter : public Formatter {
public:
    /// What the formatter's rules follow; kept for formatters that behave differently under the
    /// oldest rules.
    enum class Behavior { defaultBehavior = 0, behavior10_0 = 1000, behavior10_4 = 1040 };

    NumberFormatter();

    const QLocale& locale() const { return locale_; }
    void setLocale(const QLocale& locale) { locale_ = locale; }
    Behavior formatterBehavior() const { return behavior_; }
    void setFormatterBehavior(Behavior behavior) { behavior_ = behavior; }
    bool isLenient() const { return lenient_; }
    void setLenient(bool lenient) { lenient_ = lenient; }
    const QString& positiveSuffix() const { return positiveSuffix_; }
    void setPositiveSuffix(const QString& suffix) { positiveSuffix_ = suffix; }
    const QString& negativeSuffix() const { return negativeSuffix_; }
    void setNegativeSuffix(const QString& suffix) { negativeSuffix_ = suffix; }
    int minimumFractionDigits() const { return minimumFractionDigits_; }
    void setMinimumFractionDigits(int digits) { minimumFractionDigits_ = digits; }
    int maximumFractionDigits() const { return maximumFractionDigits_; }
    void setMaximumFractionDigits(int digits) { maximumFractionDigits_ = digits; }
    bool usesGroupingSeparator() const { return usesGroupingSeparator_; }
    void setUsesGroupingSeparator(bool uses) { usesGroupingSeparator_ = uses; }

    std::optional<QString> string(const QVariant& value) const override;
    bool getObjectValue(QVariant* value, const QString& text, QString* error) const override;

    /// Whether value holds a number (not a string or a boolean).
    static bool isNumber(const QVariant& value);

private:
    QLocale locale_;
    Behavior behavior_ = Behavior::defaultBehavior;
    bool lenient_ = false;
    QString positiveSuffix_;
    QString negativeSuffix_;
    int minimumFractionDigits_ = 0;
    int maximumFractionDigits_ = 0;
    bool usesGroupingSeparator_ = false;
};

} // namespace tarnkit
