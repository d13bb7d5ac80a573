#pragma once

#include "Tarnkit/Foundation/StyleValues.h"

#include <QSizeF>

/// The library's shared appearance constants, one namespace per area of the interface. Stored
/// members are made once, on their first read, by a one-time guard (any thread may read first)
/// and are the same object on every read; an alias is the very same object as the member it
/// names; computed colours are a new object on every read. Nothing writes them.
namespace tarnkit::Styles {

namespace WelcomeHeadings {
inline constexpr double topPadding = 32.0;
inline constexpr double bottomPadding = 12.0;
} // namespace WelcomeHeadings

namespace CustomTags {
} // namespace CustomTags

namespace Layout {
inline constexpr double rowHeight = 24.0;
inline constexpr double headerHeight = 24.0;
inline constexpr QSizeF materialPresetsSize{76.0, 83.0};
} // namespace Layout

namespace BaseStyles {
const FontRef& normalFont(); ///< system font 10 pt, regular weight
const FontRef& normalMonoFont(); ///< monospaced-digit system font 10 pt, regular weight
const FontRef& mediumFont(); ///< system font 10 pt, medium weight
const FontRef& headerFont(); ///< system font 12 pt, medium weight
const FontRef& menuFont(); ///< system font 12 pt, no weight asked for
const FontRef& titleFont(); ///< system font 14 pt, medium weight
const FontRef& largeTitleFont(); ///< system font 20 pt, medium weight
inline constexpr double smallCorner = 3.0;
} // namespace BaseStyles

namespace Control {
const FontRef& font(); ///< alias of BaseStyles::normalFont()
const ColorRef& textColor(); ///< "Grey 85%"
const ColorRef& background(); ///< clear
const ColorRef& disabledTextColor(); ///< "Grey 40%"
const ColorRef& disabledBackground(); ///< clear
const ColorRef& errorTextColor(); ///< "Grey 100%"
const ColorRef& errorBackground(); ///< "Error"
const ColorRef& highlightedTextColor(); ///< "Grey 50%"
const ColorRef& highlightedBackground(); ///< clear
const ColorRef& placeholderTextColor(); ///< "Grey 20%"
const ColorRef& placeholderBackground(); ///< clear
const ColorRef& selectedTextColor(); ///< "Grey 100%"
const ColorRef& errorFocusRingColor(); ///< "Error"
ColorRef selectedBackground(); ///< "Highlight/System", a new object on every read
ColorRef focusRingColor(); ///< "Highlight/System", a new object on every read
} // namespace Control

namespace ScrollView {
const ColorRef& background(); ///< "Background/Darker"
} // namespace ScrollView

namespace OutlineHeader {
const FontRef& font(); ///< alias of BaseStyles::headerFont()
const ColorRef& textColor(); ///< "Grey 50%"
} // namespace OutlineHeader

namespace OutlineRow {
const FontRef& font(); ///< alias of BaseStyles::normalMonoFont()
const ColorRef& textColor(); ///< "Grey 85%"
const ColorRef& background(); ///< "Background/Darker"
const FontRef& selectedFont(); ///< alias of BaseStyles::mediumFont()
const ColorRef& selectedTextColor(); ///< "Grey 100%"
ColorRef selectedBackground(); ///< "Highlight/System", a new object on every read
} // namespace OutlineRow

namespace TableView {
const ColorRef& background(); ///< "Background/Darker"
} // namespace TableView

namespace TableHeader {
const FontRef& font(); ///< alias of BaseStyles::headerFont()
const ColorRef& textColor(); ///< "Grey 50%"
const ColorRef& background(); ///< "Background/Darkest"
} // namespace TableHeader

namespace TableRow {
const FontRef& font(); ///< alias of BaseStyles::normalMonoFont()
const ColorRef& textColor(); ///< "Grey 70%"
const FontRef& selectedFont(); ///< alias of BaseStyles::mediumFont()
const ColorRef& selectedTextColor(); ///< "Grey 100%"
ColorRef selectedBackground(); ///< "Highlight/System", a new object on every read
} // namespace TableRow

namespace TableGroupRow {
const FontRef& font(); ///< alias of BaseStyles::normalFont()
const ColorRef& textColor(); ///< "Grey 50%"
const FontRef& selectedFont(); ///< alias of BaseStyles::mediumFont()
const ColorRef& selectedTextColor(); ///< "Grey 100%"
ColorRef selectedBackground(); ///< "Highlight/System", a new object on every read
} // namespace TableGroupRow

namespace Label {
const FontRef& font(); ///< alias of BaseStyles::normalFont()
const ColorRef& nsTextColor(); ///< "Grey 60%"
const ColorRef& textColor(); ///< "Grey 60%" in SwiftUI form: its own object, not the AppKit twin
const ColorRef& disabledTextColor(); ///< "Grey 30%"
} // namespace Label

namespace TextInput {
const FontRef& font(); ///< alias of BaseStyles::normalFont()
const ColorRef& textColor(); ///< "Grey 85%"
const ColorRef& background(); ///< clear
const ColorRef& disabledTextColor(); ///< "Grey 40%"
const ColorRef& disabledBackground(); ///< clear
const ColorRef& errorTextColor(); ///< "Error"
const ColorRef& errorBackground(); ///< "Error"
const ColorRef& highlightedTextColor(); ///< "Grey 100%"
const ColorRef& highlightedBackground(); ///< clear
const ColorRef& placeholderTextColor(); ///< "Grey 50%"
const ColorRef& placeholderHighlightedTextColor(); ///< "Ostrel/Blue"
const ColorRef& placeholderBackground(); ///< clear
const ColorRef& selectedTextColor(); ///< "Grey 100%"
ColorRef selectedBackground(); ///< "Highlight/System", a new object on every read
} // namespace TextInput

namespace PropertiesTab {
const FontRef& font(); ///< alias of BaseStyles::headerFont()
const ColorRef& textColor(); ///< "Grey 70%"
const ColorRef& selectedTextColor(); ///< "Grey 85%"
const ColorRef& highlightedTextColor(); ///< "Grey 50%"
} // namespace PropertiesTab

namespace CanvasInfo {
const FontRef& font(); ///< alias of BaseStyles::normalFont()
const ColorRef& textColor(); ///< "Grey 85%"
const ColorRef& background(); ///< "Background/Normal"
} // namespace CanvasInfo

namespace Window {
const ColorRef& background(); ///< "Background/Normal"
} // namespace Window

} // namespace tarnkit::Styles
