#include "extension/artwork/Artwork.h"

namespace zindle::artwork {

Drawing imageDrawing(ImageAsset asset)
{
    // A switch, so that an image added to the table without a drawing does not compile quietly.
    switch (asset) {
    case ImageAsset::modernArea: return modernAreaDrawing();
    case ImageAsset::modernButtonFreeze: return freezeButtonDrawing(false);
    case ImageAsset::modernButtonFreezeDown: return freezeButtonDrawing(true);
    case ImageAsset::retroBackground: return retroBackgroundDrawing();
    }
    return {};
}

Drawing dialFrameDrawing(DialStrip strip, int frame)
{
    switch (strip) {
    case DialStrip::modernMeter:
    case DialStrip::retroMeter: return meterDrawing(strip, frame);
    case DialStrip::knobBigWhite:
    case DialStrip::knobChickenhead:
    case DialStrip::knobSmallBlue:
    case DialStrip::knobSmallYellow:
    case DialStrip::knobSmallRed: break;
    }
    return knobDrawing(strip, double(frame) / double(dialStripInfo(strip).frameCount - 1));
}

} // namespace zindle::artwork
