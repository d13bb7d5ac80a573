#pragma once

#include <QColor>
#include <QMap>
#include <QString>

namespace tarnkit::artwork {

/// The named colours of the library's bundle: a dark interface of neutral greys (named by
/// lightness), three background depths, one blue for selection and focus, a red for errors,
/// and the product's accent colours.
const QMap<QString, QColor>& palette();

/// The value of a palette colour; stops the generator on a name the palette lacks.
QColor paletteColor(const QString& name);

} // namespace tarnkit::artwork
