#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/ImageOperations.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QPainter>

#include <memory>
#include <stdexcept>

namespace {

using tarnkit::Image;
using tarnkit::ImageRef;

// A shape of size points at ratio: an opaque left half (in shapeColor) and a half-transparent
// right half, over a transparent ground.
QImage shape(QSize size, qreal ratio, QColor shapeColor = Qt::black)
{
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(QRectF(0, 0, size.width() / 2.0, size.height()), shapeColor);
    QColor half = shapeColor;
    half.setAlphaF(0.5f);
    painter.fillRect(QRectF(size.width() / 2.0, 0, size.width() / 2.0, size.height()), half);
    return image;
}

ImageRef makeImage(bool isTemplate)
{
    return std::make_shared<const Image>("glyph", shape({8, 4}, 1), shape({8, 4}, 2), tarnkit::EdgeInsets{1, 1, 1, 1},
                                         isTemplate);
}

TEST(RenderedIfTemplate, FillsATemplateWithTheColourKeepingItsAlpha)
{
    const ImageRef glyph = makeImage(true);
    const ImageRef tinted = tarnkit::renderedIfTemplate(glyph, QColor(255, 0, 0));
    ASSERT_NE(tinted, glyph);
    EXPECT_FALSE(tinted->isTemplate());
    EXPECT_TRUE(glyph->isTemplate()); // the original is left alone
    EXPECT_EQ(tinted->size(), glyph->size());
    EXPECT_EQ(tinted->capInsets(), glyph->capInsets());
    for (const QImage* representation : {&tinted->oneX(), &tinted->twoX()}) {
        const int w = representation->width();
        EXPECT_EQ(representation->pixelColor(0, 0), QColor(255, 0, 0));
        const QColor right = representation->pixelColor(w - 1, 0);
        EXPECT_EQ(right.red(), 255);
        EXPECT_EQ(right.green(), 0);
        EXPECT_NEAR(right.alpha(), 128, 1);
    }
    EXPECT_EQ(tinted->twoX().devicePixelRatio(), 2.0);
}

TEST(RenderedIfTemplate, ReturnsAnyOtherImageItself)
{
    const ImageRef picture = makeImage(false);
    EXPECT_EQ(tarnkit::renderedIfTemplate(picture, Qt::red), picture);
    EXPECT_EQ(tarnkit::renderedIfTemplate(nullptr, Qt::red), nullptr);
}

TEST(ImageOperations, FadesAndPadsEveryRepresentation)
{
    const ImageRef glyph = makeImage(false);
    const ImageRef faded = tarnkit::withAlpha(*glyph, 0.25);
    EXPECT_EQ(faded->size(), glyph->size());
    EXPECT_NEAR(faded->oneX().pixelColor(0, 0).alpha(), 64, 1);
    EXPECT_NEAR(faded->twoX().pixelColor(0, 0).alpha(), 64, 1);

    const ImageRef padded = tarnkit::withPadding(*glyph, 3);
    EXPECT_EQ(padded->size(), QSizeF(11, 4));
    EXPECT_EQ(padded->oneX().size(), QSize(11, 4));
    EXPECT_EQ(padded->twoX().size(), QSize(22, 8));
    // The padding is transparent; the image starts 3 points (6 pixels at 2x) in.
    EXPECT_EQ(padded->oneX().pixelColor(2, 0).alpha(), 0);
    EXPECT_EQ(padded->oneX().pixelColor(3, 0).alpha(), 255);
    EXPECT_EQ(padded->twoX().pixelColor(5, 0).alpha(), 0);
    EXPECT_EQ(padded->twoX().pixelColor(6, 0).alpha(), 255);
}

TEST(ImageOperations, FiltersRepresentationsAndLetsErrorsThrough)
{
    const ImageRef glyph = makeImage(false);
    const ImageRef onlyTwoX =
        tarnkit::filterRepresentations(*glyph, [](const QImage& r) { return r.devicePixelRatio() > 1; });
    EXPECT_TRUE(onlyTwoX->oneX().isNull());
    EXPECT_FALSE(onlyTwoX->twoX().isNull());
    EXPECT_THROW(tarnkit::filterRepresentations(*glyph, [](const QImage&) -> bool { throw std::runtime_error("no"); }),
                 std::runtime_error);
}

// The bitmap handed out is the one drawing on that painter would use.
TEST(ImageOperations, TheBitmapRepresentationFollowsThePaintersDensity)
{
    const ImageRef glyph = makeImage(false);
    const Image onlyTwoX("glyph", QImage(), shape({8, 4}, 2));
    QImage oneXDevice(16, 16, QImage::Format_ARGB32_Premultiplied);
    QImage twoXDevice(32, 32, QImage::Format_ARGB32_Premultiplied);
    twoXDevice.setDevicePixelRatio(2);
    QPainter onOneX(&oneXDevice);
    QPainter onTwoX(&twoXDevice);
    QImage scaledDevice(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter scaled(&scaledDevice);
    scaled.scale(3, 3);

    const struct {
        const char* label;
        const Image& image;
        const QPainter* painter;
        qreal ratio;
    } cases[] = {
        {"no painter", *glyph, nullptr, 1},         {"a 1x device", *glyph, &onOneX, 1},
        {"a 2x device", *glyph, &onTwoX, 2},        {"a scaled painter", *glyph, &scaled, 2},
        {"only 2x, on 1x", onlyTwoX, &onOneX, 2},
    };
    for (const auto& c : cases) {
        const auto bitmap = tarnkit::firstBitmapImageRep(c.image, c.painter);
        ASSERT_TRUE(bitmap.has_value()) << c.label;
        EXPECT_EQ(bitmap->devicePixelRatio(), c.ratio) << c.label;
        EXPECT_EQ(bitmap->size(), QSize(8, 4) * c.ratio) << c.label;
    }
    EXPECT_FALSE(tarnkit::firstBitmapImageRep(Image("none", QImage(), QImage())).has_value());
}

TEST(PngP3Data, WritesSixteenBitDisplayP3)
{
    QImage source(4, 2, QImage::Format_ARGB32);
    source.fill(QColor(255, 0, 0));
    source.setPixelColor(3, 1, QColor(0, 0, 255, 128));
    const auto data = tarnkit::pngP3Data(source);
    ASSERT_TRUE(data.has_value());

    // The PNG header: bit depth 16, colour type 6 (RGB with alpha).
    ASSERT_GT(data->size(), 26);
    EXPECT_EQ(data->mid(1, 3), QByteArray("PNG"));
    EXPECT_EQ(quint8(data->at(24)), 16);
    EXPECT_EQ(quint8(data->at(25)), 6);

    QBuffer buffer(const_cast<QByteArray*>(&*data));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QImage back = reader.read();
    ASSERT_FALSE(back.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(back.size(), QSize(4, 2));
    EXPECT_EQ(back.depth(), 64);
    EXPECT_EQ(back.colorSpace(), QColorSpace(QColorSpace::DisplayP3));
    // sRGB red lies inside the P3 gamut: less saturated numbers there, and alpha is kept.
    const QColor red = back.pixelColor(0, 0);
    EXPECT_NEAR(red.redF(), 0.917, 0.01);
    EXPECT_NEAR(red.greenF(), 0.200, 0.01);
    EXPECT_NEAR(back.pixelColor(3, 1).alphaF(), 128 / 255.0, 0.01);
    // Read back into sRGB, it is the red it was.
    QImage srgb = back.convertToFormat(QImage::Format_RGBA64);
    srgb.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
    EXPECT_NEAR(srgb.pixelColor(0, 0).redF(), 1.0, 0.01);
    EXPECT_NEAR(srgb.pixelColor(0, 0).greenF(), 0.0, 0.01);
}

TEST(PngP3Data, GivesNoneForANullImageAndUsesTheDetailedRepresentation)
{
    EXPECT_FALSE(tarnkit::pngP3Data(QImage()).has_value());
    const auto data = tarnkit::pngP3Data(*makeImage(false));
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(QImage::fromData(*data, "png").size(), QSize(16, 8));
}

} // namespace
