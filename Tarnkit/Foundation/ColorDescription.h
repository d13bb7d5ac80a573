#pragma once

#include <QColor>
#include <QString>

namespace tarnkit {

/// A colour as text for debugging: "<colour space name>: [ c1, c2, … ]", each component as the
/// shortest text that reads back as the stored component ("1.0", "0.25"). RGB colours (HSV and HSL
/// ones are read as RGB) are in "sRGB" and list red, green, blue and alpha; CMYK colours in
/// "Generic CMYK" list cyan, magenta, yellow, black and alpha. An invalid colour has no space
/// and no components: ": [  ]".
QString debugDescription(const QColor& color);

} // namespace tarnkit
