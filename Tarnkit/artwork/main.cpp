// Draws the library's resource bundle: every image of the asset table at 1x and 2x, and the
// colour table. Run by the build; writes into the bundle directory given as its argument.

#include "Tarnkit/Foundation/AssetTable.h"
#include "Tarnkit/artwork/Artwork.h"
#include "Tarnkit/artwork/Palette.h"

#include "platform/assets/ArtworkWriter.h"

#include <QSet>

#include <cstdio>
#include <cstdlib>

namespace {

struct ImageRow {
    const char* name;
    QSizeF size;
};

constexpr const char* colorNames[] = {
#define TARNKIT_ENTRY(id, name) name,
    TARNKIT_COLOR_ASSETS(TARNKIT_ENTRY)
#undef TARNKIT_ENTRY
};

const ImageRow imageRows[] = {
#define TARNKIT_ENTRY(id, name, width, height, ...) {name, QSizeF(width, height)},
    TARNKIT_IMAGE_ASSETS(TARNKIT_ENTRY)
#undef TARNKIT_ENTRY
};

} // namespace

int main(int argc, char** argv)
{
    using namespace tarnkit::artwork;
    return assets::runArtworkGenerator(argc, argv, [](assets::ArtworkWriter& writer) {
        DrawingTable drawings = controlArtwork();
        drawings.insert(iconArtwork());

        // The table and the drawings must name the same images, and the palette the same colours.
        bool complete = true;
        QSet<QString> drawn(drawings.keyBegin(), drawings.keyEnd());
        for (const auto& row : imageRows) {
            if (!drawn.remove(QString::fromLatin1(row.name))) {
                std::fprintf(stderr, "no drawing for image %s\n", row.name);
                complete = false;
            }
        }
        for (const auto& name : drawn) {
            std::fprintf(stderr, "drawing %s is not in the asset table\n", qPrintable(name));
            complete = false;
        }
        QSet<QString> colors(palette().keyBegin(), palette().keyEnd());
        for (const char* name : colorNames) {
            if (!colors.remove(QString::fromLatin1(name))) {
                std::fprintf(stderr, "no palette value for colour %s\n", name);
                complete = false;
            }
        }
        for (const auto& name : colors) {
            std::fprintf(stderr, "palette colour %s is not in the asset table\n", qPrintable(name));
            complete = false;
        }
        if (!complete)
            return false;

        for (const auto& row : imageRows)
            writer.writeImage(QString::fromLatin1(row.name), row.size, drawings.value(QString::fromLatin1(row.name)));
        return writer.writeColors(palette());
    });
}
