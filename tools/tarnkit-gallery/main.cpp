// Draws the control library's sheets as PNG pictures: its resource bundle, and its controls in
// their states. See usage() below.

#include "tools/tarnkit-gallery/ControlsSheet.h"
#include "tools/tarnkit-gallery/GallerySheet.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

namespace {

struct Sheet {
    const char* name;
    const char* summary;
    std::function<QImage(qreal scale)> render;
};

const Sheet sheets[] = {
    {"bundle", "every colour and image of the library's bundle",
     [](qreal scale) { return tarnkit::gallery::renderGallery(scale).image; }},
    {"controls",
     "the styled controls in their states (normal, pressed, disabled, selected, on, mixed, focused, invalid, "
     "editing) and the declarative components",
     [](qreal scale) { return tarnkit::gallery::renderControlsSheet(scale).image; }},
};

void usage(const char* program, std::FILE* out)
{
    std::fprintf(out,
                 "usage: %s [--sheet NAME] <output.png> [scale]\n"
                 "       %s <folder>\n"
                 "\n"
                 "Draws one sheet as a PNG at scale 1 or 2 (default 2), or, given a folder, every sheet\n"
                 "into it at both scales as <name>.png and <name>@2x.png.\n"
                 "\n"
                 "sheets (--sheet, default bundle):\n",
                 program, program);
    for (const Sheet& sheet : sheets)
        std::fprintf(out, "  %-10s %s\n", sheet.name, sheet.summary);
}

const Sheet* findSheet(const char* name)
{
    for (const Sheet& sheet : sheets) {
        if (std::strcmp(sheet.name, name) == 0)
            return &sheet;
    }
    return nullptr;
}

bool write(const Sheet& sheet, qreal scale, const QString& path)
{
    if (sheet.render(scale).save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const Sheet* sheet = &sheets[0];
    std::optional<std::string> output;
    std::optional<std::string> scaleText;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            usage(argv[0], stdout);
            return EXIT_SUCCESS;
        }
        if (argument == "--sheet") {
            if (i + 1 == argc || !(sheet = findSheet(argv[i + 1]))) {
                std::fprintf(stderr, "unknown sheet; the sheets are listed by --help\n");
                return EXIT_FAILURE;
            }
            ++i;
        } else if (!output) {
            output = argument;
        } else if (!scaleText) {
            scaleText = argument;
        } else {
            usage(argv[0], stderr);
            return EXIT_FAILURE;
        }
    }
    if (!output) {
        usage(argv[0], stderr);
        return EXIT_FAILURE;
    }
    const qreal scale = scaleText ? std::atof(scaleText->c_str()) : 2.0;
    if (scale != 1.0 && scale != 2.0) {
        std::fprintf(stderr, "scale must be 1 or 2\n");
        return EXIT_FAILURE;
    }

    // It draws off screen: no display is needed unless the caller asks for a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QString target = QString::fromLocal8Bit(output->c_str());
    if (!QFileInfo(target).isDir())
        return write(*sheet, scale, target) ? EXIT_SUCCESS : EXIT_FAILURE;
    if (scaleText) {
        std::fprintf(stderr, "a folder gets every sheet at both scales: no scale is given with it\n");
        return EXIT_FAILURE;
    }
    const QDir folder(target);
    for (const Sheet& each : sheets) {
        const QString name = QString::fromLatin1(each.name);
        if (!write(each, 1, folder.filePath(name + QStringLiteral(".png")))
            || !write(each, 2, folder.filePath(name + QStringLiteral("@2x.png"))))
            return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
