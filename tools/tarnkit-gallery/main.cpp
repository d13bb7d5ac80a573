// Draws every colour and image of the control library's bundle on one sheet and writes it as a
// PNG: tarnkit-gallery <output.png> [scale, 1 or 2; default 2]

#include "tools/tarnkit-gallery/GallerySheet.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <output.png> [scale]\n", argv[0]);
        return EXIT_FAILURE;
    }
    // It draws off screen: no display is needed unless the caller asks for a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const qreal scale = argc == 3 ? std::atof(argv[2]) : 2.0;
    if (scale != 1.0 && scale != 2.0) {
        std::fprintf(stderr, "scale must be 1 or 2\n");
        return EXIT_FAILURE;
    }
    const auto sheet = tarnkit::gallery::renderGallery(scale);
    if (!sheet.image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
