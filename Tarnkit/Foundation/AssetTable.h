#pragma once

// The assets of the library's resource bundle, kept as data: the library names its resource
// constants from these rows and the artwork generator draws one picture per image row.
//
// Colour rows: X(identifier, "asset name")
// Image rows:  X(identifier, "asset name", width, height, capTop, capLeft, capBottom, capRight)
//   size in points; the caps are the slicing of a bezel that stretches to its control's frame
//   (all zero: the whole image scales). Where a bezel carries a glyph (the arrows), the
//   middle rows that stretch lie clear of it, so a taller control keeps its glyph's shape.

#define TARNKIT_COLOR_ASSETS(X)                                                                                        \
    X(backgroundDarker, "Background/Darker")                                                                           \
    X(backgroundDarkest, "Background/Darkest")                                                                         \
    X(backgroundNormal, "Background/Normal")                                                                           \
    X(error, "Error")                                                                                                  \
    X(grey100, "Grey 100%")                                                                                            \
    X(grey20, "Grey 20%")                                                                                              \
    X(grey30, "Grey 30%")                                                                                              \
    X(grey40, "Grey 40%")                                                                                              \
    X(grey50, "Grey 50%")                                                                                              \
    X(grey60, "Grey 60%")                                                                                              \
    X(grey70, "Grey 70%")                                                                                              \
    X(grey85, "Grey 85%")                                                                                              \
    X(highlightSystem, "Highlight/System")                                                                             \
    X(ostrelAqua, "Ostrel/Aqua")                                                                                       \
    X(ostrelBlue, "Ostrel/Blue")                                                                                       \
    X(ostrelDarkPurple, "Ostrel/DarkPurple")                                                                           \
    X(ostrelLightBlue, "Ostrel/LightBlue")                                                                             \
    X(ostrelOrange, "Ostrel/Orange")                                                                                   \
    X(ostrelPurple, "Ostrel/Purple")                                                                                   \
    X(ostrelRed, "Ostrel/Red")                                                                                         \
    X(ostrelYellow, "Ostrel/Yellow")

