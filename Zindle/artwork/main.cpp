// Draws the application's resource bundle: every image of its asset table at 1x and 2x, and
// the colour table. Run by the build; writes into the bundle directory given as its argument.

#include "Zindle/ZindleAssets.h"
#include "Zindle/artwork/AppArtwork.h"

#include "platform/assets/ArtworkWriter.h"

int main(int argc, char** argv)
{
    using namespace zindleapp;
    return assets::runArtworkGenerator(argc, argv, [](assets::ArtworkWriter& writer) {
        for (const auto asset : allImageAssets) {
            const auto& info = imageAssetInfo(asset);
            writer.writeImage(assetName(asset), QSizeF(info.width, info.height), artwork::imageDrawing(asset));
        }
        return writer.writeColors(assets::colorTable(allColorAssets, artwork::assetColor));
    });
}
