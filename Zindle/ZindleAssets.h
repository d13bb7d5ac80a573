#pragma once

#include "platform/assets/AssetTable.h"

// The assets of the application's resource bundle, kept as data: the resource symbols are made
// from these rows and the artwork generator draws one picture per image row.
//
// Colour rows: X(identifier, "asset name")
// Image rows:  X(identifier, "asset name", width, height), sizes in points
//
// "background" fills the window, "buttonText" colours its texts (and tints the maker's
// artwork), "labels" the text of a pressed button. The button faces are as wide as the welcome
// window's button labels (180 points). "window-vartlow" is a template image: only its alpha
// counts, the view tints it. "app-icon" is the program's icon, installed for the desktop.

#define ZINDLE_APP_COLOR_ASSETS(X)                                                                                     \
    X(background, "background")                                                                                        \
    X(buttonText, "buttonText")                                                                                        \
    X(labels, "labels")

#define ZINDLE_APP_IMAGE_ASSETS(X)                                                                                     \
    X(tkuiButton, "tkui-button", 180, 24)                                                                              \
    X(tkuiButtonDown, "tkui-button-down", 180, 24)                                                                     \
    X(windowVartlow, "window-vartlow", 150, 32)                                                                        \
    X(appIcon, "app-icon", 128, 128)

namespace zindleapp {

ZINDLE_IMAGE_TABLES(ZINDLE_APP_COLOR_ASSETS, ZINDLE_APP_IMAGE_ASSETS)

} // namespace zindleapp
