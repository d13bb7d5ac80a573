#include "Tarnkit/Foundation/Styles.h"

#include "Tarnkit/Foundation/AssetResources.h"

namespace tarnkit::Styles {

namespace {

enum class FontDigits { proportional, monospaced };

// The system font at a size in points (logical pixels).
QFont systemFont(int points)
{
    QFont font;
    font.setPixelSize(points);
    return font;
}

FontRef makeFont(int points, QFont::Weight weight, FontDigits digits)
{
    QFont font = systemFont(points);
    font.setWeight(weight);
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    if (digits == FontDigits::monospaced)
        font.setFeature(QFont::Tag("tnum"), 1);
#else
    Q_UNUSED(digits) // the system faces here already set their digits on one width
#endif
    return std::make_shared<const QFont>(font);
}

} // namespace

namespace BaseStyles {

const FontRef& normalFont()
{
    static const FontRef font = makeFont(10, QFont::Normal, FontDigits::proportional);
    return font;
}

const FontRef& normalMonoFont()
{
    static const FontRef font = makeFont(10, QFont::Normal, FontDigits::monospaced);
    return font;
}

const FontRef& mediumFont()
{
    static const FontRef font = makeFont(10, QFont::Medium, FontDigits::proportional);
    return font;
}

const FontRef& headerFont()
{
    static const FontRef font = makeFont(12, QFont::Medium, FontDigits::proportional);
    return font;
}

const FontRef& menuFont()
{
    static const FontRef font = std::make_shared<const QFont>(systemFont(12));
    return font;
}

const FontRef& titleFont()
{
    static const FontRef font = makeFont(14, QFont::Medium, FontDigits::proportional);
    return font;
}

const FontRef& largeTitleFont()
{
    static const FontRef font = makeFont(20, QFont::Medium, FontDigits::proportional);
    return font;
}

} // namespace BaseStyles

namespace Control {

const FontRef& font()
{
    return BaseStyles::normalFont();
}

TARNKIT_COLOR_MEMBER(textColor, grey85)

const ColorRef& background()
{
    return clearColor();
}

TARNKIT_COLOR_MEMBER(disabledTextColor, grey40)

const ColorRef& disabledBackground()
{
    return clearColor();
}

TARNKIT_COLOR_MEMBER(errorTextColor, grey100)
TARNKIT_COLOR_MEMBER(errorBackground, error)
TARNKIT_COLOR_MEMBER(highlightedTextColor, grey50)

const ColorRef& highlightedBackground()
{
    return clearColor();
}

TARNKIT_COLOR_MEMBER(placeholderTextColor, grey20)

const ColorRef& placeholderBackground()
{
    return clearColor();
}

TARNKIT_COLOR_MEMBER(selectedTextColor, grey100)
TARNKIT_COLOR_MEMBER(errorFocusRingColor, error)

ColorRef selectedBackground()
{
    return ColorResource::highlightSystem().makeColor();
}

ColorRef focusRingColor()
{
    return ColorResource::highlightSystem().makeColor();
}

} // namespace Control

namespace ScrollView {

TARNKIT_COLOR_MEMBER(background, backgroundDarker)

} // namespace ScrollView

namespace OutlineHeader {

const FontRef& font()
{
    return BaseStyles::headerFont();
}

TARNKIT_COLOR_MEMBER(textColor, grey50)

} // namespace OutlineHeader

namespace OutlineRow {

const FontRef& font()
{
    return BaseStyles::normalMonoFont();
}

TARNKIT_COLOR_MEMBER(textColor, grey85)
TARNKIT_COLOR_MEMBER(background, backgroundDarker)

const FontRef& selectedFont()
{
    return BaseStyles::mediumFont();
}

TARNKIT_COLOR_MEMBER(selectedTextColor, grey100)

ColorRef selectedBackground()
{
    return ColorResource::highlightSystem().makeColor();
}

} // namespace OutlineRow

namespace TableView {

TARNKIT_COLOR_MEMBER(background, backgroundDarker)

} // namespace TableView

namespace TableHeader {

const FontRef& font()
{
    return BaseStyles::headerFont();
}

TARNKIT_COLOR_MEMBER(textColor, grey50)
TARNKIT_COLOR_MEMBER(background, backgroundDarkest)

} // namespace TableHeader

namespace TableRow {

const FontRef& font()
{
    return BaseStyles::normalMonoFont();
}

TARNKIT_COLOR_MEMBER(textColor, grey70)

const FontRef& selectedFont()
{
    return BaseStyles::mediumFont();
}

TARNKIT_COLOR_MEMBER(selectedTextColor, grey100)

ColorRef selectedBackground()
{
    return ColorResource::highlightSystem().makeColor();
}

} // namespace TableRow

namespace TableGroupRow {

const FontRef& font()
{
    return BaseStyles::normalFont();
}

TARNKIT_COLOR_MEMBER(textColor, grey50)

const FontRef& selectedFont()
{
    return BaseStyles::mediumFont();
}

TARNKIT_COLOR_MEMBER(selectedTextColor, grey100)

ColorRef selectedBackground()
{
    return ColorResource::highlightSystem().makeColor();
}

} // namespace TableGroupRow

namespace Label {

const FontRef& font()
{
    return BaseStyles::normalFont();
}

TARNKIT_COLOR_MEMBER(nsTextColor, grey60)
TARNKIT_COLOR_MEMBER(textColor, grey60)
TARNKIT_COLOR_MEMBER(disabledTextColor, grey30)

} // namespace Label

namespace TextInput {

const FontRef& font()
{
    return BaseStyles::normalFont();
}

TARNKIT_COLOR_MEMBER(textColor, grey85)

const ColorRef& background()
{
    return clearColor();
}

TARNKIT_COLOR_MEMBER(disabledTextColor, grey40)

const ColorRef& disabledBackground()
{
    return clearColor();
}

TARNKIT_COLOR_MEMBER(errorTextColor, error)
TARNKIT_COLOR_MEMBER(errorBackground, error)
TARNKIT_COLOR_MEMBER(highlightedTextColor, grey100)

const ColorRef& highlightedBackground()
{
    return clearColor();
}

TARNKIT_COLOR_MEMBER(placeholderTextColor, grey50)
TARNKIT_COLOR_MEMBER(placeholderHighlightedTextColor, ostrelBlue)

const ColorRef& placeholderBackground()
{
    return clearColor();
}

TARNKIT_COLOR_MEMBER(selectedTextColor, grey100)

ColorRef selectedBackground()
{
    return ColorResource::highlightSystem().makeColor();
}

} // namespace TextInput

namespace PropertiesTab {

const FontRef& font()
{
    return BaseStyles::headerFont();
}

TARNKIT_COLOR_MEMBER(textColor, grey70)
TARNKIT_COLOR_MEMBER(selectedTextColor, grey85)
TARNKIT_COLOR_MEMBER(highlightedTextColor, grey50)

} // namespace PropertiesTab

namespace CanvasInfo {

const FontRef& font()
{
    return BaseStyles::normalFont();
}

TARNKIT_COLOR_MEMBER(textColor, grey85)
TARNKIT_COLOR_MEMBER(background, backgroundNormal)

} // namespace CanvasInfo

namespace Window {

TARNKIT_COLOR_MEMBER(background, backgroundNormal)

} // namespace Window

} // namespace tarnkit::Styles
