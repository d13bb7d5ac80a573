#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/BaseStyle.h"
#include "Tarnkit/Foundation/ButtonCellStyle.h"
#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/Foundation/TKColors.h"
#include "Tarnkit/Foundation/TKColorsAK.h"
#include "Tarnkit/Foundation/TKImages.h"
#include "Tarnkit/Foundation/TKImagesAK.h"
#include "Tarnkit/Foundation/TableViewStyle.h"
#include "Tarnkit/Foundation/TextFieldCellStyle.h"
#include "Tarnkit/Foundation/WindowStyle.h"
#include "Tarnkit/tests/TestColors.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>

namespace {

using namespace tarnkit;
using tarnkit::testing::colorName;

using ColorMember = const ColorRef& (*)();
using ComputedColor = ColorRef (*)();
using FontMember = const FontRef& (*)();
using ImageMember = const ImageRef& (*)();

struct NamedColor {
    const char* member;
    ColorMember read;
    const char* asset;
};

// Every stored colour of the Styles catalogue: one object for the process, of its asset.
TEST(StylesCatalogue, StoredColoursAreOneObjectOfTheirAsset)
{
    const NamedColor members[] = {
        {"Control.textColor", Styles::Control::textColor, "Grey 85%"},
        {"Control.background", Styles::Control::background, "clear"},
        {"Control.disabledTextColor", Styles::Control::disabledTextColor, "Grey 40%"},
        {"Control.disabledBackground", Styles::Control::disabledBackground, "clear"},
        {"Control.errorTextColor", Styles::Control::errorTextColor, "Grey 100%"},
        {"Control.errorBackground", Styles::Control::errorBackground, "Error"},
        {"Control.highlightedTextColor", Styles::Control::highlightedTextColor, "Grey 50%"},
        {"Control.highlightedBackground", Styles::Control::highlightedBackground, "clear"},
        {"Control.placeholderTextColor", Styles::Control::placeholderTextColor, "Grey 20%"},
        {"Control.placeholderBackground", Styles::Control::placeholderBackground, "clear"},
        {"Control.selectedTextColor", Styles::Control::selectedTextColor, "Grey 100%"},
        {"Control.errorFocusRingColor", Styles::Control::errorFocusRingColor, "Error"},
        {"ScrollView.background", Styles::ScrollView::background, "Background/Darker"},
        {"OutlineHeader.textColor", Styles::OutlineHeader::textColor, "Grey 50%"},
        {"OutlineRow.textColor", Styles::OutlineRow::textColor, "Grey 85%"},
        {"OutlineRow.background", Styles::OutlineRow::background, "Background/Darker"},
        {"OutlineRow.selectedTextColor", Styles::OutlineRow::selectedTextColor, "Grey 100%"},
        {"TableView.background", Styles::TableView::background, "Background/Darker"},
        {"TableHeader.textColor", Styles::TableHeader::textColor, "Grey 50%"},
        {"TableHeader.background", Styles::TableHeader::background, "Background/Darkest"},
        {"TableRow.textColor", Styles::TableRow::textColor, "Grey 70%"},
        {"TableRow.selectedTextColor", Styles::TableRow::selectedTextColor, "Grey 100%"},
        {"TableGroupRow.textColor", Styles::TableGroupRow::textColor, "Grey 50%"},
        {"TableGroupRow.selectedTextColor", Styles::TableGroupRow::selectedTextColor, "Grey 100%"},
        {"Label.nsTextColor", Styles::Label::nsTextColor, "Grey 60%"},
        {"Label.textColor", Styles::Label::textColor, "Grey 60%"},
        {"Label.disabledTextColor", Styles::Label::disabledTextColor, "Grey 30%"},
        {"TextInput.textColor", Styles::TextInput::textColor, "Grey 85%"},
        {"TextInput.background", Styles::TextInput::background, "clear"},
        {"TextInput.disabledTextColor", Styles::TextInput::disabledTextColor, "Grey 40%"},
        {"TextInput.disabledBackground", Styles::TextInput::disabledBackground, "clear"},
        {"TextInput.errorTextColor", Styles::TextInput::errorTextColor, "Error"},
        {"TextInput.errorBackground", Styles::TextInput::errorBackground, "Error"},
        {"TextInput.highlightedTextColor", Styles::TextInput::highlightedTextColor, "Grey 100%"},
        {"TextInput.highlightedBackground", Styles::TextInput::highlightedBackground, "clear"},
        {"TextInput.placeholderTextColor", Styles::TextInput::placeholderTextColor, "Grey 50%"},
        {"TextInput.placeholderHighlightedTextColor", Styles::TextInput::placeholderHighlightedTextColor, "Ostrel/Blue"},
        {"TextInput.placeholderBackground", Styles::TextInput::placeholderBackground, "clear"},
        {"TextInput.selectedTextColor", Styles::TextInput::selectedTextColor, "Grey 100%"},
        {"PropertiesTab.textColor", Styles::PropertiesTab::textColor, "Grey 70%"},
        {"PropertiesTab.selectedTextColor", Styles::PropertiesTab::selectedTextColor, "Grey 85%"},
        {"PropertiesTab.highlightedTextColor", Styles::PropertiesTab::highlightedTextColor, "Grey 50%"},
        {"CanvasInfo.textColor", Styles::CanvasInfo::textColor, "Grey 85%"},
        {"CanvasInfo.background", Styles::CanvasInfo::background, "Background/Normal"},
        {"Window.background", Styles::Window::background, "Background/Normal"},
    };
    for (const auto& m : members) {
        const ColorRef first = m.read();
        ASSERT_TRUE(first) << m.member;
        EXPECT_EQ(m.read(), first) << m.member << " is made once";
        EXPECT_EQ(colorName(first), m.asset) << m.member;
    }
    // Like namespaces keep their own values.
    EXPECT_NE(*Styles::TextInput::errorTextColor(), *Styles::Control::errorTextColor());
    EXPECT_NE(*Styles::TextInput::highlightedTextColor(), *Styles::Control::highlightedTextColor());
    // The clear members are the platform's one clear colour.
    EXPECT_EQ(Styles::Control::background(), clearColor());
    EXPECT_EQ(Styles::TextInput::placeholderBackground(), clearColor());
    // The SwiftUI label colour is an object of its own beside its AppKit twin.
    EXPECT_NE(Styles::Label::textColor(), Styles::Label::nsTextColor());
}

TEST(StylesCatalogue, ComputedColoursAreNewOnEveryRead)
{
    const std::pair<const char*, ComputedColor> members[] = {
        {"Control.selectedBackground", Styles::Control::selectedBackground},
        {"Control.focusRingColor", Styles::Control::focusRingColor},
        {"OutlineRow.selectedBackground", Styles::OutlineRow::selectedBackground},
        {"TableRow.selectedBackground", Styles::TableRow::selectedBackground},
        {"TableGroupRow.selectedBackground", Styles::TableGroupRow::selectedBackground},
        {"TextInput.selectedBackground", Styles::TextInput::selectedBackground},
    };
    for (const auto& [member, read] : members) {
        const ColorRef first = read();
        const ColorRef second = read();
        EXPECT_NE(first, second) << member;
        EXPECT_EQ(*first, *second) << member;
        EXPECT_EQ(colorName(first), "Highlight/System") << member;
    }
}

TEST(StylesCatalogue, AliasesAreTheVerySameFontObject)
{
    const struct {
        const char* alias;
        FontMember read;
        FontMember base;
    } aliases[] = {
        {"Control.font", Styles::Control::font, Styles::BaseStyles::normalFont},
        {"OutlineHeader.font", Styles::OutlineHeader::font, Styles::BaseStyles::headerFont},
        {"OutlineRow.font", Styles::OutlineRow::font, Styles::BaseStyles::normalMonoFont},
        {"OutlineRow.selectedFont", Styles::OutlineRow::selectedFont, Styles::BaseStyles::mediumFont},
        {"TableHeader.font", Styles::TableHeader::font, Styles::BaseStyles::headerFont},
        {"TableRow.font", Styles::TableRow::font, Styles::BaseStyles::normalMonoFont},
        {"TableRow.selectedFont", Styles::TableRow::selectedFont, Styles::BaseStyles::mediumFont},
        {"TableGroupRow.font", Styles::TableGroupRow::font, Styles::BaseStyles::normalFont},
        {"TableGroupRow.selectedFont", Styles::TableGroupRow::selectedFont, Styles::BaseStyles::mediumFont},
        {"Label.font", Styles::Label::font, Styles::BaseStyles::normalFont},
        {"TextInput.font", Styles::TextInput::font, Styles::BaseStyles::normalFont},
        {"PropertiesTab.font", Styles::PropertiesTab::font, Styles::BaseStyles::headerFont},
        {"CanvasInfo.font", Styles::CanvasInfo::font, Styles::BaseStyles::normalFont},
    };
    for (const auto& a : aliases)
        EXPECT_EQ(a.read(), a.base()) << a.alias;
    EXPECT_EQ(Styles::TableRow::font(), Styles::OutlineRow::font());
    EXPECT_NE(Styles::BaseStyles::normalFont(), Styles::BaseStyles::normalMonoFont());
}

TEST(StylesCatalogue, FontsHaveTheirSizesAndWeights)
{
    const struct {
        const char* member;
        FontMember read;
        int pixels;
        QFont::Weight weight;
    } fonts[] = {
        {"normalFont", Styles::BaseStyles::normalFont, 10, QFont::Normal},
        {"normalMonoFont", Styles::BaseStyles::normalMonoFont, 10, QFont::Normal},
        {"mediumFont", Styles::BaseStyles::mediumFont, 10, QFont::Medium},
        {"headerFont", Styles::BaseStyles::headerFont, 12, QFont::Medium},
        {"menuFont", Styles::BaseStyles::menuFont, 12, QFont().weight()},
        {"titleFont", Styles::BaseStyles::titleFont, 14, QFont::Medium},
        {"largeTitleFont", Styles::BaseStyles::largeTitleFont, 20, QFont::Medium},
    };
    for (const auto& f : fonts) {
        EXPECT_EQ(f.read(), f.read()) << f.member << " is made once";
        EXPECT_EQ(f.read()->pixelSize(), f.pixels) << f.member;
        EXPECT_EQ(f.read()->weight(), f.weight) << f.member;
        EXPECT_EQ(f.read()->family(), QFont().family()) << f.member << " is the system font";
    }
    // Numbers in table rows line up: every digit of the monospaced-digit font is as wide.
    const QFontMetricsF metrics(*Styles::BaseStyles::normalMonoFont());
    for (const QChar digit : QStringLiteral("0123456789"))
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(digit), metrics.horizontalAdvance(QLatin1Char('0'))) << digit.toLatin1();
    EXPECT_EQ(Styles::Layout::materialPresetsSize, QSizeF(76, 83));
    EXPECT_EQ(Styles::BaseStyles::smallCorner, 3.0);
}

