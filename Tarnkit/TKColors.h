#pragma once

#include "Tarnkit/StyleValues.h"

/// The library's colour catalogue, SwiftUI-form colours (for the library's painted views): each member is made on
/// its first read from its colour asset and is the same object on every later read. Any
/// thread (each member has its own one-time guard).
namespace tarnkit::TKColors {

namespace Background {
const ColorRef& normal();  ///< "Background/Normal"
const ColorRef& darker();  ///< "Background/Darker"
const ColorRef& darkest(); ///< "Background/Darkest"
} // namespace Background

namespace Ostrel {
const ColorRef& aqua();       ///< "Ostrel/Aqua"
const ColorRef& blue();       ///< "Ostrel/Blue"
const ColorRef& darkPurple(); ///< "Ostrel/DarkPurple"
const ColorRef& lightBlue();  ///< "Ostrel/LightBlue"
const ColorRef& orange();     ///< "Ostrel/Orange"
const ColorRef& purple();     ///< "Ostrel/Purple"
const ColorRef& red();        ///< "Ostrel/Red"
const ColorRef& yellow();     ///< "Ostrel/Yellow"
} // namespace Ostrel

const ColorRef& grey20();  ///< "Grey 20%"
const ColorRef& grey30();  ///< "Grey 30%"
const ColorRef& grey40();  ///< "Grey 40%"
const ColorRef& grey50();  ///< "Grey 50%"
const ColorRef& grey60();  ///< "Grey 60%"
const ColorRef& grey70();  ///< "Grey 70%"
const ColorRef& grey85();  ///< "Grey 85%"
const ColorRef& grey100(); ///< "Grey 100%"

} // namespace tarnkit::TKColors
