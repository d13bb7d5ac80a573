#include "Mossbell/MossFont.h"
#include "Mossbell/resource_bundle_accessor.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace {

using namespace mossbell;

TEST(MossFont, CasesMapToTheirFontNames)
{
    const struct {
        MossFont font;
        const char* name;
    } cases[] = {
        {MossFont::zindle, "Zindle"},
        {MossFont::dosisLight, "Dosis-Light"},
        {MossFont::dosisMedium, "Dosis-Medium"},
    };
    ASSERT_EQ(std::size(cases), allMossFonts.size());
    for (const auto& c : cases)
        EXPECT_EQ(fontName(c.font), c.name);
}

TEST(MossFont, EveryCaseResolvesToTheFaceItsBundleFileHolds)
{
    const auto fonts = moduleBundle().bundlePath() / "Fonts";
    const struct {
        MossFont font;
        const char* file;
        const char* style;
    } cases[] = {
        {MossFont::zindle, "BebasNeue-Regular.otf", "Regular"},
        {MossFont::dosisLight, "Dosis-Light.otf", "Light"},
        {MossFont::dosisMedium, "Dosis-Medium.otf", "Medium"},
    };
    for (const auto& c : cases) {
        // The family as the file itself declares it, read straight from the file.
        const QRawFont raw(QString::fromStdString((fonts / c.file).string()), 13);
        ASSERT_TRUE(raw.isValid()) << c.file;
        EXPECT_EQ(registeredFamily(c.font), raw.familyName()) << c.file;

        const QFont font = mossFont(c.font, 13);
        const QFontInfo info(font);
        EXPECT_EQ(info.family(), raw.familyName()) << qPrintable(fontName(c.font)) << " fell back to a system face";
        EXPECT_EQ(info.styleName(), c.style) << qPrintable(fontName(c.font));
        EXPECT_EQ(info.pixelSize(), 13) << qPrintable(fontName(c.font));
    }
}

TEST(MossFont, OurNameAloneReachesTheFace)
{
    // Any QFont asking for the framework's names, not only mossFont's, gets the bundled face.
    registerFonts();
    EXPECT_EQ(QFontInfo(QFont("Zindle")).family(), registeredFamily(MossFont::zindle));
    EXPECT_NE(registeredFamily(MossFont::zindle), "Zindle") << "the file's own family name differs";
    EXPECT_TRUE(QFontDatabase::families().contains(registeredFamily(MossFont::dosisLight)));
}

TEST(MossFont, SizesArePointsOfTheDesignRoundedToWholePixels)
{
    const struct {
        qreal size;
        int pixels;
    } cases[] = {{16, 16}, {13, 13}, {12.5, 13}, {9.4, 9}, {0.2, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(zindleFont(c.size).pixelSize(), c.pixels) << c.size;
    EXPECT_EQ(zindleFont(13), mossFont(MossFont::zindle, 13));
}

// A damaged Fonts folder must not end the host that opens the view: a font that does not
// register (here one of no font data, one missing) is drawn in the default face, with a
// warning naming its file, and the others register as ever.
TEST(MossFont, AFontThatDoesNotRegisterFallsBackToTheDefaultFaceWithAWarning)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const auto bundled = moduleBundle().bundlePath() / "Fonts";
    std::filesystem::copy_file(bundled / "BebasNeue-Regular.otf", folder / "BebasNeue-Regular.otf");
    std::ofstream(folder / "Dosis-Light.otf") << "no font in here";
    const auto path = [&](const char* file) { return QString::fromStdString((folder / file).string()); };

    ::testing::internal::CaptureStderr();
    const FontRegistration registration = registerFontFiles(folder);
    const std::string warnings = ::testing::internal::GetCapturedStderr();

    const QString fallback = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    EXPECT_EQ(registration.families.at(MossFont::zindle), QRawFont(path("BebasNeue-Regular.otf"), 13).familyName());
    EXPECT_EQ(registration.families.at(MossFont::dosisLight), fallback);
    EXPECT_EQ(registration.families.at(MossFont::dosisMedium), fallback);
    EXPECT_EQ(registration.faults, QStringList({path("Dosis-Light.otf") + " cannot be registered as a font",
                                                path("Dosis-Medium.otf") + " cannot be registered as a font"}));
    for (const char* file : {"Dosis-Light.otf", "Dosis-Medium.otf"})
        EXPECT_NE(warnings.find("warning: unable to register font " + path(file).toStdString() + "; \""), std::string::npos)
            << warnings;
    EXPECT_TRUE(QFont::substitutes("Dosis-Light").contains(fallback, Qt::CaseInsensitive)) << "our name reaches the default face";
}

} // namespace
