#include "extension/ExtensionResources.h"
#include "extension/ResourceBundleClass.h"

#include "Mossbell/AssetResources.h"
#include "Mossbell/resource_bundle_accessor.h"
#include "Mossbell/tests/QStringPrinter.h"

#include "platform/assets/AssetCatalog.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QTemporaryDir>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

namespace zindle {
namespace {

namespace fs = std::filesystem;

// The names the extension's views ask for, spelt as they must be.
const QStringList expectedColors = {"background", "buttonBlue", "buttonRed", "retroGreen", "labels", "values"};
const QStringList expectedImages = {"modern-area", "modern-button-freeze", "modern-button-freeze-down",
                                    "retro-background"};

QImage argb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Relative luminance and contrast ratio as readability guidelines define them.
double luminance(const QColor& color)
{
    const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The mean colour of the opaque pixels of rect (in pixels).
QColor meanColor(const QImage& image, const QRect& rect)
{
    const QImage pixels = argb(image);
    double r = 0, g = 0, b = 0;
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = pixels.pixelColor(x, y);
            if (c.alpha() < 255)
                continue;
            r += c.redF();
            g += c.greenF();
            b += c.blueF();
            ++count;
        }
    }
    return count ? QColor::fromRgbF(float(r / count), float(g / count), float(b / count)) : QColor();
}

// Sum of lightness over every pixel weighted by opacity: how much light a frame gives.
double brightness(const QImage& image)
{
    const QImage pixels = argb(image);
    double sum = 0;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) {
            const QColor c = pixels.pixelColor(x, y);
            sum += c.lightnessF() * c.alphaF();
        }
    return sum;
}

// Pixels whose grey or opacity differ clearly between two images of one size, within radius
// (a fraction of the width) of their centre.
int differingPixels(const QImage& a, const QImage& b, double radius = 1.0)
{
    const QImage first = argb(a);
    const QImage second = argb(b);
    const double limit = radius * first.width();
    int count = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            if (std::hypot(x + 0.5 - first.width() / 2.0, y + 0.5 - first.height() / 2.0) > limit)
                continue;
            const QRgb p = first.pixel(x, y);
            const QRgb q = second.pixel(x, y);
            count += std::abs(qGray(p) - qGray(q)) > 24 || std::abs(qAlpha(p) - qAlpha(q)) > 24;
        }
    return count;
}

// Every file of a bundle, by its path inside it.
std::set<fs::path> filesOf(const fs::path& bundle)
{
    std::set<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(bundle))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), bundle));
    return files;
}

TEST(ExtensionAssetTable, NamesEveryAssetAsTheViewsAskForIt)
{
    QStringList colors;
    for (const auto asset : allColorAssets)
        colors << assetName(asset);
    EXPECT_EQ(colors, expectedColors);
    QStringList images;
    for (const auto asset : allImageAssets)
        images << assetName(asset);
    EXPECT_EQ(images, expectedImages);

    // The named accessors are the rows, in the same order.
    QStringList accessed;
#define ZINDLE_NAME(id, ...) accessed << Colors::id().name();
    ZINDLE_COLOR_ASSETS(ZINDLE_NAME)
#undef ZINDLE_NAME
#define ZINDLE_NAME(id, ...) accessed << Images::id().name();
    ZINDLE_IMAGE_ASSETS(ZINDLE_NAME)
#undef ZINDLE_NAME
    EXPECT_EQ(accessed, expectedColors + expectedImages);
}

