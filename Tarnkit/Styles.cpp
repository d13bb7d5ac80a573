#include "Tarnkit/Styles.h"

#include "Tarnkit/AssetResources.h"

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

const ColorRef& textColor()
{
    static const ColorRef color = ColorResource::grey85().makeColor();
    return color;
}

const ColorRef& background()
{
    return clearColor();
}

const ColorRef& disabledTextColor()
{
    static const ColorRef color = ColorResource::grey40().makeColor();
    return color;
}

const ColorRef& disabledBackground()
{
    return clearColor();
}

const ColorRef& errorTextColor()
{
    static const ColorRef color = ColorResource::grey100().makeColor();
    return color;
}

const ColorRef& errorBackground()
{
    static const ColorRef color = ColorResource::error().makeColor();
    return color;
}

const ColorRef& highlightedTextColor()
{
    static const ColorRef color = ColorResource::grey50().makeColor();
    return color;
}

const ColorRef& highlightedBackground()
{
    return clearColor();
}

const ColorRef& placeholderTextColor()
{
    static const ColorRef color = ColorResource::grey20().makeColor();
    return color;
}

const ColorRef& placeholderBackground()
{
    return clearColor();
}

const ColorRef& selectedTextColor()
{
    static const ColorRef color = ColorResource::grey100().makeColor();
    return color;
}

const ColorRef& errorFocusRingColor()
{
    static const ColorRef color = ColorResource::error().makeColor();
    return color;
}

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

const ColorRef& background()
{
    static const ColorRef color = ColorResource::backgroundDarker().makeColor();
    return color;
}

} // namespace ScrollView

namespace OutlineHeader {

const FontRef& font()
{
    return BaseStyles::headerFont();
}

const ColorRef& textColor()
{
    static const ColorRef color = ColorResource::grey50().makeColor();
    return color;
}

} // namespace OutlineHeader

namespace OutlineRow {

const FontRef& font()
{
    return BaseStyles::normalMonoFont();
}

const ColorRef& textColor()
{
    static const ColorRef color = ColorResource::grey85().makeColor();
    return color;
}

const ColorRef& background()
{
    static const ColorRef color = ColorResource::backgroundDarker().makeColor();
    return color;
}

const FontRef& selectedFont()
{
    return BaseStyles::mediumFont();
}

const ColorRef& selectedTextColor()
{
    static const ColorRef color = ColorResource::grey100().makeColor();
    return color;
}

ColorRef selectedBackground()
{
    return ColorResource::highlightSystem().makeColor();
}

} // namespace OutlineRow

namespace TableView {

const ColorRef& background()
{
    static const ColorRef color = ColorResource::backgroundDarker().makeColor();
    return color;
}

} // namespace TableView

namespace TableHeader {

const FontRef& font()
{
    return BaseStyles::headerFont();
}

const ColorRef& textColor()
{
    static const ColorRef color = ColorResource::grey50().makeColor();
    return color;
}

const ColorRef& background()
{
    static const ColorRef color = ColorResource::backgroundDarkest().makeColor();
    return color;
}

} // namespace TableHeader

namespace TableRow {

const FontRef& font()
{
    return BaseStyles::normalMonoFont();
}

const ColorRef& textColor()
{
    static const ColorRef color = ColorResource::grey70().makeColor();
    return color;
}

const FontRef& selectedFont()
{
    return BaseStyles::mediumFont();
}

const ColorRef& selectedTextColor()
{
    static const ColorRef color = ColorResource::grey100().makeColor();
    return color;
}

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

const ColorRef& textColor()
{
    static const ColorRef color = ColorResource::grey50().makeColor();
    return color;
}

const FontRef& selectedFont()
{
    return BaseStyles::mediumFont();
}

const ColorRef& selectedTextColor()
{
    static const ColorRef color = ColorResource::grey100().makeColor();
    return color;
}

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

const ColorRef& nsTextColor()
{
    static const ColorRef color = ColorResource::grey60().makeColor();
    return color;
}

const ColorRef& textColor()
{
    static const ColorRef color = ColorResource::grey60().makeColor();
    return color;
}

const ColorRef& disabledTextColor()
{
    static const ColorRef color = ColorResource::grey30().makeColor();
    return color;
}

} // namespace Label

namespace TextInput {

const FontRef& font()
{
    return BaseStyles::normalFont();
}

const ColorRef& textColor()
{
    static const ColorRef color = ColorResource::grey85().makeColor();
    return color;
}

const ColorRef& background()
{
    return clearColor();
}

const ColorRef& disabledTextColor()
{
    static const ColorRef color = ColorResource::grey40().makeColor();
    return color;
}

const ColorRef& disabledBackground()
{
    return clearColor();
}

const ColorRef& errorTextColor()
{
    static const ColorRef color = ColorResource::error().makeColor();
    return color;
}

const ColorRef& errorBackground()
{
    static const ColorRef color = ColorResource::error().makeColor();
    return color;
}

const ColorRef& highlightedTextColor()
{
    static const ColorRef color = ColorResource::grey100().makeColor();
    return color;
}

const ColorRef& highlightedBackground()
{
    return clearColor();
}

const ColorRef& placeholderTextColor()
{
    static const ColorRef color = ColorResource::grey50().makeColor();
    return color;
}

const ColorRef& placeholderHighlightedTextColor()
{
    static const ColorRef color = ColorResource::ostrelBlue().makeColor();
    return color;
}

const ColorRef& placeholderBackground()
{
    return clearColor();
}

const ColorRef& selectedTextColor()
{
    static const ColorRef color = ColorResource::grey100().makeColor();
    return color;
}

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

const ColorRef& textColor()
{
    static const ColorRef color = ColorResource::grey70().makeColor();
    return color;
}

const ColorRef& selectedTextColor()
{
    static const ColorRef color = ColorResource::grey85().makeColor();
    return color;
}

const ColorRef& highlightedTextColor()
{
    static const ColorRef color = ColorResource::grey50().makeColor();
    return color;
}

} // namespace PropertiesTab

namespace CanvasInfo {

const FontRef& font()
{
    return BaseStyles::normalFont();
}

const ColorRef& textColor()
{
    static const ColorRef color = ColorResource::grey85().makeColor();
    return color;
}

const ColorRef& background()
{
    static const ColorRef color = ColorResource::backgroundNormal().makeColor();
    return color;
}

} // namespace CanvasInfo

namespace Window {

const ColorRef& background()
{
    static const ColorRef color = ColorResource::backgroundNormal().makeColor();
    return color;
}

} // namespace Window

} // namespace tarnkit::Styles
