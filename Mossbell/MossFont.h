#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <array>
#include <filesystem>
#include <map>

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
/// nothing. A font file that is missing or does not register leaves its case in the
/// application's default face, with a warning on standard error: a damaged installation must
/// not end the host. Main thread, with a QGuiApplication.
void registerFonts();

/// One line per font file that did not register, naming it; empty when all did. Registers
/// the fonts first. Main thread, with a QGuiApplication.
QStringList fontFaults();

/// How the fonts of a Fonts folder registered: the family of each case (the default face's
/// where its file did not register) and a fault per file that did not, each also written to
/// standard error as a warning. What registerFonts does once with the bundle's folder.
/// Main thread, with a QGuiApplication.
struct FontRegistration {
    std::map<MossFont, QString> families;
    QStringList faults;
};
FontRegistration registerFontFiles(const std::filesystem::path& fontsFolder);

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
