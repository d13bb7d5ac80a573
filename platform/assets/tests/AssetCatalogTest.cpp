#include "platform/assets/ArtworkWriter.h"
#include "platform/assets/AssetCatalog.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace {

class AssetCatalogTest : public ::testing::Test {
protected:
    std::filesystem::path bundle() const { return std::filesystem::path(dir_.path().toStdString()) / "Kit.bundle"; }
    QTemporaryDir dir_;
};

TEST_F(AssetCatalogTest, WrittenArtworkReadsBackAtBothScales)
{
    assets::ArtworkWriter writer(bundle());
    ASSERT_TRUE(writer.writeImage("knob", QSizeF(20, 10), [](QPainter& p, const QSizeF& size) {
        p.fillRect(QRectF(QPointF(0, 0), size), Qt::red);
    }));
    ASSERT_TRUE(writer.writeColors({{"Background/Normal", QColor(10, 20, 30)}, {"Glass", QColor(1, 2, 3, 128)}}));

    const assets::AssetCatalog catalog(bundle());
    const QImage one = catalog.image("knob");
    const QImage two = catalog.image("knob", 2.0);
    ASSERT_FALSE(one.isNull());
    ASSERT_FALSE(two.isNull());
    EXPECT_EQ(one.size(), QSize(20, 10));
    EXPECT_EQ(two.size(), QSize(40, 20));
    EXPECT_EQ(two.deviceIndependentSize(), QSizeF(20, 10)); // natural size in points either way
    EXPECT_EQ(QColor(two.pixel(39, 19)), QColor(Qt::red));
    EXPECT_TRUE(catalog.image("absent").isNull());
    EXPECT_EQ(catalog.imageNames(), QStringList{"knob"});

    EXPECT_EQ(catalog.color("Background/Normal"), QColor(10, 20, 30));
    EXPECT_EQ(catalog.color("Glass"), QColor(1, 2, 3, 128));
    EXPECT_FALSE(catalog.color("absent"));
}

TEST_F(AssetCatalogTest, ImageNamesMayHoldFolders)
{
    assets::ArtworkWriter writer(bundle());
    ASSERT_TRUE(writer.writeImage("knobs/dial-01", QSizeF(4, 4), [](QPainter& p, const QSizeF& size) {
        p.fillRect(QRectF(QPointF(0, 0), size), Qt::blue);
    }));
    const assets::AssetCatalog catalog(bundle());
    EXPECT_EQ(catalog.image("knobs/dial-01").size(), QSize(4, 4));
    EXPECT_EQ(catalog.image("knobs/dial-01", 2.0).size(), QSize(8, 8));
}

TEST_F(AssetCatalogTest, FallsBackToTheOtherScaleAndReadsBothColourForms)
{
    std::filesystem::create_directories(bundle() / "Assets");
    QImage only1x(4, 4, QImage::Format_ARGB32);
    only1x.fill(Qt::blue);
    ASSERT_TRUE(only1x.save(QString::fromStdString((bundle() / "Assets" / "dot.png").string())));
    std::ofstream(bundle() / "Assets" / "colors.json") << R"({"a": "#102030", "b": "#10203040", "c": "nonsense", "d": 7})";

    const assets::AssetCatalog catalog(bundle());
    const QImage image = catalog.image("dot", 2.0);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.devicePixelRatio(), 1.0);
    EXPECT_TRUE(catalog.imageAtScale("dot", 2).isNull()) << "no falling back at an exact scale";
    EXPECT_EQ(catalog.imageAtScale("dot", 1).devicePixelRatio(), 1.0);
    EXPECT_EQ(catalog.color("a"), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(catalog.color("b"), QColor(0x10, 0x20, 0x30, 0x40));
    EXPECT_FALSE(catalog.color("c"));
    EXPECT_FALSE(catalog.color("d"));
}

} // namespace
