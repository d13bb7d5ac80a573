// Draws the extension's resource bundle: every image of its asset table and every frame of its
// strips at 1x and 2x, and the colour table. Run by the build; writes into the bundle directory
// given as its argument.

#include "extension/ExtensionAssets.h"
#include "extension/artwork/Artwork.h"
#include "extension/artwork/Palette.h"

#include "platform/assets/ArtworkWriter.h"


int main(int argc, char** argv)
{
    using namespace zindle;
    return assets::runArtworkGenerator(argc, argv, [](assets::ArtworkWriter& writer) {
        for (const auto asset : allImageAssets) {
            const auto& info = imageAssetInfo(asset);
            writer.writeImage(assetName(asset), QSizeF(info.width, info.height), artwork::imageDrawing(asset));
        }
        for (const auto strip : allDialStrips) {
            const auto& info = dialStripInfo(strip);
            for (int frame = 0; frame < info.frameCount; ++frame)
                writer.writeImage(dialFrameName(strip, frame), QSizeF(info.width, info.height),
                                  artwork::dialFrameDrawing(strip, frame));
        }
        return writer.writeColors(artwork::colorTable());
    });
}