struct TwinColor {
    const char* member;
    ColorMember swiftUI;
    ColorMember appKit;
    const char* asset;
};

TEST(ColorCatalogues, EachMemberIsOneObjectOfItsAssetInEachForm)
{
    const TwinColor members[] = {
        {"Background.normal", TKColors::Background::normal, TKColorsAK::Background::normal, "Background/Normal"},
        {"Background.darker", TKColors::Background::darker, TKColorsAK::Background::darker, "Background/Darker"},
        {"Background.darkest", TKColors::Background::darkest, TKColorsAK::Background::darkest, "Background/Darkest"},
        {"Ostrel.aqua", TKColors::Ostrel::aqua, TKColorsAK::Ostrel::aqua, "Ostrel/Aqua"},
        {"Ostrel.blue", TKColors::Ostrel::blue, TKColorsAK::Ostrel::blue, "Ostrel/Blue"},
        {"Ostrel.darkPurple", TKColors::Ostrel::darkPurple, TKColorsAK::Ostrel::darkPurple, "Ostrel/DarkPurple"},
        {"Ostrel.lightBlue", TKColors::Ostrel::lightBlue, TKColorsAK::Ostrel::lightBlue, "Ostrel/LightBlue"},
        {"Ostrel.orange", TKColors::Ostrel::orange, TKColorsAK::Ostrel::orange, "Ostrel/Orange"},
        {"Ostrel.purple", TKColors::Ostrel::purple, TKColorsAK::Ostrel::purple, "Ostrel/Purple"},
        {"Ostrel.red", TKColors::Ostrel::red, TKColorsAK::Ostrel::red, "Ostrel/Red"},
        {"Ostrel.yellow", TKColors::Ostrel::yellow, TKColorsAK::Ostrel::yellow, "Ostrel/Yellow"},
        {"grey20", TKColors::grey20, TKColorsAK::grey20, "Grey 20%"},
        {"grey30", TKColors::grey30, TKColorsAK::grey30, "Grey 30%"},
        {"grey40", TKColors::grey40, TKColorsAK::grey40, "Grey 40%"},
        {"grey50", TKColors::grey50, TKColorsAK::grey50, "Grey 50%"},
        {"grey60", TKColors::grey60, TKColorsAK::grey60, "Grey 60%"},
        {"grey70", TKColors::grey70, TKColorsAK::grey70, "Grey 70%"},
        {"grey85", TKColors::grey85, TKColorsAK::grey85, "Grey 85%"},
        {"grey100", TKColors::grey100, TKColorsAK::grey100, "Grey 100%"},
    };
    for (const auto& m : members) {
        EXPECT_EQ(m.swiftUI(), m.swiftUI()) << m.member;
        EXPECT_EQ(m.appKit(), m.appKit()) << m.member;
        EXPECT_NE(m.swiftUI(), m.appKit()) << m.member << ": each form holds its own object";
        EXPECT_EQ(colorName(m.swiftUI()), m.asset) << m.member;
        EXPECT_EQ(colorName(m.appKit()), m.asset) << m.member;
    }
}