TEST(ExtensionAssetTable, FrameNamesCountFromZeroWithTwoDigits)
{
    const struct {
        DialStrip strip;
        int frame;
        const char* name;
    } cases[] = {
        {DialStrip::knobBigWhite, 0, "knobs/knob-big-white-00"},
        {DialStrip::knobBigWhite, 89, "knobs/knob-big-white-89"},
        {DialStrip::knobChickenhead, 9, "knobs/knob-chickenhead-09"},
        {DialStrip::knobChickenhead, 10, "knobs/knob-chickenhead-10"},
        {DialStrip::modernMeter, 25, "meter/modern-meter-25"},
        {DialStrip::retroMeter, 18, "meter/retro-meter-18"},
        {DialStrip::knobSmallBlue, 0, "knobs/knob-small-blue-00"},
        {DialStrip::knobSmallYellow, 44, "knobs/knob-small-yellow-44"},
        {DialStrip::knobSmallRed, 89, "knobs/knob-small-red-89"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dialFrameName(c.strip, c.frame), c.name);

    const std::pair<DialStrip, int> counts[] = {
        {DialStrip::knobBigWhite, 90},  {DialStrip::knobChickenhead, 90}, {DialStrip::modernMeter, 26},
        {DialStrip::retroMeter, 19},    {DialStrip::knobSmallBlue, 90},   {DialStrip::knobSmallYellow, 90},
        {DialStrip::knobSmallRed, 90},
    };
    for (const auto& [strip, frames] : counts)
        EXPECT_EQ(dialStripInfo(strip).frameCount, frames) << dialStripInfo(strip).prefix;
}

TEST(ExtensionBundle, IsTheBuiltBundleInTheMainBundlesResourcesFoundOnce)
{
    const auto& main = foundation::Bundle::main();
    ASSERT_TRUE(main.resourcePath());
    EXPECT_EQ(resourceBundle().bundlePath(), *main.resourcePath() / resourceBundleName);
    EXPECT_EQ(&resourceBundle(), &resourceBundle());
    EXPECT_EQ(&Colors::labels().bundle(), &resourceBundle());
    EXPECT_EQ(&Images::modernArea().bundle(), &resourceBundle());
}

TEST(ExtensionBundle, HoldsEveryColourOfTheTableOpaqueAndNoOther)
{
    const QStringList stored = assets::AssetCatalog(resourceBundle().bundlePath()).colorNames();
    EXPECT_EQ(QSet<QString>(stored.begin(), stored.end()), QSet<QString>(expectedColors.begin(), expectedColors.end()));
    for (const auto asset : allColorAssets) {
        const mossbell::ColorResource& color = Colors::of(asset);
        EXPECT_EQ(&color, &Colors::of(asset)) << "made once";
        EXPECT_EQ(color.name(), assetName(asset));
        ASSERT_TRUE(color.value().isValid()) << qPrintable(color.name());
        EXPECT_EQ(color.value().alpha(), 255) << qPrintable(color.name());
    }
}

TEST(ExtensionBundle, HoldsEveryImageAtOneAndTwoTimesItsTabledSize)
{
    for (const auto asset : allImageAssets) {
        const mossbell::ImageResource& image = Images::of(asset);
        const auto& info = imageAssetInfo(asset);
        EXPECT_EQ(&image, &Images::of(asset)) << "made once";
        ASSERT_EQ(image.image(1.0).devicePixelRatio(), 1.0) << info.name;
        ASSERT_EQ(image.image(2.0).devicePixelRatio(), 2.0) << info.name << " has its own 2x drawing";
        EXPECT_EQ(image.image(1.0).size(), QSize(int(info.width), int(info.height))) << info.name;
        EXPECT_EQ(image.image(2.0).size(), image.image(1.0).size() * 2) << info.name;
        EXPECT_EQ(image.size(), QSizeF(info.width, info.height)) << info.name;
    }
    // The retro backdrop is drawn at its own size below the 46-point header of the 640 x 480
    // design: it must be exactly that.
    EXPECT_EQ(Images::retroBackground().size(), QSizeF(640, 434));
}

TEST(ExtensionBundle, HoldsEveryFrameOfEveryStripAndNoMore)
{
    const assets::AssetCatalog catalog(resourceBundle().bundlePath());
    for (const auto strip : allDialStrips) {
        const auto& info = dialStripInfo(strip);
        for (int frame = 0; frame < info.frameCount; ++frame) {
            const QString name = dialFrameName(strip, frame);
            const mossbell::ImageResource image(name, resourceBundle());
            ASSERT_EQ(image.image(1.0).devicePixelRatio(), 1.0) << qPrintable(name);
            ASSERT_EQ(image.image(2.0).devicePixelRatio(), 2.0) << qPrintable(name);
            EXPECT_EQ(image.size(), QSizeF(info.width, info.height)) << qPrintable(name);
            EXPECT_EQ(image.image(2.0).size(), image.image(1.0).size() * 2) << qPrintable(name);
        }
        EXPECT_TRUE(catalog.image(dialFrameName(strip, info.frameCount)).isNull()) << info.prefix;
        EXPECT_TRUE(catalog.image(dialFrameName(strip, -1)).isNull()) << info.prefix;
    }
}

TEST(ExtensionArtwork, KnobsTurnAndMetersLightUpFrameByFrame)
{
    const assets::AssetCatalog catalog(resourceBundle().bundlePath());
    for (const auto strip : allDialStrips) {
        const auto& info = dialStripInfo(strip);
        const auto frame = [&](int i) { return argb(catalog.imageAtScale(dialFrameName(strip, i), 2)); };
        if (strip == DialStrip::modernMeter || strip == DialStrip::retroMeter) {
            // Frame 0 is all dark; every further frame gives more light than the one before.
            double previous = brightness(frame(0));
            for (int i = 1; i < info.frameCount; ++i) {
                const double now = brightness(frame(i));
                EXPECT_GT(now, previous) << info.prefix << " frame " << i;
                previous = now;
            }
        } else {
            const QImage first = frame(0);
            const QImage middle = frame(info.frameCount / 2);
            const QImage last = frame(info.frameCount - 1);
            EXPECT_GT(differingPixels(first, middle), 0) << info.prefix;
            EXPECT_GT(differingPixels(middle, last), 0) << info.prefix;
            // The travel is symmetric, 7:30 to 4:30: the knob itself (inside any value ring) in
            // the last frame is close to the first one mirrored, far closer than to the first.
            const double knob = 0.36;
            EXPECT_LT(differingPixels(first, last.mirrored(true, false), knob), differingPixels(first, last, knob) / 3)
                << info.prefix;
        }
    }
}

TEST(ExtensionArtwork, ThePanelTileRepeatsWithoutASeam)
{
    // Drawn as a nine-patch with 12-point caps and a tiled middle: the middle must be one flat
    // colour and each edge the same all along, or every tile boundary shows.
    for (const int scale : {1, 2}) {
        const QImage tile = argb(Images::modernArea().image(scale));
        const int cap = 12 * scale;
        const int end = tile.width() - cap;
        for (int a = cap; a < end; ++a) {
            for (int b = 0; b < tile.width(); ++b) {
                ASSERT_EQ(tile.pixel(a, b), tile.pixel(cap, b)) << "column " << a << ", row " << b << ", " << scale;
                ASSERT_EQ(tile.pixel(b, a), tile.pixel(b, cap)) << "row " << a << ", column " << b << ", " << scale;
            }
        }
        EXPECT_EQ(qAlpha(tile.pixel(cap, cap)), 255);
        EXPECT_EQ(qAlpha(tile.pixel(0, 0)), 0) << "rounded corners";
    }
}

TEST(ExtensionArtwork, TextColoursReadOnWhatTheyAreDrawnOver)
{
    const QColor dark = Colors::background().value();
    // The header is the framework's and the skin the extension's: they meet without a seam.
    EXPECT_EQ(dark, mossbell::ColorResource::of(mossbell::ColorAsset::background).value());

    const QImage lit = mossbell::ImageResource::of(mossbell::ImageAsset::modernButtonOn).image(2.0);
    const QColor buttonFace = meanColor(lit, lit.rect().adjusted(4, 4, -4, -6));
    const QImage tile = Images::modernArea().image(2.0);
    const QColor panel = meanColor(tile, QRect(24, 24, 48, 48));
    const struct {
        QColor text;
        QColor over;
        const char* what;
    } pairs[] = {
        {Colors::buttonBlue().value(), buttonFace, "buttonBlue on modern-button-on"},
        {Colors::buttonRed().value(), buttonFace, "buttonRed on modern-button-on"},
        {Colors::retroGreen().value(), buttonFace, "retroGreen on modern-button-on"},
        {Colors::labels().value(), panel, "labels on modern-area"},
        {Colors::values().value(), panel, "values on modern-area"},
    };
    for (const auto& pair : pairs)
        EXPECT_GT(contrast(pair.text, pair.over), 4.5) << pair.what;
    EXPECT_GT(Colors::values().value().lightness(), Colors::labels().value().lightness()) << "values stand out";

    // The retro dials draw their name and value in "background" over the backdrop, 80 points
    // below the dial centres (x 156, 320, 484; y 135).
    const QImage backdrop = Images::retroBackground().image(1.0);
    for (const int x : {156, 320, 484}) {
        const QColor under = meanColor(backdrop, QRect(x - 30, 200, 60, 30));
        EXPECT_GT(contrast(dark, under), 7.0) << "retro label at x " << x;
    }
}

TEST(ExtensionArtwork, TheHeldFreezeButtonLightsUp)
{
    for (const qreal scale : {1.0, 2.0}) {
        const QImage rest = argb(Images::modernButtonFreeze().image(scale));
        const QImage held = argb(Images::modernButtonFreezeDown().image(scale));
        ASSERT_EQ(rest.size(), held.size());
        int differing = 0;
        for (int y = 0; y < rest.height(); ++y)
            for (int x = 0; x < rest.width(); ++x)
                differing += std::abs(qGray(rest.pixel(x, y)) - qGray(held.pixel(x, y))) > 12;
        EXPECT_GT(differing, rest.width() * rest.height() / 10) << scale << "x";
        EXPECT_GT(brightness(held), brightness(rest)) << scale << "x";
    }
}

// A host outside our tree has neither bundle in its own resources: the plug-in's code must find
// them in the resource directory of its own bundle, Zindle.component.
TEST(PluginResources, TheComponentsOwnResourcesHoldBothBundles)
{
    const fs::path library = fs::path(ZINDLE_COMPONENTS_DIR) / "Zindle.component" / "Zindle.so";
    // Stays loaded, as in a host: what its code hands the application outlives this test.
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    ASSERT_NE(handle, nullptr) << dlerror();
    const void* entry = dlsym(handle, "auExtensionCreatePrincipal");
    ASSERT_NE(entry, nullptr);
    const auto code = foundation::Bundle::containing(entry);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->bundlePath().filename(), "Zindle.component");
    ASSERT_TRUE(code->resourcePath());

    // The lookup with no main-bundle candidates: only the code's bundle can answer.
    const QTemporaryDir bareHost;
    for (const foundation::Bundle& built : {resourceBundle(), mossbell::moduleBundle()}) {
        const QString name = QString::fromStdString(built.bundlePath().filename().string());
        const auto found = foundation::locateModuleBundle(name, std::nullopt, code->resourcePath(),
                                                          fs::path(bareHost.path().toStdString()));
        ASSERT_TRUE(found) << qPrintable(name);
        EXPECT_EQ(found->bundlePath(), *code->resourcePath() / name.toStdString());
        // A full copy of what the build made.
        EXPECT_EQ(filesOf(found->bundlePath()), filesOf(built.bundlePath())) << qPrintable(name);
    }
}

} // namespace
} // namespace zindle
