#include "Tarnkit/Foundation/ColorDescription.h"

#include <QColorSpace>
#include <QStringList>

#include <charconv>
#include <string_view>
#include <vector>

namespace tarnkit {

namespace {

// The shortest text that reads back as the stored component, always with a fraction or an
// exponent ("1.0", "1e-05").
QString componentText(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string_view text(buffer, std::size_t(result.ptr - buffer));
    QString out = QString::fromLatin1(text.data(), qsizetype(text.size()));
    if (text.find_first_of(".en") == std::string_view::npos) // n: "inf", "nan"
        out += QStringLiteral(".0");
    return out;
}

} // namespace

QString debugDescription(const QColor& color)
{
    QString space;
    std::vector<float> components;
    switch (color.spec()) {
    case QColor::Invalid:
        break;
    case QColor::Cmyk:
        space = QStringLiteral("Generic CMYK");
        components = {color.cyanF(), color.magentaF(), color.yellowF(), color.blackF(), color.alphaF()};
        break;
    case QColor::ExtendedRgb:
    case QColor::Rgb:
    case QColor::Hsv:
    case QColor::Hsl: {
        space = QColorSpace(QColorSpace::SRgb).description();
        // Extended components (outside 0...1) are kept as they are.
        const QColor rgb = color.spec() == QColor::ExtendedRgb ? color : color.toRgb();
        components = {rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF()};
        break;
    }
    }
    QStringList parts;
    for (float c : components)
        parts << componentText(c);
    return space + QStringLiteral(": [ ") + parts.join(QStringLiteral(", ")) + QStringLiteral(" ]");
}

} // namespace tarnkit
