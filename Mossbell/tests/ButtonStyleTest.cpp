// The two push-button styles of the bitmap family, drawn on the view layer's button.

#include "ButtonBench.h"
#include "QStringPrinter.h"

#include "Mossbell/ModernButtonStyle.h"
#include "Mossbell/SettingsButtonStyle.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace mossbell {
namespace {

const QColor magenta(255, 0, 255);

// A 6 x 7 point block as the button's label, to find where the style puts its label.
ui::ButtonLabel blockLabel()
{
    return ui::ButtonLabel{{}, {}, {}, [](qreal scale) {
                               QImage block((QSizeF(6, 7) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
                               block.setDevicePixelRatio(scale);
                               block.fill(magenta);
                               return block;
                           }};
}

ui::ButtonLabel textLabel(const QString& text)
{
    return ui::ButtonLabel{text, mossFont(MossFont::zindle, 16), Qt::black, {}};
}

// Renders the button at a scale on a transparent ground; when pressed, it is held down first.
QImage render(ui::Button& button, qreal scale, bool pressed)
{
    button.resize(button.sizeHint());
    button.show();
    test::Pointer pointer(button);
    if (pressed)
        pointer.press(QRectF(button.rect()).center());
    EXPECT_EQ(button.isPressed(), pressed);
    const QImage image = test::renderScaled(button, scale, Qt::transparent);
    if (pressed)
        pointer.release(QPointF(-50, -50));
    return image;
}

// The centre, in points, of the pixels of exactly this colour; null when there are none.
QPointF centreOf(const QImage& image, QColor color)
{
    QRect found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                found |= QRect(x, y, 1, 1);
    if (found.isNull())
        return {};
    return QRectF(found).center() / image.devicePixelRatio();
}

int countOf(const QImage& image, QColor color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == color;
    return count;
}

// The key image as the style should draw it filling the button: the button's own pixels.
// Compared at 1x: rendered to an image, views draw their 1x pictures at any scale.
bool showsKey(const QImage& rendered, const ImageResource& key)
{
    const QImage expected = key.image(rendered.devicePixelRatio()).convertToFormat(rendered.format());
    return rendered.size() == expected.size() && rendered == expected;
}

// --- ModernButtonStyle ------------------------------------------------------------------------

TEST(ModernButtonStyle, KeyAndLabelColourFollowIsOnTheKeyAlsoThePress)
{
    const QColor green(0, 255, 0);
    const QColor buttonText = ColorResource::of(ColorAsset::buttonText).value();
    ASSERT_TRUE(buttonText.isValid());
    const struct {
        bool isOn;
        bool pressed;
        const char* image;
        QColor label;
    } cases[] = {
        {false, false, "modern-button", buttonText},
        {false, true, "modern-button-down", buttonText},
        {true, false, "modern-button-on", green},
        {true, true, "modern-button-on-down", green},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.isOn ? "on" : "off") + (c.pressed ? ", pressed" : ""));
        const auto style = std::make_shared<ModernButtonStyle>(c.isOn, green);
        EXPECT_EQ(style->image(c.pressed).name(), c.image);
        EXPECT_EQ(style->labelColor(), c.label);

        ui::Button bare([] { return ui::ButtonLabel{}; }, nullptr, style);
        EXPECT_TRUE(showsKey(render(bare, 1, c.pressed), style->image(c.pressed))) << "the key fills the button";

        ui::Button titled([] { return textLabel("FREEZE"); }, nullptr, style);
        const QImage picture = render(titled, 2, c.pressed);
        EXPECT_EQ(countOf(picture, green) > 0, c.isOn) << "the label is green only while on";
    }
}

TEST(ModernButtonStyle, KeyIsTwentySevenHighAndTheLabelTwoPointsLow)
{
    const auto style = std::make_shared<ModernButtonStyle>(false, Qt::white);
    EXPECT_EQ(style->size(ui::ButtonLabel{}), QSizeF(88, 27));
    const ui::ButtonLabel wide = textLabel("A LABEL FAR WIDER THAN THE KEY");
    EXPECT_EQ(style->size(wide), QSizeF(wide.size().width(), 27)) << "the key keeps its proportions";

    ui::Button button(blockLabel, nullptr, style);
    for (const qreal scale : {1.0, 2.0}) {
        const QPointF centre = centreOf(render(button, scale, false), magenta);
        EXPECT_EQ(centre, QPointF(44, 13.5 + 2)) << scale << "x";
    }

    // Given a wider button, the key stays 88 x 27 in the middle.
    ui::Button wider([] { return ui::ButtonLabel{}; }, nullptr, style);
    wider.show();
    wider.resize(120, 27);
    QImage image(wider.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    wider.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(image.pixelColor(15, 13).alpha(), 0);
    EXPECT_EQ(image.pixelColor(105, 13).alpha(), 0);
    EXPECT_TRUE(showsKey(image.copy(16, 0, 88, 27), style->image(false)));
}

TEST(ModernButtonStyle, IsAValueThatCanChange)
{
    ModernButtonStyle style(false, Qt::red);
    style.setOn(true);
    style.setColor(Qt::blue);
    EXPECT_TRUE(style.isOn());
    EXPECT_EQ(style.labelColor(), QColor(Qt::blue));
    EXPECT_EQ(style.image(false).name(), "modern-button-on");
}

// --- SettingsButtonStyle ----------------------------------------------------------------------

TEST(SettingsButtonStyle, KeyFollowsThePressAndOnlyZindleMovesTheLabel)
{
    const struct {
        MossFont font;
        qreal offset;
    } cases[] = {{MossFont::zindle, 2}, {MossFont::dosisLight, 0}, {MossFont::dosisMedium, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(fontName(c.font).toStdString());
        const auto style = std::make_shared<SettingsButtonStyle>(c.font);
        EXPECT_EQ(style->labelOffset(), c.offset);
        EXPECT_EQ(style->labelColor(), ColorResource::of(ColorAsset::buttonText).value());
        EXPECT_EQ(style->size(ui::ButtonLabel{}), QSizeF(72, 24));

        ui::Button bare([] { return ui::ButtonLabel{}; }, nullptr, style);
        for (const bool pressed : {false, true}) {
            EXPECT_EQ(style->image(pressed).name(), pressed ? "settings-button-down" : "settings-button");
            EXPECT_TRUE(showsKey(render(bare, 1, pressed), style->image(pressed))) << pressed;
        }

        ui::Button block(blockLabel, nullptr, style);
        EXPECT_EQ(centreOf(render(block, 2, false), magenta), QPointF(36, 12 + c.offset));
    }
}

TEST(SettingsButtonStyle, TheLabelIsButtonTextWhateverTheCallerColoured)
{
    const QColor buttonText = ColorResource::of(ColorAsset::buttonText).value();
    const auto style = std::make_shared<SettingsButtonStyle>(MossFont::dosisMedium);
    ui::Button plain([] { return ui::ButtonLabel{}; }, nullptr, style);
    ui::Button titled(
        [] {
            ui::ButtonLabel label = textLabel("SETTINGS");
            label.color = QColor(0, 255, 0);
            return label;
        },
        nullptr, style);
    const QImage withText = render(titled, 2, false);
    EXPECT_EQ(countOf(withText, QColor(0, 255, 0)), 0);
    EXPECT_GT(countOf(withText, buttonText), countOf(render(plain, 2, false), buttonText));
}

} // namespace
} // namespace mossbell
