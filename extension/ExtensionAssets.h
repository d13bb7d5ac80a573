#pragma once

#include "Mossbell/AssetTable.h"
#include "Mossbell/Extensions.h"

#include "platform/assets/AssetTable.h"

#include <QString>


// The assets of the extension's resource bundle, kept as data: the named accessors are made
// from these rows, and the artwork generator draws one picture per image row and one image per
// frame of each strip.
//
// Colour rows: X(identifier, "asset name")
// Image rows:  X(identifier, "asset name", width, height)
// Strip rows:  X(identifier, "frame name prefix", frame count, width, height)
//   sizes in points. Frame i of a strip is named prefix + "-" + paddedIndexString(i), i counted
//   from 0.

#define ZINDLE_COLOR_ASSETS(X)                                                                                         \
    X(background, "background")                                                                                        \
    X(buttonBlue, "buttonBlue")                                                                                        \
    X(buttonRed, "buttonRed")                                                                                          \
    X(retroGreen, "retroGreen")                                                                                        \
    X(labels, "labels")                                                                                                \
    X(values, "values")

// "modern-area" is a nine-patch tile (caps of 12 on every edge, the middle tiled); the freeze
// button keeps its own size; "retro-background" fills the 640-point design width below the
// 46-point header and is drawn at its own size.
#define ZINDLE_IMAGE_ASSETS(X)                                                                                         \
    X(modernArea, "modern-area", 48, 48)                                                                               \
    X(modernButtonFreeze, "modern-button-freeze", 44, 44)                                                              \
    X(modernButtonFreezeDown, "modern-button-freeze-down", 44, 44)                                                     \
    X(retroBackground, "retro-background", 640, 434)

// The large dial shows its knob 17 (modern) or 18 (retro) points above its centre and the meter
// ring 24 points above it, over the knob; the meters draw their ring about the knob's centre.
// The small dial shows its knob in a frame of 74 x 84.
#define ZINDLE_DIAL_STRIPS(X)                                                                                          \
    X(knobBigWhite, "knobs/knob-big-white", 90, 140, 140)                                                              \
    X(knobChickenhead, "knobs/knob-chickenhead", 90, 110, 110)                                                         \
    X(modernMeter, "meter/modern-meter", 26, 190, 190)                                                                 \
    X(retroMeter, "meter/retro-meter", 19, 150, 150)                                                                   \
    X(knobSmallBlue, "knobs/knob-small-blue", 90, 64, 64)                                                              \
    X(knobSmallYellow, "knobs/knob-small-yellow", 90, 64, 64)                                                          \
    X(knobSmallRed, "knobs/knob-small-red", 90, 64, 64)

namespace zindle {

ZINDLE_ASSET_TABLES(ZINDLE_COLOR_ASSETS, ZINDLE_IMAGE_ASSETS, ZINDLE_DIAL_STRIPS)

/// The image name of frame i (0 to the strip's frame count - 1), e.g. "knobs/knob-big-white-00".
inline QString dialFrameName(DialStrip strip, int frame)
{
    return QString::fromLatin1(dialStripInfo(strip).prefix) + QLatin1Char('-') + mossbell::paddedIndexString(frame);
}

} // namespace zindle
