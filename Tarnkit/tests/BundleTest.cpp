#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/resource_bundle_accessor.h"

#include "platform/assets/AssetCatalog.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using namespace tarnkit;

const QString bundleName = QStringLiteral("Tarnkit_Tarnkit.bundle");

TEST(ModuleBundle, IsFoundInTheMainBundlesResourcesFirst)
{
    const auto& main = foundation::Bundle::main();
    ASSERT_TRUE(main.resourcePath());
    EXPECT_EQ(moduleBundle().bundlePath(), *main.resourcePath() / bundleName.toStdString());
    EXPECT_EQ(&moduleBundle(), &moduleBundle());
    EXPECT_EQ(&resourceBundle(), &moduleBundle());
    EXPECT_EQ(&ColorResource::grey50().bundle(), &resourceBundle());
    EXPECT_EQ(&ImageResource::windowVartlow().bundle(), &resourceBundle());
}

TEST(ModuleBundle, HoldsExactlyTheAssetsOfTheTable)
{
    const assets::AssetCatalog catalog(moduleBundle().bundlePath());

    QSet<QString> colors;
    for (const auto asset : allColorAssets)
        colors.insert(assetName(asset));
    const QStringList stored = catalog.colorNames();
    EXPECT_EQ(QSet<QString>(stored.begin(), stored.end()), colors);
    EXPECT_EQ(colors.size(), 21);

    // Tests and drawing code tell colours apart by value: no two assets share one.
    QSet<QRgb> values;
    for (const auto asset : allColorAssets) {
        const QColor value = ColorResource::of(asset).value();
        EXPECT_TRUE(value.isValid()) << qPrintable(assetName(asset));
        EXPECT_EQ(value.alpha(), 255) << qPrintable(assetName(asset));
        values.insert(value.rgba());
    }
    EXPECT_EQ(values.size(), 21);

    QSet<QString> images;
    for (const auto asset : allImageAssets) {
        const auto& info = imageAssetInfo(asset);
        images.insert(QString::fromLatin1(info.name));
        const QImage one = catalog.image(QString::fromLatin1(info.name), 1.0);
        const QImage two = catalog.image(QString::fromLatin1(info.name), 2.0);
        ASSERT_FALSE(one.isNull()) << info.name;
        EXPECT_EQ(one.devicePixelRatio(), 1.0) << info.name;
        EXPECT_EQ(two.devicePixelRatio(), 2.0) << info.name << " has its own 2x drawing";
        EXPECT_EQ(QSizeF(one.size()), info.size) << info.name;
        EXPECT_EQ(QSizeF(two.size()), info.size * 2) << info.name;
        // The caps leave a middle to stretch.
        EXPECT_LT(info.capInsets.left + info.capInsets.right, info.size.width()) << info.name;
        EXPECT_LE(info.capInsets.top + info.capInsets.bottom, info.size.height()) << info.name;
        // Something is drawn at both scales.
        EXPECT_FALSE(one.convertToFormat(QImage::Format_ARGB32) == QImage(one.size(), QImage::Format_ARGB32))
            << info.name;
    }
    const QStringList storedImages = catalog.imageNames();
    EXPECT_EQ(QSet<QString>(storedImages.begin(), storedImages.end()), images);
    EXPECT_EQ(images.size(), 54); // the 52 of the catalogues and the search field's two button images
}

TEST(ModuleBundle, ResourcesCarryTheirTableRows)
{
    const ImageRef button = ImageResource::tkuiButton().makeImage();
    EXPECT_EQ(button->name(), "tkui-button");
    EXPECT_EQ(button->size(), imageAssetInfo(ImageAsset::tkuiButton).size);
    EXPECT_EQ(button->capInsets(), imageAssetInfo(ImageAsset::tkuiButton).capInsets);
    EXPECT_EQ(button->representation(1).devicePixelRatio(), 1.0);
    EXPECT_EQ(button->representation(2).devicePixelRatio(), 2.0);
    EXPECT_EQ(button->representation(2).size(), button->representation(1).size() * 2);
}

