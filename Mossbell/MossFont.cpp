#include "Mossbell/MossFont.h"

#include "Mossbell/resource_bundle_accessor.h"

#include "platform/foundation/FatalError.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <iterator>

namespace mossbell {

namespace {

struct FontRow {
    MossFont font;
    const char* name;
    const char* file; ///< in the bundle's Fonts/ folder
    QFont::Weight weight;
};

// The build copies these files into the bundle (Mossbell/CMakeLists.txt): Dosis from Debian's
// fonts-dosis, and for "Zindle" the display face Bebas Neue from fonts-bebas-neue (both SIL
// Open Font License).
constexpr FontRow fontRows[] = {
    {MossFont::zindle, "Zindle", "BebasNeue-Regular.otf", QFont::Normal},
    {MossFont::dosisLight, "Dosis-Light", "Dosis-Light.otf", QFont::Light},
    {MossFont::dosisMedium, "Dosis-Medium", "Dosis-Medium.otf", QFont::Medium},
};
static_assert(std::size(fontRows) == allMossFonts.size());
static_assert([] {
    for (std::size_t i = 0; i < allMossFonts.size(); ++i)
        if (fontRows[i].font != allMossFonts[i])
            return false;
    return true;
}(), "font rows are in case order");

const FontRow& row(MossFont font)
{
    return fontRows[int(font)];
}

const FontRegistration& registration()
{
    static const FontRegistration registered = [] {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            foundation::fatalError("the fonts need a QGuiApplication", __FILE__, __LINE__);
        return registerFontFiles(moduleBundle().bundlePath() / "Fonts");
    }();
    return registered;
}

} // namespace

// Registers each file and maps our font name to the family the file declares: a font's
// family comes from inside its file ("Bebas Neue", "Dosis"), so "Zindle" and the PostScript
// style names "Dosis-Light" and "Dosis-Medium" would otherwise match nothing and fall back to
// a system face. A font substitution tells Qt's font matching to read our name as that
// family; the row's weight then picks the face within it (Light or Medium of "Dosis").
FontRegistration registerFontFiles(const std::filesystem::path& fontsFolder)
{
    FontRegistration registered;
    for (const FontRow& r : fontRows) {
        const QString path = QString::fromStdString((fontsFolder / r.file).string());
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList fileFamilies = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        QString family = fileFamilies.value(0);
        if (family.isEmpty()) {
            family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
            registered.faults << path + QStringLiteral(" cannot be registered as a font");
            std::cerr << "warning: unable to register font " << path.toStdString() << "; \"" << r.name
                      << "\" is drawn in the default face \"" << family.toStdString() << "\" instead\n";
        }
        const QString name = QString::fromLatin1(r.name);
        if (family != name)
            QFont::insertSubstitution(name, family);
        registered.families.emplace(r.font, family);
    }
    return registered;
}

QString fontName(MossFont font)
{
    return QString::fromLatin1(row(font).name);
}

void registerFonts()
{
    registration();
}

QStringList fontFaults()
{
    return registration().faults;
}

QString registeredFamily(MossFont font)
{
    return registration().families.at(font);
}

QFont mossFont(MossFont font, qreal size)
{
    registerFonts();
    QFont result(fontName(font));
    result.setPixelSize(std::max(1, int(std::lround(size))));
    result.setWeight(row(font).weight);
    return result;
}

void applyMossFont(QWidget& view, MossFont font, qreal size)
{
    view.setFont(mossFont(font, size));
}

} // namespace mossbell
