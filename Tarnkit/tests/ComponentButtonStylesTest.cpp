#include "Tarnkit/Components/DefaultOstrelButtonStyle.h"
#include "Tarnkit/Components/SegmentedButtonStyle.h"
#include "Tarnkit/Components/VartlowButtonStyle.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/TKImages.h"
#include "Tarnkit/tests/TestColors.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace tarnkit;
using tarnkit::testing::colorName;
using tarnkit::testing::imageName;

ui::ButtonLabel textLabel(QString text, int pixelSize = 13)
{
    QFont font;
    font.setPixelSize(pixelSize);
    return ui::ButtonLabel{std::move(text), font, Qt::red, {}};
}

// A label of full blocks: the middle of the button is then wholly text colour over the bezel.
const ui::ButtonLabel blocks = textLabel(QStringLiteral("\u2588\u2588\u2588"));

QImage rendered(const ImageBackedButtonStyle& style, const ui::ButtonLabel& label, bool isPressed)
{
    const QSize size = style.size(label).toSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    style.paint(painter, QRectF(QPointF(0, 0), size), label, isPressed);
    return image;
}

// What the middle of the button should show: background drawn where the style draws it, the
// text colour laid over it.
QImage expected(QSize size, const ImageBackedButtonStyle::Appearance& look)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    const QSizeF imageSize = look.background->size();
    look.background->draw(painter, QPointF(std::round((size.width() - imageSize.width()) / 2),
                                           std::round((size.height() - imageSize.height()) / 2)));
    painter.fillRect(QRect(size.width() / 2 - 1, size.height() / 2 - 1, 3, 3), look.textColor);
    return image;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

struct PushCase {
    const char* style;
    bool isPressed;
    bool isEnabled;
    const char* textColor;
    double opacity;
    const char* background;
};

class PushButtonStyleTest : public ::testing::TestWithParam<PushCase> {
protected:
    static std::unique_ptr<ImageBackedButtonStyle> make(const PushCase& c)
    {
        if (std::string(c.style) == "vartlow")
            return std::make_unique<VartlowButtonStyle>(); // has no disabled look
        return std::make_unique<DefaultOstrelButtonStyle>(c.isEnabled);
    }
};

TEST_P(PushButtonStyleTest, DrawsItsTextColourOverItsBezel)
{
    const PushCase& c = GetParam();
    const auto style = make(c);
    const ImageBackedButtonStyle::Appearance look = style->appearance(c.isPressed);

    QColor opaque = look.textColor;
    opaque.setAlphaF(1);
    EXPECT_EQ(colorName(std::make_shared<const QColor>(opaque)), c.textColor);
    EXPECT_NEAR(look.textColor.alphaF(), c.opacity, 0.01);
    EXPECT_EQ(imageName(look.background), c.background);
    EXPECT_EQ(look.background, c.isPressed ? TKImages::tkuiButtonDown() : TKImages::tkuiButton());

    const QImage drawn = rendered(*style, blocks, c.isPressed);
    const QImage want = expected(drawn.size(), look);
    const QPoint middle(drawn.width() / 2, drawn.height() / 2);
    EXPECT_TRUE(near(drawn.pixel(middle), want.pixel(middle), 3))
        << std::hex << drawn.pixel(middle) << " against " << want.pixel(middle);
    const QPoint bezel(3, drawn.height() / 2); // left of the text, on the bezel's face
    EXPECT_EQ(drawn.pixel(bezel), want.pixel(bezel));
}

INSTANTIATE_TEST_SUITE_P(
    PressedEnabledStyle, PushButtonStyleTest,
    ::testing::Values(PushCase{"default", false, true, "Grey 85%", 1.0, "tkui-button"},
                      PushCase{"default", true, true, "Grey 50%", 1.0, "tkui-button-down"},
                      PushCase{"default", false, false, "Grey 85%", 0.5, "tkui-button"},
                      PushCase{"default", true, false, "Grey 50%", 0.5, "tkui-button-down"},
                      PushCase{"vartlow", false, true, "Grey 85%", 1.0, "tkui-button"},
                      PushCase{"vartlow", true, true, "Grey 50%", 1.0, "tkui-button-down"},
                      PushCase{"vartlow", false, false, "Grey 85%", 1.0, "tkui-button"},
                      PushCase{"vartlow", true, false, "Grey 50%", 1.0, "tkui-button-down"}));

