#pragma once

#include <QColor>

#include <utility>

namespace mossbell {

/// What the owner of a value label chooses: sizes in points, the value colour and which parts
/// show. Every field is given at construction; none has a default.
struct LabelDisplayOptions {
    LabelDisplayOptions(QColor color, qreal labelSize, qreal valueSize, qreal editingSize, bool withSuffix,
                        bool withName, qreal fieldWidth)
        : valueColor(std::move(color)), labelFontSize(labelSize), valueFontSize(valueSize),
          editingFontSize(editingSize), showSuffix(withSuffix), showName(withName), labelWidth(fieldWidth)
    {
    }

    QColor valueColor;     ///< the value, its suffix and the text typed in the field
    qreal labelFontSize;   ///< the name line
    qreal valueFontSize;   ///< the value and its suffix
    qreal editingFontSize; ///< the text in the field
    bool showSuffix;       ///< the unit's suffix after the value
    bool showName;         ///< the parameter's name above the value
    qreal labelWidth;      ///< width of the text field
};

} // namespace mossbell
