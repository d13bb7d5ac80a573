// The application's button styles and resources: which assets each style draws, the dimmed
// disabled look of the second style only, the layout the styles give a button, a press seen
// in the picture, and every asset of the bundle at both scales.
#include "Zindle/AppResources.h"
#include "Zindle/DefaultOstrelButtonStyle.h"
#include "Zindle/VartlowButtonStyle.h"

#include "Mossbell/tests/QStringPrinter.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/Foundation/TKImages.h"
#include "platform/assets/AssetCatalog.h"
#include "platform/ui/Stack.h"

#include <gtest/gtest.h>

#include <QTest>

namespace zindleapp {
namespace {

TEST(StylesTest, EachStyleDrawsFromItsOwnCatalogue)
{
    const VartlowButtonStyle vartlow;
    EXPECT_EQ(vartlow.background(false).name(), "tkui-button");
    EXPECT_EQ(vartlow.background(true).name(), "tkui-button-down");
    EXPECT_EQ(&vartlow.background(false).bundle(), &resourceBundle()) << "the application's own images";
    EXPECT_EQ(vartlow.textColor(false), ColorResource::buttonText().value());
    EXPECT_EQ(vartlow.textColor(true), ColorResource::labels().value());
    EXPECT_EQ(vartlow.font().pixelSize(), 12);
    EXPECT_EQ(vartlow.font().weight(), QFont::Bold);

    DefaultOstrelButtonStyle ostrel;
    EXPECT_EQ(ostrel.background(false), tarnkit::TKImages::tkuiButton());
    EXPECT_EQ(ostrel.background(true), tarnkit::TKImages::tkuiButtonDown());
    EXPECT_EQ(ostrel.textColor(false), *tarnkit::Styles::Control::textColor());
    EXPECT_EQ(ostrel.textColor(true), *tarnkit::Styles::Control::highlightedTextColor());
    EXPECT_EQ(ostrel.font().pixelSize(), 11);
    EXPECT_EQ(ostrel.font().weight(), QFont::Normal);

    // Only the second style dims a disabled button, pressed or not.
    ostrel.setEnabled(false);
    for (const bool pressed : {false, true}) {
        QColor dimmed = pressed ? *tarnkit::Styles::Control::highlightedTextColor() : *tarnkit::Styles::Control::textColor();
        dimmed.setAlphaF(dimmed.alphaF() * 0.5f);
        EXPECT_EQ(ostrel.textColor(pressed), dimmed);
    }
}

TEST(StylesTest, AButtonTakesFourPointsLessThanItDraws)
{
    auto* row = ui::hstack(0);
    const auto style = std::make_shared<const VartlowButtonStyle>();
    auto* button = new ui::Button([] { return ui::ButtonLabel{"Go", {}, {}, {}}; }, [] {}, style);
    button->setFlexible(Qt::Horizontal);
    auto* after = new ui::Button([] { return ui::ButtonLabel{"Next", {}, {}, {}}; }, [] {}, style);
    row->add(button, HostButtonStyle::placement(180));
    row->add(after);
    EXPECT_EQ(style->size(button->label()).height(), 24);
    EXPECT_EQ(row->naturalSize().width(), 176 + style->size(after->label()).width());
    const std::vector<QRectF> rects = row->arrange(row->naturalSize());
    EXPECT_EQ(rects[0], QRectF(-2, 0, 180, 24)) << "2 points past its room on each side";
    EXPECT_EQ(rects[1].left(), 176);
    delete row;
}

TEST(StylesTest, APressShowsTheHeldImageAndColour)
{
    QWidget window;
    auto* button = new ui::Button([] { return ui::ButtonLabel{"Help", {}, {}, {}}; }, [] {},
                                  std::make_shared<const VartlowButtonStyle>(), &window);
    button->setGeometry(0, 0, 180, 24);
    window.resize(180, 24);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage rest = button->grab().toImage();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(90, 12));
    const QImage held = button->grab().toImage();
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(90, 12));
    EXPECT_NE(rest, held);
    EXPECT_EQ(button->grab().toImage(), rest);
    // The face itself darkens, away from the label.
    EXPECT_LT(qGray(held.pixel(8, 12)), qGray(rest.pixel(8, 12)));
}

TEST(ResourcesTest, EveryAssetAtBothScalesAndTheHelpPage)
{
    const assets::AssetCatalog catalog(resourceBundle().bundlePath());
    for (const ColorAsset asset : allColorAssets)
        EXPECT_TRUE(catalog.color(assetName(asset)).has_value()) << assetName(asset).toStdString();
    for (const ImageAsset asset : allImageAssets) {
        const auto& info = imageAssetInfo(asset);
        for (const int scale : {1, 2}) {
            const QImage image = catalog.imageAtScale(assetName(asset), scale);
            EXPECT_EQ(image.size(), QSize(int(info.width) * scale, int(info.height) * scale)) << info.name << " @" << scale;
        }
    }
    // The maker's artwork is a template: a shape in its alpha alone.
    const QImage artwork = ImageResource::windowVartlow().image(2.0);
    int opaque = 0;
    for (int y = 0; y < artwork.height(); ++y)
        for (int x = 0; x < artwork.width(); ++x)
            opaque += qAlpha(artwork.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 200);

    EXPECT_EQ(welcomeHelpURL().scheme(), "https");
    EXPECT_EQ(welcomeHelpURL().path(), "/help/zindle/welcome/");
    EXPECT_EQ(&welcomeHelpURL(), &welcomeHelpURL()) << "made once";
    EXPECT_EQ(QFontInfo(roundedSystemFont(15, QFont::Bold)).family(), "Dosis");
}

} // namespace
} // namespace zindleapp
