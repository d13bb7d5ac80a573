#include "Mossbell/AssetResources.h"
#include "Mossbell/resource_bundle_accessor.h"

#include "platform/assets/AssetCatalog.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <QSet>

#include <cmath>

namespace {

using namespace mossbell;

// The names the framework's controls and the extension ask for, spelt as they must be.
const QStringList expectedColors = {
    "ChaosYellowText", "background", "buttonText", "chaosToggleText", "chaosToggleTextPressed",
    "pluginBlue", "pluginGrey", "pluginPurple", "pluginRed", "pluginYellow",
    "tabSelected", "tabUnselected", "tinyDialLabel", "updateBackground", "versionInfo"};
const QStringList expectedImages = {
    "vartlow-logo", "chaos-button-grey-off", "chaos-button-grey-off-down", "chaos-button-grey-on-yellow",
    "chaos-button-grey-on-yellow-down", "chaos-button-narrow-grey-off", "chaos-button-narrow-grey-off-down",
    "chaos-button-narrow-grey-on-yellow", "chaos-button-narrow-grey-on-yellow-down", "chaos-button-small-yellow-left",
    "chaos-button-small-yellow-left-down", "chaos-button-small-yellow-right", "chaos-button-small-yellow-right-down",
    "chaos-button-yellow", "chaos-button-yellow-down", "modern-button", "modern-button-down", "modern-button-on",
    "modern-button-on-down", "retro-button", "retro-button-down", "settings-button", "settings-button-down"};

// Mean colour and coverage of an image, to tell drawings apart and to see that one is drawn.
struct Ink {
    double coverage = 0; // mean opacity
    double red = 0, green = 0, blue = 0;
};

Ink inkOf(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Ink ink;
    double weight = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QColor c = QColor::fromRgba(argb.pixel(x, y));
            if (c.alpha() == 0)
                continue;
            weight += c.alphaF();
            ink.red += c.redF() * c.alphaF();
            ink.green += c.greenF() * c.alphaF();
            ink.blue += c.blueF() * c.alphaF();
        }
    }
    if (weight > 0) {
        ink.red /= weight;
        ink.green /= weight;
        ink.blue /= weight;
    }
    ink.coverage = weight / double(argb.width() * argb.height());
    return ink;
}

