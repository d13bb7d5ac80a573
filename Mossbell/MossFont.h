#pragma once

#include <QFont>
#include <QString>

#include <array>

class QWidget;

namespace mossbell {

/// The framework's fonts, carried in its resource bundle's Fonts/ folder.
enum class MossFont {
    zindle,      ///< "Zindle": the display face of titles, tabs, buttons and values
    dosisLight,  ///< "Dosis-Light"
    dosisMedium, ///< "Dosis-Medium"
};

inline constexpr std::array allMossFonts = {MossFont::zindle, MossFont::dosisLight, MossFont::dosisMedium};

/// The font name of a case: "Zindle", "Dosis-Light" or "Dosis-Medium".
QString fontName(MossFont font);

/// Registers the bundle's fonts with the application's font database, once; later calls do
/// nothing. A font file the bundle lacks stops the process. Main thread, with a
/// QGuiApplication.
void registerFonts();

/// The family the font database resolves a case to: the family name inside its font file
/// (the name "Zindle" is ours, not the file's). Registers the fonts first. Main thread.
QString registeredFamily(MossFont font);

/// The font of a case at size points of the view design, which the view layer draws as
/// logical pixels: the font gets that pixel size (rounded to a whole pixel), so text keeps its
/// proportion to the artwork whatever the screen's resolution. Registers the fonts first.
/// Main thread.
QFont mossFont(MossFont font, qreal size);

/// Gives a widget (a text field, a wrapped control) the font of a case at size points, so the
/// text it draws itself matches what the views paint with mossFont. Main thread.
void applyMossFont(QWidget& view, MossFont font, qreal size);

/// mossFont with the case zindle.
inline QFont zindleFont(qreal size)
{
    return mossFont(MossFont::zindle, size);
}

} // namespace mossbell
