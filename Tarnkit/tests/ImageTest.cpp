#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Image.h"

#include <gtest/gtest.h>


namespace {

using tarnkit::EdgeInsets;
using tarnkit::Image;

// A 10 x 10 point image whose corners (3 x 3 points), edges and middle have colours of their
// own, at the given scale.
QImage regions(int scale, QColor middle = Qt::green)
{
    QImage image(10 * scale, 10 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(middle);
    QPainter p(&image);
    p.scale(scale, scale);
    p.fillRect(QRectF(0, 0, 3, 10), Qt::blue);  // left column
    p.fillRect(QRectF(7, 0, 3, 10), Qt::cyan);  // right column
    p.fillRect(QRectF(0, 0, 3, 3), Qt::red);    // top left
    p.fillRect(QRectF(7, 7, 3, 3), Qt::yellow); // bottom right
    return image;
}

QImage canvas(QSize size, qreal ratio = 1.0)
{
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

QColor at(const QImage& image, int x, int y)
{
    return QColor::fromRgba(image.pixel(x, y));
}

TEST(Image, StretchesOnlyTheMiddleBetweenItsCaps)
{
    const Image image("regions", regions(1), QImage(), EdgeInsets{3, 3, 3, 3});
    QImage target = canvas(QSize(40, 20));
    {
        QPainter p(&target);
        image.draw(p, QRectF(0, 0, 40, 20));
    }
    const struct {
        int x, y;
        Qt::GlobalColor color;
    } samples[] = {
        {0, 0, Qt::red},      {2, 2, Qt::red},      // the corner keeps its 3 points
        {3, 3, Qt::green},    {20, 10, Qt::green},  // the middle fills the rest
        {1, 10, Qt::blue},    {38, 10, Qt::cyan},   // edges stretch along one axis only
        {37, 17, Qt::yellow}, {39, 19, Qt::yellow}, // the far corner keeps its 3 points
        {36, 16, Qt::green},
    };
    for (const auto& s : samples)
        EXPECT_EQ(at(target, s.x, s.y), QColor(s.color)) << s.x << "," << s.y;
}

TEST(Image, ShrinksItsCapsInProportionWhenTheRectIsSmaller)
{
    const Image image("regions", regions(1), QImage(), EdgeInsets{3, 3, 3, 3});
    QImage target = canvas(QSize(4, 4));
    {
        QPainter p(&target);
        image.draw(p, QRectF(0, 0, 4, 4));
    }
    EXPECT_EQ(at(target, 0, 0), QColor(Qt::red));
    EXPECT_EQ(at(target, 3, 3), QColor(Qt::yellow));
}

TEST(Image, DrawsTheRepresentationOfThePaintersScale)
{
    const Image image("two", regions(1, Qt::green), regions(2, Qt::magenta));
    EXPECT_EQ(image.size(), QSizeF(10, 10));

    QImage oneX = canvas(QSize(10, 10));
    QImage twoX = canvas(QSize(10, 10), 2.0);
    QImage scaled = canvas(QSize(20, 20));
    {
        QPainter p1(&oneX);
        image.draw(p1, QPointF(0, 0));
        QPainter p2(&twoX);
        image.draw(p2, QPointF(0, 0));
        QPainter p3(&scaled);
        p3.scale(2, 2);
        image.draw(p3, QPointF(0, 0));
    }
    EXPECT_EQ(at(oneX, 5, 5), QColor(Qt::green));
    EXPECT_EQ(at(twoX, 10, 10), QColor(Qt::magenta));
    EXPECT_EQ(at(twoX, 19, 19), QColor(Qt::yellow)); // all 20 device pixels are the 2x drawing
    EXPECT_EQ(at(scaled, 10, 10), QColor(Qt::magenta));

    // Either representation serves every scale when it is the only one.
    const Image onlyTwo("only2x", QImage(), regions(2, Qt::magenta));
    EXPECT_EQ(onlyTwo.size(), QSizeF(10, 10));
    EXPECT_EQ(onlyTwo.representation(1.0).devicePixelRatio(), 2.0);
    const Image onlyOne("only1x", regions(1), QImage());
    EXPECT_EQ(onlyOne.representation(2.0).devicePixelRatio(), 1.0);
}

TEST(Image, DrawsAtTheGivenOpacityAndLeavesThePainterAsItWas)
{
    const Image image("regions", regions(1), QImage());
    QImage target = canvas(QSize(10, 10));
    {
        QPainter p(&target);
        p.setOpacity(0.8);
        image.draw(p, QRectF(0, 0, 10, 10), 0.5);
        EXPECT_DOUBLE_EQ(p.opacity(), 0.8);
    }
    EXPECT_NEAR(at(target, 5, 5).alphaF(), 0.4, 0.01);
}

TEST(Image, ANullImageDrawsNothing)
{
    const Image image("missing", QImage(), QImage());
    EXPECT_TRUE(image.isNull());
    EXPECT_EQ(image.size(), QSizeF());
    QImage target = canvas(QSize(4, 4));
    {
        QPainter p(&target);
        image.draw(p, QRectF(0, 0, 4, 4));
    }
    EXPECT_EQ(target, canvas(QSize(4, 4)));
}

// The bundle's bezels keep crisp ends when they stretch: the caps of a stretched push button
// are the same pixels as those of the button at its natural size.
TEST(Image, BundleBezelsKeepTheirEndsWhenStretched)
{
    for (const auto asset : {tarnkit::ImageAsset::tkuiButton, tarnkit::ImageAsset::tkuiPopup, tarnkit::ImageAsset::tkuiTextfield,
                             tarnkit::ImageAsset::tkuiSearchfield, tarnkit::ImageAsset::tkuiWindowTabSelected}) {
        const auto image = tarnkit::ImageResource::of(asset).makeImage();
        const QSize natural = image->size().toSize();
        const EdgeInsets caps = image->capInsets();
        for (const qreal ratio : {1.0, 2.0}) {
            QImage plain = canvas(natural, ratio);
            QImage wide = canvas(QSize(natural.width() * 3, natural.height()), ratio);
            {
                QPainter p1(&plain);
                image->draw(p1, QPointF(0, 0));
                QPainter p2(&wide);
                image->draw(p2, QRectF(QPointF(0, 0), QSizeF(wide.deviceIndependentSize())));
            }
            const int r = int(ratio);
            for (int y = 0; y < natural.height() * r; ++y) {
                for (int x = 0; x < int(caps.left) * r; ++x)
                    ASSERT_EQ(wide.pixel(x, y), plain.pixel(x, y)) << qPrintable(image->name()) << " left cap " << x << "," << y;
                for (int x = 0; x < int(caps.right) * r; ++x) {
                    ASSERT_EQ(wide.pixel(wide.width() - 1 - x, y), plain.pixel(plain.width() - 1 - x, y))
                        << qPrintable(image->name()) << " right cap " << x << "," << y;
                }
            }
        }
    }
}

} // namespace
