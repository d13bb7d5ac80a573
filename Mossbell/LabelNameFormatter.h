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

    /// The name at the value rounded half away from zero. Every value must round to an index
    /// of valueStrings() (the parameter's range is 0 to the number of names less 1): any other
    /// stops the process with "Unable to format value <value>, no value string found".
    QString format(float value) const override;
    /// The index of the first name equal to text when both are lower-cased by the current
    /// locale's rules; none when no name matches.
    std::optional<float> value(const QString& text) const override;

private:
    QStringList valueStrings_;
};

} // namespace mossbell