TEST(ImageCatalogues, EachMemberIsOneObjectOfItsAssetInEachForm)
{
    const struct {
        const char* member;
        ImageMember swiftUI;
        ImageMember appKit;
        ImageAsset asset;
    } members[] = {
        {"tkuiButton", TKImages::tkuiButton, TKImagesAK::tkuiButton, ImageAsset::tkuiButton},
        {"tkuiButtonDown", TKImages::tkuiButtonDown, TKImagesAK::tkuiButtonDown, ImageAsset::tkuiButtonDown},
        {"vartlowLogoBig", TKImages::vartlowLogoBig, TKImagesAK::vartlowLogoBig, ImageAsset::windowVartlow},
        {"tkuiCheckerboard", TKImages::tkuiCheckerboard, TKImagesAK::tkuiCheckerboard, ImageAsset::tkuiCheckerboard},
        {"tkuiCheckerboardSmall", TKImages::tkuiCheckerboardSmall, TKImagesAK::tkuiCheckerboardSmall,
         ImageAsset::tkuiCheckerboardSmall},
        {"tkuiTextfield", TKImages::tkuiTextfield, TKImagesAK::tkuiTextfield, ImageAsset::tkuiTextfield},
        {"tkuiTextfieldError", TKImages::tkuiTextfieldError, TKImagesAK::tkuiTextfieldError, ImageAsset::tkuiTextfieldError},
        {"tkuiTextfieldFocus", TKImages::tkuiTextfieldFocus, TKImagesAK::tkuiTextfieldFocus, ImageAsset::tkuiTextfieldFocus},
        {"tkuiCheckbox", TKImages::tkuiCheckbox, TKImagesAK::tkuiCheckbox, ImageAsset::tkuiCheckbox},
        {"tkuiCheckboxOn", TKImages::tkuiCheckboxOn, TKImagesAK::tkuiCheckboxOn, ImageAsset::tkuiCheckboxOn},
        {"tkuiCheckboxDown", TKImages::tkuiCheckboxDown, TKImagesAK::tkuiCheckboxDown, ImageAsset::tkuiCheckboxDown},
        {"tkuiCheckboxOnDown", TKImages::tkuiCheckboxOnDown, TKImagesAK::tkuiCheckboxOnDown, ImageAsset::tkuiCheckboxOnDown},
    };
    for (const auto& m : members) {
        const auto& info = imageAssetInfo(m.asset);
        for (const auto& image : {m.swiftUI(), m.appKit()}) {
            ASSERT_TRUE(image) << m.member;
            EXPECT_FALSE(image->isNull()) << m.member;
            EXPECT_EQ(image->name(), QString::fromLatin1(info.name)) << m.member;
            EXPECT_EQ(image->size(), info.size) << m.member;
        }
        EXPECT_EQ(m.swiftUI(), m.swiftUI()) << m.member;
        EXPECT_EQ(m.appKit(), m.appKit()) << m.member;
        EXPECT_NE(m.swiftUI(), m.appKit()) << m.member;
    }
    const ImageRef& cursor = TKImagesAK::cursorTrackingslider();
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->name(), "cursor-trackingslider");
    EXPECT_FALSE(cursor->isNull());
    EXPECT_EQ(cursor, TKImagesAK::cursorTrackingslider());
}

