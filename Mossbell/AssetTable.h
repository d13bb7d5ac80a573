#pragma once

#include "Mossbell/Extensions.h"

#include "platform/assets/AssetTable.h"

#include <QString>

// The assets of the framework's resource bundle, kept as data: the framework names its
// resource constants from these rows and the artwork generator draws one picture per image row
// and one image per frame of each dial strip.
//
// Colour rows:     X(identifier, "asset name")
// Image rows:      X(identifier, "asset name", width, height)
// Dial strip rows: X(identifier, "frame name prefix", frame count, width, height)
//   sizes in points. A strip's frames are named prefix + paddedIndexString(i), i counted from 1.

#define MOSSBELL_COLOR_ASSETS(X)                                                                                       \
    X(chaosYellowText, "ChaosYellowText")                                                                              \
    X(background, "background")                                                                                        \
    X(buttonText, "buttonText")                                                                                        \
    X(chaosToggleText, "chaosToggleText")                                                                              \
    X(chaosToggleTextPressed, "chaosToggleTextPressed")                                                                \
    X(pluginBlue, "pluginBlue")                                                                                        \
    X(pluginGrey, "pluginGrey")                                                                                        \
    X(pluginPurple, "pluginPurple")                                                                                    \
    X(pluginRed, "pluginRed")                                                                                          \
    X(pluginYellow, "pluginYellow")                                                                                    \
    X(tabSelected, "tabSelected")                                                                                      \
    X(tabUnselected, "tabUnselected")                                                                                  \
    X(tinyDialLabel, "tinyDialLabel")                                                                                  \
    X(updateBackground, "updateBackground")                                                                            \
    X(versionInfo, "versionInfo")

// The chaos buttons sit centred in frames of 48 x 56 (narrow 24 x 62, small 28 x 34), the
// modern and retro buttons fill 88 x 27.
#define MOSSBELL_IMAGE_ASSETS(X)                                                                                       \
    X(vartlowLogo, "vartlow-logo", 112, 28)                                                                            \
    X(chaosButtonGreyOff, "chaos-button-grey-off", 44, 52)                                                             \
    X(chaosButtonGreyOffDown, "chaos-button-grey-off-down", 44, 52)                                                    \
    X(chaosButtonGreyOnYellow, "chaos-button-grey-on-yellow", 44, 52)                                                  \
    X(chaosButtonGreyOnYellowDown, "chaos-button-grey-on-yellow-down", 44, 52)                                         \
    X(chaosButtonNarrowGreyOff, "chaos-button-narrow-grey-off", 22, 58)                                                \
    X(chaosButtonNarrowGreyOffDown, "chaos-button-narrow-grey-off-down", 22, 58)                                       \
    X(chaosButtonNarrowGreyOnYellow, "chaos-button-narrow-grey-on-yellow", 22, 58)                                     \
    X(chaosButtonNarrowGreyOnYellowDown, "chaos-button-narrow-grey-on-yellow-down", 22, 58)                            \
    X(chaosButtonSmallYellowLeft, "chaos-button-small-yellow-left", 26, 32)                                            \
    X(chaosButtonSmallYellowLeftDown, "chaos-button-small-yellow-left-down", 26, 32)                                   \
    X(chaosButtonSmallYellowRight, "chaos-button-small-yellow-right", 26, 32)                                          \
    X(chaosButtonSmallYellowRightDown, "chaos-button-small-yellow-right-down", 26, 32)                                 \
    X(chaosButtonYellow, "chaos-button-yellow", 44, 52)                                                                \
    X(chaosButtonYellowDown, "chaos-button-yellow-down", 44, 52)                                                       \
    X(modernButton, "modern-button", 88, 27)                                                                           \
    X(modernButtonDown, "modern-button-down", 88, 27)                                                                  \
    X(modernButtonOn, "modern-button-on", 88, 27)                                                                      \
    X(modernButtonOnDown, "modern-button-on-down", 88, 27)                                                             \
    X(retroButton, "retro-button", 88, 27)                                                                             \
    X(retroButtonDown, "retro-button-down", 88, 27)                                                                    \
    X(settingsButton, "settings-button", 72, 24)                                                                       \
    X(settingsButtonDown, "settings-button-down", 72, 24)

// The framework dials show their strips centred in frames of 56 x 64 (chaos), 68 x 84 (medium)
// and 34 x 40 (small).
#define MOSSBELL_DIAL_STRIPS(X)                                                                                        \
    X(chaosDialGrey, "knobs/chaos-dial-grey_", 51, 56, 56)                                                             \
    X(dialMediumBlue, "knobs/dial-medium-blue-", 51, 68, 68)                                                           \
    X(dialMediumYellow, "knobs/dial-medium-yellow-", 51, 68, 68)                                                       \
    X(dialMediumRed, "knobs/dial-medium-red-", 51, 68, 68)                                                             \
    X(dialMediumPurple, "knobs/dial-medium-purple-", 51, 68, 68)                                                       \
    X(dialSmallGrey, "knobs/dial-small-grey-", 51, 34, 34)

namespace mossbell {

ZINDLE_ASSET_TABLES(MOSSBELL_COLOR_ASSETS, MOSSBELL_IMAGE_ASSETS, MOSSBELL_DIAL_STRIPS)

using ImageAssetInfo = assets::ImageAssetInfo;
using DialStripInfo = assets::DialStripInfo;

/// The image name of frame i (1 to the strip's frame count) of a dial strip, e.g.
/// "knobs/dial-medium-red-01".
inline QString dialFrameName(DialStrip strip, int frame)
{
    return QString::fromLatin1(dialStripInfo(strip).prefix) + paddedIndexString(frame);
}

} // namespace mossbell
