// Draws the framework's resource bundle: every image of the asset table and every frame of
// its dial strips at 1x and 2x, and the colour table. Run by the build; writes into the bundle
// directory given as its argument.

#include "Mossbell/AssetTable.h"
#include "Mossbell/artwork/Artwork.h"
#include "Mossbell/artwork/Palette.h"

#include "platform/assets/ArtworkWriter.h"


int main(int argc, char** argv)
{
    using namespace mossbell;
    return assets::runArtworkGenerator(argc, argv, [](assets::ArtworkWriter& writer) {
        for (const auto asset : allImageAssets) {
            const auto& info = imageAssetInfo(asset);
            writer.writeImage(assetName(asset), QSizeF(info.width, info.height), artwork::imageDrawing(asset));
        }
        for (const auto strip : allDialStrips) {
            const auto& info = dialStripInfo(strip);
            // Frame 1 is the bottom of the range, the last frame its top.
            for (int frame = 1; frame <= info.frameCount; ++frame) {
                const double position = double(frame - 1) / double(info.frameCount - 1);
                writer.writeImage(dialFrameName(strip, frame), QSizeF(info.width, info.height),
                                  artwork::dialDrawing(strip, position));
            }
        }
        return writer.writeColors(artwork::colorTable());
    });
}