#define TARNKIT_IMAGE_ASSETS(X)                                                                                        \
    X(tkuiButton, "tkui-button", 80, 24, 8, 8, 8, 8)                                                                   \
    X(tkuiButtonDown, "tkui-button-down", 80, 24, 8, 8, 8, 8)                                                          \
    X(tkuiButtonSelected, "tkui-button-selected", 80, 24, 8, 8, 8, 8)                                                  \
    X(tkuiCheckbox, "tkui-checkbox", 16, 16, 0, 0, 0, 0)                                                               \
    X(tkuiCheckboxOn, "tkui-checkbox-on", 16, 16, 0, 0, 0, 0)                                                          \
    X(tkuiCheckboxDown, "tkui-checkbox-down", 16, 16, 0, 0, 0, 0)                                                      \
    X(tkuiCheckboxOnDown, "tkui-checkbox-on-down", 16, 16, 0, 0, 0, 0)                                                 \
    X(tkuiCheckboxMixed, "tkui-checkbox-mixed", 16, 16, 0, 0, 0, 0)                                                    \
    X(tkuiCheckboxMixedDown, "tkui-checkbox-mixed-down", 16, 16, 0, 0, 0, 0)                                           \
    X(tkuiCheckerboard, "tkui-checkerboard", 16, 16, 0, 0, 0, 0)                                                       \
    X(tkuiCheckerboardSmall, "tkui-checkerboard-small", 8, 8, 0, 0, 0, 0)                                              \
    X(tkuiCombobox, "tkui-combobox", 64, 26, 16, 8, 9, 22)                                                             \
    X(tkuiComboboxUp, "tkui-combobox-up", 64, 26, 16, 8, 9, 22)                                                        \
    X(tkuiCustomsliderHandle, "tkui-customslider-handle", 12, 16, 0, 0, 0, 0)                                          \
    X(tkuiCustomsliderHandleDown, "tkui-customslider-handle-down", 12, 16, 0, 0, 0, 0)                                 \
    X(tkuiCustomsliderOn, "tkui-customslider-on", 12, 4, 0, 2, 0, 2)                                                   \
    X(tkuiPopdown, "tkui-popdown", 64, 26, 16, 8, 9, 20)                                                               \
    X(tkuiPopdownDown, "tkui-popdown-down", 64, 26, 16, 8, 9, 20)                                                      \
    X(tkuiPopup, "tkui-popup", 64, 26, 12, 8, 13, 20)                                                                  \
    X(tkuiPopupDown, "tkui-popup-down", 64, 26, 12, 8, 13, 20)                                                         \
    X(tkuiPopupTool, "tkui-popup-tool", 36, 20, 14, 6, 5, 16)                                                          \
    X(tkuiPopupToolDown, "tkui-popup-tool-down", 36, 20, 14, 6, 5, 16)                                                 \
    X(tkuiSearchfield, "tkui-searchfield", 120, 24, 17, 24, 6, 10)                                                     \
    X(tkuiSearchfieldFocus, "tkui-searchfield-focus", 120, 24, 17, 24, 6, 10)                                          \
    X(tkuiSearchfieldSearch, "tkui-searchfield-search", 12, 12, 0, 0, 0, 0)                                            \
    X(tkuiSearchfieldCancel, "tkui-searchfield-cancel", 12, 12, 0, 0, 0, 0)                                            \
    X(tkuiSlider, "tkui-slider", 60, 4, 0, 2, 0, 2)                                                                    \
    X(tkuiSliderAlley, "tkui-slider-alley", 60, 4, 0, 2, 0, 2)                                                         \
    X(tkuiSliderHandle, "tkui-slider-handle", 16, 16, 0, 0, 0, 0)                                                      \
    X(tkuiSliderHandleDown, "tkui-slider-handle-down", 16, 16, 0, 0, 0, 0)                                             \
    X(tkuiSliderHandleMulti, "tkui-slider-handle-multi", 16, 16, 0, 0, 0, 0)                                           \
    X(tkuiTextfield, "tkui-textfield", 48, 24, 8, 8, 8, 8)                                                             \
    X(tkuiTextfieldError, "tkui-textfield-error", 48, 24, 8, 8, 8, 8)                                                  \
    X(tkuiTextfieldFocus, "tkui-textfield-focus", 48, 24, 8, 8, 8, 8)                                                  \
    X(tkuiTextfieldTableheader, "tkui-textfield-tableheader", 48, 24, 8, 8, 8, 8)                                      \
    X(tkuiWindowTab, "tkui-window-tab", 80, 28, 8, 8, 8, 8)                                                            \
    X(tkuiWindowTabDown, "tkui-window-tab-down", 80, 28, 8, 8, 8, 8)                                                   \
    X(tkuiWindowTabSelected, "tkui-window-tab-selected", 80, 28, 8, 8, 8, 8)                                           \
    X(cornerToolBackground, "corner-tool-background", 24, 24, 6, 6, 6, 6)                                              \
    X(cornerToolBackgroundDown, "corner-tool-background-down", 24, 24, 6, 6, 6, 6)                                     \
    X(cornerToolBackgroundSelected, "corner-tool-background-selected", 24, 24, 6, 6, 6, 6)                             \
    X(cornerToolMore, "corner-tool-more", 7, 7, 0, 0, 0, 0)                                                            \
    X(cursorTrackingslider, "cursor-trackingslider", 24, 24, 0, 0, 0, 0)                                               \
    X(organiserIconDisclose, "organiser-icon-disclose", 12, 12, 0, 0, 0, 0)                                            \
    X(organiserIconDiscloseOpen, "organiser-icon-disclose-open", 12, 12, 0, 0, 0, 0)                                   \
    X(organiserIconStar, "organiser-icon-star", 14, 14, 0, 0, 0, 0)                                                    \
    X(organiserIconStarEmpty, "organiser-icon-star-empty", 14, 14, 0, 0, 0, 0)                                         \
    X(organiserNavbarBack, "organiser-navbar-back", 28, 22, 0, 0, 0, 0)                                                \
    X(organiserNavbarBackDown, "organiser-navbar-back-down", 28, 22, 0, 0, 0, 0)                                       \
    X(propertiesTableAdd, "properties-table-add", 16, 16, 0, 0, 0, 0)                                                  \
    X(propertiesTableAddDown, "properties-table-add-down", 16, 16, 0, 0, 0, 0)                                         \
    X(propertiesTableheaderOverflow, "properties-tableheader-overflow", 16, 16, 0, 0, 0, 0)                            \
    X(propertiesTableheaderOverflowDown, "properties-tableheader-overflow-down", 16, 16, 0, 0, 0, 0)                   \
    X(windowVartlow, "window-vartlow", 64, 64, 0, 0, 0, 0)
