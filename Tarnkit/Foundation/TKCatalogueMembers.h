#pragma once

// The members of the library's colour and image catalogues, one row (member, asset) each. The
// painted-view form (TKColors, TKImages) and the control form (TKColorsAK, TKImagesAK) are made
// from these same rows, each form holding its own object per member.

// Colour asset names: "Background/Normal", "Background/Darker", "Background/Darkest".
#define TARNKIT_TK_BACKGROUND_COLORS(X)                                                                                \
    X(normal, backgroundNormal)                                                                                        \
    X(darker, backgroundDarker)                                                                                        \
    X(darkest, backgroundDarkest)

// "Ostrel/Aqua", "Ostrel/Blue", "Ostrel/DarkPurple", "Ostrel/LightBlue", "Ostrel/Orange",
// "Ostrel/Purple", "Ostrel/Red", "Ostrel/Yellow".
#define TARNKIT_TK_OSTREL_COLORS(X)                                                                                    \
    X(aqua, ostrelAqua)                                                                                                \
    X(blue, ostrelBlue)                                                                                                \
    X(darkPurple, ostrelDarkPurple)                                                                                    \
    X(lightBlue, ostrelLightBlue)                                                                                      \
    X(orange, ostrelOrange)                                                                                            \
    X(purple, ostrelPurple)                                                                                            \
    X(red, ostrelRed)                                                                                                  \
    X(yellow, ostrelYellow)

// "Grey 20%" ... "Grey 100%".
#define TARNKIT_TK_GREY_COLORS(X)                                                                                      \
    X(grey20, grey20)                                                                                                  \
    X(grey30, grey30)                                                                                                  \
    X(grey40, grey40)                                                                                                  \
    X(grey50, grey50)                                                                                                  \
    X(grey60, grey60)                                                                                                  \
    X(grey70, grey70)                                                                                                  \
    X(grey85, grey85)                                                                                                  \
    X(grey100, grey100)

// Every colour member, in its namespace.
#define TARNKIT_TK_COLORS(X)                                                                                           \
    namespace Background {                                                                                             \
    TARNKIT_TK_BACKGROUND_COLORS(X)                                                                                    \
    }                                                                                                                  \
    namespace Ostrel {                                                                                                 \
    TARNKIT_TK_OSTREL_COLORS(X)                                                                                        \
    }                                                                                                                  \
    TARNKIT_TK_GREY_COLORS(X)

// Image asset names: "tkui-button", "tkui-button-down", "window-vartlow", "tkui-checkerboard",
// "tkui-checkerboard-small", "tkui-textfield", "tkui-textfield-error", "tkui-textfield-focus",
// "tkui-checkbox", "tkui-checkbox-on", "tkui-checkbox-down", "tkui-checkbox-on-down".
#define TARNKIT_TK_IMAGES(X)                                                                                           \
    X(tkuiButton, tkuiButton)                                                                                          \
    X(tkuiButtonDown, tkuiButtonDown)                                                                                  \
    X(vartlowLogoBig, windowVartlow)                                                                                   \
    X(tkuiCheckerboard, tkuiCheckerboard)                                                                              \
    X(tkuiCheckerboardSmall, tkuiCheckerboardSmall)                                                                    \
    X(tkuiTextfield, tkuiTextfield)                                                                                    \
    X(tkuiTextfieldError, tkuiTextfieldError)                                                                          \
    X(tkuiTextfieldFocus, tkuiTextfieldFocus)                                                                          \
    X(tkuiCheckbox, tkuiCheckbox)                                                                                      \
    X(tkuiCheckboxOn, tkuiCheckboxOn)                                                                                  \
    X(tkuiCheckboxDown, tkuiCheckboxDown)                                                                              \
    X(tkuiCheckboxOnDown, tkuiCheckboxOnDown)

#define TARNKIT_TK_DECLARE_COLOR(member, asset) const ColorRef& member();
#define TARNKIT_TK_DECLARE_IMAGE(member, asset) const ImageRef& member();
