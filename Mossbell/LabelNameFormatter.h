#pragma once

#include "Mossbell/LabelFormatter.h"

#include <QStringList>

namespace mossbell {

class AudioParameter;

/// Shows an indexed parameter's values by name: value i reads as the parameter's i-th value
/// string, and a name (in any letter case) reads back as its index.
class LabelNameFormatter final : public LabelFormatter {
public:
    /// Takes the parameter's value strings, or none when it has none.
    explicit LabelNameFormatter(const AudioParameter& param);

    const QStringList& valueStrings() const { return valueStrings_; }

    /// The name at the value rounded half away from zero. A value that rounds to no index of
    /// valueStrings() (outside the parameter's range, NaN, or any value when there are no names)
    /// shows as the number in its shortest exact form ("2", "1.6", "nan").
    QString format(float value) const override;
    /// The index of the first name equal to text when both are lower-cased by the current
    /// locale's rules; none when no name matches.
    std::optional<float> value(const QString& text) const override;

private:
    QStringList valueStrings_;
};

} // namespace mossbell