TEST(ResourceConstants, ColoursWithoutACatalogueMemberAreStillConstants)
{
    EXPECT_EQ(&ColorResource::error(), &ColorResource::error());
    EXPECT_EQ(&ColorResource::highlightSystem(), &ColorResource::of(ColorAsset::highlightSystem));
    EXPECT_EQ(ColorResource::error().name(), "Error");
    EXPECT_EQ(ColorResource::highlightSystem().name(), "Highlight/System");
    EXPECT_TRUE(ColorResource::error().value().isValid());
    // Each colour made from a resource is a new object.
    EXPECT_NE(ColorResource::error().makeColor(), ColorResource::error().makeColor());
    EXPECT_EQ(&ImageResource::tkuiButton(), &ImageResource::of(ImageAsset::tkuiButton));
    EXPECT_NE(ImageResource::tkuiButton().makeImage(), ImageResource::tkuiButton().makeImage());
}

TEST(StyleObjects, DefaultsShareCatalogueObjectsExceptTheColoursMadePerInstance)
{
    const ControlStyle a;
    const ControlStyle b;
    // Shared: fonts and catalogue colours.
    EXPECT_EQ(a.font(), b.font());
    EXPECT_EQ(a.font(), Styles::Control::font());
    EXPECT_EQ(a.selectedFont(), a.font());
    EXPECT_EQ(a.textColor(), Styles::Control::textColor());
    EXPECT_EQ(a.textColor(), b.textColor());
    EXPECT_EQ(a.textBackgroundColor(), Styles::Control::background());
    EXPECT_EQ(a.invalidBackgroundColor(), Styles::Control::errorBackground());
    EXPECT_EQ(a.invalidFocusRingColor(), Styles::Control::errorFocusRingColor());
    // Per instance: the base background, the selected background and the focus ring.
    EXPECT_NE(a.backgroundColor(), b.backgroundColor());
    EXPECT_NE(a.selectedBackgroundColor(), b.selectedBackgroundColor());
    EXPECT_NE(a.focusRingColor(), b.focusRingColor());
    EXPECT_EQ(*a.focusRingColor(), *b.focusRingColor());

    const TableViewStyle t1;
    const TableViewStyle t2;
    EXPECT_EQ(t1.rowBackgroundColor(), Styles::TableView::background());
    EXPECT_EQ(t1.headerBackgroundColor(), Styles::TableHeader::background());
    EXPECT_EQ(t1.textColor(), Styles::TableRow::textColor());
    EXPECT_NE(t1.selectedRowBackgroundColor(), t2.selectedRowBackgroundColor());

    const WindowStyle w1;
    const WindowStyle w2;
    EXPECT_EQ(w1.font(), Styles::BaseStyles::normalFont());
    EXPECT_NE(w1.textColor(), w2.textColor());
    EXPECT_NE(w1.textColor(), Styles::Control::textColor());

    const TextFieldCellStyle f1;
    const TextFieldCellStyle f2;
    EXPECT_EQ(f1.invalidTextColor(), Styles::TextInput::errorTextColor());
    EXPECT_NE(f1.selectedBackgroundColor(), f2.selectedBackgroundColor());

    // Style objects made on the spot hold images of their own; the catalogues hold theirs.
    const ButtonCellStyle button;
    const ImageRef bezel = button.bezelImage(StyledControlState::defaultState);
    EXPECT_EQ(bezel->name(), TKImagesAK::tkuiButton()->name());
    EXPECT_NE(bezel, TKImagesAK::tkuiButton());
}

} // namespace
