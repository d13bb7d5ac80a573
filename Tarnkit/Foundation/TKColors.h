#pragma once

#include "Tarnkit/Foundation/StyleValues.h"
#include "Tarnkit/Foundation/TKCatalogueMembers.h"

/// The library's colour catalogue, SwiftUI-form colours (for the library's painted views): each member is made on
/// its first read from its colour asset and is the same object on every later read. Any
/// thread (each member has its own one-time guard).
namespace tarnkit::TKColors {

// Background::normal(), darker(), darkest(); Ostrel::aqua() ... yellow(); grey20() ... grey100():
// the rows of TARNKIT_TK_COLORS.
TARNKIT_TK_COLORS(TARNKIT_TK_DECLARE_COLOR)

} // namespace tarnkit::TKColors