// Copies of the probe program in made-up layouts show where the library looks for its bundle
// and that it stops when none of the places holds one.
class BundleLookup : public ::testing::Test {
protected:
    fs::path root() const { return fs::path(dir_.path().toStdString()); }

    fs::path installProbe(const fs::path& relativeDirectory) const
    {
        const fs::path directory = root() / relativeDirectory;
        fs::create_directories(directory);
        const fs::path probe = directory / "tarnkit_bundle_probe";
        fs::copy_file(TARNKIT_BUNDLE_PROBE, probe, fs::copy_options::overwrite_existing);
        return probe;
    }

    // A bundle whose only content tells which one was read.
    void makeBundle(const fs::path& relativeDirectory, const char* background) const
    {
        const fs::path assets = root() / relativeDirectory / bundleName.toStdString() / "Assets";
        fs::create_directories(assets);
        std::ofstream(assets / "colors.json") << "{\"Background/Normal\": \"" << background << "\"}";
    }

    struct Run {
        bool crashed;
        QString out;
        QString err;
    };

    static Run run(const fs::path& program)
    {
        QProcess process;
        process.start(QString::fromStdString(program.string()), {});
        process.waitForFinished(10000);
        return {process.exitStatus() == QProcess::CrashExit || process.exitCode() != 0,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir dir_;
};

TEST_F(BundleLookup, TakesTheFirstPlaceThatHoldsTheBundle)
{
    const struct {
        const char* layout;
        const char* programDirectory;
        std::vector<std::pair<const char*, const char*>> bundles; // directory, its colour
        const char* foundIn;
        const char* color;
    } cases[] = {
        {"installed: the main bundle's resources win over its own directory", "tree/bin",
         {{"tree/share/zindle/Resources", "#102030"}, {"tree/share/zindle", "#405060"}}, "tree/share/zindle/Resources", "#102030"},
        {"installed, resources without it: the main bundle's own directory", "tree/bin",
         {{"tree/share/zindle", "#405060"}}, "tree/share/zindle", "#405060"},
        {"a bare program: its own directory", "bare", {{"bare", "#708090"}}, "bare", "#708090"},
    };
    for (const auto& c : cases) {
        fs::remove_all(root());
        fs::create_directories(root() / "tree/share/zindle/Resources");
        const fs::path probe = installProbe(c.programDirectory);
        for (const auto& [directory, color] : c.bundles)
            makeBundle(directory, color);
        const Run result = run(probe);
        ASSERT_FALSE(result.crashed) << c.layout << ": " << qPrintable(result.err);
        const QStringList lines = result.out.split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 2) << c.layout;
        EXPECT_EQ(lines[0].toStdString(), (fs::canonical(root()) / c.foundIn / bundleName.toStdString()).string()) << c.layout;
        EXPECT_EQ(lines[1], QString::fromLatin1(c.color)) << c.layout;
    }
}

TEST_F(BundleLookup, AnInstallWithoutTheBundleStopsOnFirstUse)
{
    fs::create_directories(root() / "tree/share/zindle/Resources");
    makeBundle("tree/share/zindle/Resources/Other", "#000000"); // not one of the places
    const Run result = run(installProbe("tree/bin"));
    EXPECT_TRUE(result.crashed);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.contains(
        "Fatal error: unable to find bundle named Tarnkit_Tarnkit: file Tarnkit/resource_bundle_accessor, line 44"))
        << qPrintable(result.err);
}

// The death test replaces its child with the probe: the probe's process must die by the
// library's fatal stop.
[[noreturn]] void execProbe(const fs::path& probe)
{
    execl(probe.c_str(), probe.c_str(), static_cast<char*>(nullptr));
    _exit(0); // exec failed: exit quietly, which the death test counts as surviving
}

TEST_F(BundleLookup, DiesWhenNoPlaceHoldsTheBundle)
{
    const fs::path probe = installProbe("bare");
    EXPECT_DEATH(execProbe(probe),
                 "Fatal error: unable to find bundle named Tarnkit_Tarnkit: file Tarnkit/resource_bundle_accessor, line 44");
}

} // namespace
