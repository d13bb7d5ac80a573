#pragma once

#include "Tarnkit/StyleValues.h"

/// The library's image catalogue in AppKit form (for the controls and cells): each
/// member is made on its first read from its image asset and is the same object on every
/// later read. Any thread (each member has its own one-time guard).
namespace tarnkit::TKImagesAK {

const ImageRef& tkuiButton();            ///< "tkui-button"
const ImageRef& tkuiButtonDown();        ///< "tkui-button-down"
const ImageRef& vartlowLogoBig();        ///< "window-vartlow"
const ImageRef& tkuiCheckerboard();      ///< "tkui-checkerboard"
const ImageRef& tkuiCheckerboardSmall(); ///< "tkui-checkerboard-small"
const ImageRef& tkuiTextfield();         ///< "tkui-textfield"
const ImageRef& tkuiTextfieldError();    ///< "tkui-textfield-error"
const ImageRef& tkuiTextfieldFocus();    ///< "tkui-textfield-focus"
const ImageRef& tkuiCheckbox();          ///< "tkui-checkbox"
const ImageRef& tkuiCheckboxOn();        ///< "tkui-checkbox-on"
const ImageRef& tkuiCheckboxDown();      ///< "tkui-checkbox-down"
const ImageRef& tkuiCheckboxOnDown();    ///< "tkui-checkbox-on-down"
const ImageRef& cursorTrackingslider();  ///< "cursor-trackingslider": the tracking slider's cursor

} // namespace tarnkit::TKImagesAK