TEST(PushButtonStyleTest, FontsAreTheStylesOwnWhateverTheLabelSays)
{
    const DefaultOstrelButtonStyle standard;
    const VartlowButtonStyle bold;
    for (const bool isPressed : {false, true}) {
        const QFont regular = standard.appearance(isPressed).font;
        EXPECT_EQ(regular.pixelSize(), 11);
        EXPECT_EQ(regular.weight(), QFont::Normal);
        const QFont rounded = bold.appearance(isPressed).font;
        EXPECT_EQ(rounded.pixelSize(), 12);
        EXPECT_EQ(rounded.weight(), QFont::Bold);
        EXPECT_EQ(rounded.families().value(0), "Dosis");
    }
}

TEST(PushButtonStyleTest, IsTwentyFourPointsHighAndCoversItsBezelAndText)
{
    const DefaultOstrelButtonStyle standard;
    const VartlowButtonStyle bold;
    const QString longTitle = QStringLiteral("A title far wider than the bezel image is");
    for (const ImageBackedButtonStyle* style : {static_cast<const ImageBackedButtonStyle*>(&standard),
                                                static_cast<const ImageBackedButtonStyle*>(&bold)}) {
        for (const int labelFontSize : {6, 13, 40}) {
            EXPECT_EQ(style->size(textLabel("OK", labelFontSize)), QSizeF(80, 24)) << labelFontSize; // the bezel's width
            const QSizeF wide = style->size(textLabel(longTitle, labelFontSize));
            EXPECT_EQ(wide.height(), 24);
            EXPECT_EQ(wide.width(), ui::textSize(longTitle, style->appearance(false).font).width());
        }
    }
    EXPECT_EQ(pushButtonSlotPadding, QMarginsF(-2, 0, -2, 0));
}

TEST(SegmentedButtonStyleTest, PressedWinsOverSelected)
{
    struct Case {
        bool isSelected;
        bool isPressed;
        const char* textColor;
        const char* tab;
    };
    for (const Case& c : {Case{false, false, "Grey 70%", "tkui-window-tab"},
                          Case{true, false, "Grey 85%", "tkui-window-tab-selected"},
                          Case{false, true, "Grey 50%", "tkui-window-tab-down"},
                          Case{true, true, "Grey 50%", "tkui-window-tab-down"}}) {
        const SegmentedButtonStyle style(c.isSelected);
        const auto look = style.appearance(c.isPressed);
        EXPECT_EQ(colorName(std::make_shared<const QColor>(look.textColor)), c.textColor);
        EXPECT_EQ(imageName(look.background), c.tab);
        EXPECT_EQ(look.font.pixelSize(), 12);
        EXPECT_EQ(look.font.weight(), QFont::Medium);

        const QImage drawn = rendered(style, blocks, c.isPressed);
        const QImage want = expected(drawn.size(), look);
        const QPoint middle(drawn.width() / 2, drawn.height() / 2);
        EXPECT_TRUE(near(drawn.pixel(middle), want.pixel(middle), 3)) << c.tab;
    }
}

TEST(SegmentedButtonStyleTest, PadsTheLabelAndCoversTheTab)
{
    const SegmentedButtonStyle style(false);
    const QFont font = style.appearance(false).font;
    const QString title = QStringLiteral("A segment with a long title");
    const QSizeF text = ui::textSize(title, font);
    EXPECT_EQ(style.size(textLabel(title)), QSizeF(text.width() + 32, std::max(text.height() + 12, 28.0)));
    EXPECT_EQ(style.size(textLabel("A")), QSizeF(80, std::max(ui::textSize("A", font).height() + 12, 28.0)));
}

} // namespace
