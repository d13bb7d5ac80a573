#include "Tarnkit/artwork/Palette.h"

#include <cstdio>
#include <cstdlib>

namespace tarnkit::artwork {

const QMap<QString, QColor>& palette()
{
    static const QMap<QString, QColor> colors = {
        {"Background/Normal", QColor(0x2a, 0x2b, 0x2f)},
        {"Background/Darker", QColor(0x22, 0x23, 0x27)},
        {"Background/Darkest", QColor(0x1a, 0x1b, 0x1e)},
        {"Error", QColor(0xe5, 0x48, 0x4d)},
        {"Grey 100%", QColor(0xff, 0xff, 0xff)},
        {"Grey 85%", QColor(0xd9, 0xd9, 0xd9)},
        {"Grey 70%", QColor(0xb3, 0xb3, 0xb3)},
        {"Grey 60%", QColor(0x99, 0x99, 0x99)},
        {"Grey 50%", QColor(0x80, 0x80, 0x80)},
        {"Grey 40%", QColor(0x66, 0x66, 0x66)},
        {"Grey 30%", QColor(0x4d, 0x4d, 0x4d)},
        {"Grey 20%", QColor(0x33, 0x33, 0x33)},
        {"Highlight/System", QColor(0x2f, 0x7d, 0xe1)},
        {"Ostrel/Aqua", QColor(0x36, 0xc5, 0xc0)},
        {"Ostrel/Blue", QColor(0x4c, 0x8d, 0xff)},
        {"Ostrel/DarkPurple", QColor(0x4b, 0x2e, 0x83)},
        {"Ostrel/LightBlue", QColor(0x8c, 0xc8, 0xff)},
        {"Ostrel/Orange", QColor(0xf5, 0x97, 0x3b)},
        {"Ostrel/Purple", QColor(0x9d, 0x6b, 0xff)},
        {"Ostrel/Red", QColor(0xf0, 0x52, 0x4f)},
        {"Ostrel/Yellow", QColor(0xf6, 0xc9, 0x45)},
    };
    return colors;
}

QColor paletteColor(const QString& name)
{
    const auto found = palette().find(name);
    if (found == palette().end()) {
        std::fprintf(stderr, "no palette colour named %s\n", qPrintable(name));
        std::exit(EXIT_FAILURE);
    }
    return *found;
}

} // namespace tarnkit::artwork