double distance(const Ink& a, const Ink& b)
{
    return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

TEST(AssetTable, NamesEveryColourAndImageExactlyAsTheControlsAskForThem)
{
    QStringList colors;
    for (const auto asset : allColorAssets)
        colors << assetName(asset);
    EXPECT_EQ(colors, expectedColors);
    QStringList images;
    for (const auto asset : allImageAssets)
        images << assetName(asset);
    EXPECT_EQ(images, expectedImages);
}

TEST(AssetTable, DialFramesAreNumberedFromOneWithTwoDigits)
{
    const struct {
        DialStrip strip;
        int frame;
        const char* name;
    } cases[] = {
        {DialStrip::dialMediumRed, 1, "knobs/dial-medium-red-01"},
        {DialStrip::dialMediumRed, 51, "knobs/dial-medium-red-51"},
        {DialStrip::dialSmallGrey, 26, "knobs/dial-small-grey-26"},
        {DialStrip::chaosDialGrey, 9, "knobs/chaos-dial-grey_09"},
        {DialStrip::chaosDialGrey, 10, "knobs/chaos-dial-grey_10"},
        {DialStrip::dialMediumBlue, 1, "knobs/dial-medium-blue-01"},
        {DialStrip::dialMediumYellow, 1, "knobs/dial-medium-yellow-01"},
        {DialStrip::dialMediumPurple, 1, "knobs/dial-medium-purple-01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dialFrameName(c.strip, c.frame), c.name);
    for (const auto strip : allDialStrips)
        EXPECT_EQ(dialStripInfo(strip).frameCount, 51) << dialStripInfo(strip).prefix;
}

TEST(BuiltBundle, HoldsEveryColourOfTheTableAndNoOther)
{
    const QStringList stored = assets::AssetCatalog(moduleBundle().bundlePath()).colorNames();
    EXPECT_EQ(QSet<QString>(stored.begin(), stored.end()),
              QSet<QString>(expectedColors.begin(), expectedColors.end()));
    QSet<QRgb> values;
    for (const auto asset : allColorAssets) {
        const ColorResource& color = ColorResource::of(asset);
        EXPECT_EQ(&color, &ColorResource::of(asset)) << "made once";
        EXPECT_EQ(color.name(), assetName(asset));
        ASSERT_TRUE(color.value().isValid()) << qPrintable(color.name());
        EXPECT_EQ(color.value().alpha(), 255) << qPrintable(color.name());
        values.insert(color.value().rgb());
    }
    EXPECT_EQ(values.size(), qsizetype(allColorAssets.size())) << "every colour has its own value";
}

TEST(BuiltBundle, HoldsEveryImageAtOneAndTwoTimesItsSize)
{
    for (const auto asset : allImageAssets) {
        const ImageResource& image = ImageResource::of(asset);
        const auto& info = imageAssetInfo(asset);
        const QImage& one = image.image(1.0);
        const QImage& two = image.image(2.0);
        ASSERT_FALSE(one.isNull()) << info.name;
        ASSERT_FALSE(two.isNull()) << info.name;
        EXPECT_EQ(one.devicePixelRatio(), 1.0) << info.name;
        EXPECT_EQ(two.devicePixelRatio(), 2.0) << info.name << " has its own 2x drawing";
        EXPECT_EQ(one.size(), QSize(int(info.width), int(info.height))) << info.name;
        EXPECT_EQ(two.size(), one.size() * 2) << info.name;
        EXPECT_EQ(image.size(), QSizeF(info.width, info.height)) << info.name;
        // Drawn at both scales, the same picture: the 2x drawing is no blank or other image.
        const Ink inkOne = inkOf(one);
        const Ink inkTwo = inkOf(two);
        EXPECT_GT(inkOne.coverage, 0.3) << info.name;
        EXPECT_LT(std::abs(inkOne.coverage - inkTwo.coverage), 0.05) << info.name;
        EXPECT_LT(distance(inkOne, inkTwo), 0.06) << info.name;
    }
}

TEST(BuiltBundle, ButtonStatesLookDifferent)
{
    // Each pair a control switches between must be told apart at a glance.
    const std::pair<ImageAsset, ImageAsset> pairs[] = {
        {ImageAsset::chaosButtonGreyOff, ImageAsset::chaosButtonGreyOnYellow},
        {ImageAsset::chaosButtonGreyOff, ImageAsset::chaosButtonGreyOffDown},
        {ImageAsset::chaosButtonGreyOnYellow, ImageAsset::chaosButtonGreyOnYellowDown},
        {ImageAsset::chaosButtonNarrowGreyOff, ImageAsset::chaosButtonNarrowGreyOnYellow},
        {ImageAsset::chaosButtonNarrowGreyOff, ImageAsset::chaosButtonNarrowGreyOffDown},
        {ImageAsset::chaosButtonSmallYellowLeft, ImageAsset::chaosButtonSmallYellowRight},
        {ImageAsset::chaosButtonSmallYellowLeft, ImageAsset::chaosButtonSmallYellowLeftDown},
        {ImageAsset::chaosButtonYellow, ImageAsset::chaosButtonYellowDown},
        {ImageAsset::modernButton, ImageAsset::modernButtonOn},
        {ImageAsset::modernButton, ImageAsset::modernButtonDown},
        {ImageAsset::modernButtonOn, ImageAsset::modernButtonOnDown},
        {ImageAsset::retroButton, ImageAsset::retroButtonDown},
        {ImageAsset::retroButton, ImageAsset::modernButtonOn},
        {ImageAsset::settingsButton, ImageAsset::settingsButtonDown},
    };
    for (const auto& [a, b] : pairs) {
        for (const qreal scale : {1.0, 2.0}) {
            const QImage first = ImageResource::of(a).image(scale).convertToFormat(QImage::Format_ARGB32);
            const QImage second = ImageResource::of(b).image(scale).convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(first.size(), second.size());
            int differing = 0;
            for (int y = 0; y < first.height(); ++y)
                for (int x = 0; x < first.width(); ++x)
                    differing += qGray(first.pixel(x, y)) - qGray(second.pixel(x, y)) > 12
                                 || qGray(second.pixel(x, y)) - qGray(first.pixel(x, y)) > 12
                                 || qAlpha(first.pixel(x, y)) != qAlpha(second.pixel(x, y));
            EXPECT_GT(differing, first.width() * first.height() / 20)
                << qPrintable(assetName(a)) << " vs " << qPrintable(assetName(b)) << " at " << scale << "x";
        }
    }
}

TEST(BuiltBundle, HoldsEveryFrameOfEveryDialStripAndNoMore)
{
    const assets::AssetCatalog catalog(moduleBundle().bundlePath());
    for (const auto strip : allDialStrips) {
        const auto& info = dialStripInfo(strip);
        for (int frame = 1; frame <= info.frameCount; ++frame) {
            const QString name = dialFrameName(strip, frame);
            const ImageResource image(name, moduleBundle());
            ASSERT_EQ(image.image(1.0).devicePixelRatio(), 1.0) << qPrintable(name);
            ASSERT_EQ(image.image(2.0).devicePixelRatio(), 2.0) << qPrintable(name);
            EXPECT_EQ(image.size(), QSizeF(info.width, info.height)) << qPrintable(name);
            EXPECT_EQ(image.image(2.0).size(), image.image(1.0).size() * 2) << qPrintable(name);
        }
        // Counted from 1: no frame 0 and none after the last.
        EXPECT_TRUE(catalog.image(dialFrameName(strip, 0)).isNull()) << info.prefix;
        EXPECT_TRUE(catalog.image(dialFrameName(strip, info.frameCount + 1)).isNull()) << info.prefix;

        // The pointer moves: the first, middle and last frames differ; the knob itself is the
        // same throughout (its centre, which no pointer crosses, keeps its colour).
        const QImage first = catalog.image(dialFrameName(strip, 1), 2.0);
        const QImage middle = catalog.image(dialFrameName(strip, 26), 2.0);
        const QImage last = catalog.image(dialFrameName(strip, info.frameCount), 2.0);
        EXPECT_NE(first, middle) << info.prefix;
        EXPECT_NE(middle, last) << info.prefix;
        const QColor firstCentre = first.pixelColor(first.width() / 2, first.height() / 2);
        const QColor lastCentre = last.pixelColor(last.width() / 2, last.height() / 2);
        EXPECT_EQ(firstCentre.alpha(), 255) << info.prefix;
        EXPECT_LT(std::abs(firstCentre.lightness() - lastCentre.lightness()), 8) << info.prefix;
    }
}

TEST(BuiltBundle, MediumDialsCarryTheirAccentColour)
{
    // At the top of the range the lit ring is the dial's own plugin colour.
    const std::pair<DialStrip, ColorAsset> dials[] = {
        {DialStrip::dialMediumBlue, ColorAsset::pluginBlue},
        {DialStrip::dialMediumYellow, ColorAsset::pluginYellow},
        {DialStrip::dialMediumRed, ColorAsset::pluginRed},
        {DialStrip::dialMediumPurple, ColorAsset::pluginPurple},
    };
    for (const auto& [strip, accent] : dials) {
        const auto& info = dialStripInfo(strip);
        const QImage top = ImageResource(dialFrameName(strip, info.frameCount), moduleBundle()).image(2.0);
        // The ring passes straight above the centre at mid-travel, lit in the top frame.
        const int x = top.width() / 2;
        bool found = false;
        for (int y = 0; y < top.height() / 4 && !found; ++y) {
            const QColor pixel = top.pixelColor(x, y);
            const QColor want = ColorResource::of(accent).value();
            found = pixel.alpha() == 255 && std::abs(pixel.red() - want.red()) < 12
                    && std::abs(pixel.green() - want.green()) < 12 && std::abs(pixel.blue() - want.blue()) < 12;
        }
        EXPECT_TRUE(found) << info.prefix;
    }
}

} // namespace
