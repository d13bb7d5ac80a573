#include "platform/assets/ArtworkWriter.h"
#include "platform/assets/AssetCatalog.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

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

// Each fault names its file; a sound bundle has none, and an image at one scale is enough.
TEST_F(AssetCatalogTest, FaultsNameEachFileThatDoesNotRead)
{
    const auto assetsFolder = bundle() / "Assets";
    const auto path = [&](const std::string& file) { return QString::fromStdString((assetsFolder / file).string()); };
    const auto write = [&](const std::string& file, const std::string& bytes) {
        std::ofstream(assetsFolder / file, std::ios::binary | std::ios::trunc) << bytes;
    };
    const auto soundBundle = [&] {
        std::filesystem::remove_all(bundle());
        assets::ArtworkWriter writer(bundle());
        for (const char* name : {"knob", "knobs/dial-01"})
            writer.writeImage(name, QSizeF(6, 6), [](QPainter& p, const QSizeF& size) {
                p.fillRect(QRectF(QPointF(0, 0), size), Qt::green);
            });
        writer.writeColors({{"Background/Normal", QColor(10, 20, 30)}, {"Glass", QColor(1, 2, 3, 128)}});
    };
    const QStringList colors{"Background/Normal", "Glass"};
    const QStringList images{"knob", "knobs/dial-01"};
    soundBundle();
    std::ifstream png(assetsFolder / "knob@2x.png", std::ios::binary);
    const std::string knob2x((std::istreambuf_iterator<char>(png)), {});

    const struct {
        const char* damage;
        std::function<void()> apply;
        QStringList faults;
    } cases[] = {
        {"none", [] {}, {}},
        {"only the 1x of an image", [&] { std::filesystem::remove(assetsFolder / "knob@2x.png"); }, {}},
        {"no colour table", [&] { std::filesystem::remove(assetsFolder / "colors.json"); },
         {path("colors.json") + " cannot be read: No such file or directory"}},
        {"a colour table cut short", [&] { write("colors.json", "{\"Glass\": \"#01020380\""); },
         {path("colors.json") + " is not a colour table ("}},
        {"a colour table of the wrong shape", [&] { write("colors.json", "[1, 2]"); },
         {path("colors.json") + " is not a colour table (no JSON object)"}},
        {"colours missing or unreadable", [&] { write("colors.json", R"({"Glass": "glassy"})"); },
         {path("colors.json") + " has no colour \"Background/Normal\", \"Glass\""}},
        {"an image cut short", [&] { write("knob@2x.png", knob2x.substr(0, knob2x.size() / 2)); },
         {path("knob@2x.png") + " does not read as an image ("}},
        {"an image that is no image", [&] { write("knobs/dial-01.png", "not a picture"); },
         {path("knobs/dial-01.png") + " does not read as an image ("}},
        {"an image at neither scale",
         [&] {
             std::filesystem::remove(assetsFolder / "knob.png");
             std::filesystem::remove(assetsFolder / "knob@2x.png");
         },
         {path("knob.png") + " is missing"}},
    };
    for (const auto& c : cases) {
        soundBundle();
        c.apply();
        const QStringList found = assets::AssetCatalog(bundle()).faults(colors, images);
        ASSERT_EQ(found.size(), c.faults.size()) << c.damage << ": " << found.join("; ").toStdString();
        for (qsizetype i = 0; i < found.size(); ++i)
            EXPECT_TRUE(found[i].startsWith(c.faults[i])) << c.damage << ": " << found[i].toStdString();
    }
}

} // namespace
