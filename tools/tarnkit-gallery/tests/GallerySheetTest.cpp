#include "tools/tarnkit-gallery/ControlsSheet.h"
#include "tools/tarnkit-gallery/GallerySheet.h"

#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/TableViewStyle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>


namespace {

using namespace tarnkit;

QColor pixelAt(const QImage& image, const QPointF& point)
{
    const qreal ratio = image.devicePixelRatio();
    return QColor::fromRgba(image.pixel(int(point.x() * ratio), int(point.y() * ratio)));
}

// Whether anything other than the sheet's background shows inside rect.
bool showsSomething(const QImage& image, const QRectF& rect, QRgb background)
{
    const qreal ratio = image.devicePixelRatio();
    const QRect pixels = QRectF(rect.topLeft() * ratio, rect.size() * ratio).toAlignedRect();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            if (image.pixel(x, y) != background)
                return true;
        }
    }
    return false;
}

class GallerySheetTest : public ::testing::TestWithParam<int> {};

TEST_P(GallerySheetTest, ShowsEveryColourAndImageOnce)
{
    const int scale = GetParam();
    const auto sheet = gallery::renderGallery(scale);
    const QString path = QStringLiteral(TARNKIT_GALLERY_OUTPUT) + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
    ASSERT_TRUE(sheet.image.save(path, "PNG")) << qPrintable(path);
    EXPECT_EQ(sheet.image.devicePixelRatio(), scale);

    const QRectF page(QPointF(0, 0), sheet.image.deviceIndependentSize());
    const QRgb background = sheet.image.pixel(0, 0);

    ASSERT_EQ(sheet.colors.size(), qsizetype(allColorAssets.size()));
    for (const auto asset : allColorAssets) {
        const QString name = assetName(asset);
        ASSERT_TRUE(sheet.colors.contains(name)) << qPrintable(name);
        const QRectF swatch = sheet.colors.value(name);
        EXPECT_TRUE(page.contains(swatch)) << qPrintable(name);
        EXPECT_EQ(pixelAt(sheet.image, swatch.center()), ColorResource::of(asset).value()) << qPrintable(name);
    }

    ASSERT_EQ(sheet.images.size(), qsizetype(allImageAssets.size()));
    QList<QRectF> placed;
    for (const auto asset : allImageAssets) {
        const auto& info = imageAssetInfo(asset);
        const QString name = QString::fromLatin1(info.name);
        ASSERT_TRUE(sheet.images.contains(name)) << info.name;
        const QRectF rect = sheet.images.value(name);
        EXPECT_EQ(rect.size(), info.size) << info.name;
        EXPECT_TRUE(page.contains(rect)) << info.name;
        EXPECT_TRUE(showsSomething(sheet.image, rect, background)) << info.name;
        const bool sliced = info.capInsets.left > 0 || info.capInsets.top > 0;
        EXPECT_EQ(sheet.stretched.contains(name), sliced) << info.name;
        if (sliced) {
            const QRectF wide = sheet.stretched.value(name);
            EXPECT_GT(wide.width(), rect.width()) << info.name;
            EXPECT_TRUE(showsSomething(sheet.image, wide, background)) << info.name;
            placed << wide;
        }
        placed << rect;
    }
    // Nothing is drawn over anything else.
    for (qsizetype i = 0; i < placed.size(); ++i) {
        for (qsizetype j = i + 1; j < placed.size(); ++j)
            EXPECT_FALSE(placed[i].intersects(placed[j])) << i << " and " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, GallerySheetTest, ::testing::Values(1, 2));

// Whether two specimens of the same size differ anywhere.
bool differ(const QImage& image, const QRectF& a, const QRectF& b)
{
    const qreal ratio = image.devicePixelRatio();
    const QRect pa = QRectF(a.topLeft() * ratio, a.size() * ratio).toAlignedRect();
    const QRect pb = QRectF(b.topLeft() * ratio, b.size() * ratio).toAlignedRect();
    return image.copy(pa) != image.copy(pb);
}

class ControlsSheetTest : public ::testing::TestWithParam<int> {};

TEST_P(ControlsSheetTest, ShowsEveryControlInEveryState)
{
    const int scale = GetParam();
    const auto sheet = gallery::renderControlsSheet(scale);
    const QString path = QStringLiteral(TARNKIT_GALLERY_OUTPUT) + (scale == 2 ? QStringLiteral("-controls@2x.png")
                                                                               : QStringLiteral("-controls.png"));
    ASSERT_TRUE(sheet.image.save(path, "PNG")) << qPrintable(path);
    EXPECT_EQ(sheet.image.devicePixelRatio(), scale);

    const QRectF page(QPointF(0, 0), sheet.image.deviceIndependentSize());
    const QRgb background = sheet.image.pixel(0, 0);
    // The buttons, the fields, the menus and the sliders all have rows.
    for (const char* control : {"StyledButton", "OstrelPushButton", "StyledTextField", "StyledSearchField",
                                "StyledSegmentedControl", "StyledPopUpButton", "StyledSlider", "TrackingSlider"})
        EXPECT_FALSE(sheet.rows.filter(QString::fromLatin1(control) + QStringLiteral(", ")).isEmpty()) << control;
    EXPECT_EQ(sheet.specimens.size() + sheet.notApplicable.size(), sheet.rows.size() * sheet.states.size());
    for (const QString& row : sheet.rows) {
        for (const QString& state : sheet.states) {
            const QString key = gallery::specimenKey(row, state);
            if (sheet.notApplicable.contains(key)) {
                EXPECT_FALSE(sheet.specimens.contains(key)) << qPrintable(key);
                continue;
            }
            ASSERT_TRUE(sheet.specimens.contains(key)) << qPrintable(key);
            EXPECT_TRUE(page.contains(sheet.specimens.value(key))) << qPrintable(key);
            EXPECT_TRUE(showsSomething(sheet.image, sheet.specimens.value(key), background)) << qPrintable(key);
        }
        // Every control has its normal and disabled looks, and all but the sliders (which draw
        // no focus ring) their focused one; pressed, disabled, focused and editing, where a
        // control has them, each look unlike the normal control.
        const QRectF normal = sheet.specimens.value(gallery::specimenKey(row, QStringLiteral("normal")));
        EXPECT_TRUE(sheet.specimens.contains(gallery::specimenKey(row, QStringLiteral("disabled")))) << qPrintable(row);
        const bool slider = row.startsWith(QStringLiteral("StyledSlider")) || row.startsWith(QStringLiteral("TrackingSlider"));
        EXPECT_NE(sheet.specimens.contains(gallery::specimenKey(row, QStringLiteral("focused, key window"))), slider)
            << qPrintable(row);
        for (const char* state : {"pressed", "disabled", "focused, key window", "editing"}) {
            const QString key = gallery::specimenKey(row, QString::fromLatin1(state));
            if (!sheet.specimens.contains(key))
                continue;
            const QRectF other = sheet.specimens.value(key);
            ASSERT_EQ(other.size(), normal.size()) << qPrintable(key);
            EXPECT_TRUE(differ(sheet.image, normal, other)) << qPrintable(key);
        }
    }
    // A text field shows its invalid bezel.
    for (const QString& row : sheet.rows.filter("StyledTextField")) {
        EXPECT_TRUE(differ(sheet.image, sheet.specimens.value(gallery::specimenKey(row, "normal")),
                           sheet.specimens.value(gallery::specimenKey(row, "invalid"))))
            << qPrintable(row);
    }
    // The fields edit; the buttons do not.
    EXPECT_TRUE(sheet.specimens.contains(gallery::specimenKey(sheet.rows.filter("StyledTextField").value(0), "editing")));
    EXPECT_TRUE(sheet.notApplicable.contains(gallery::specimenKey(sheet.rows.value(0), "editing")));

    // The table below the grid shows its selection.
    const QString table = QStringLiteral("StyledTableView, merged selection");
    ASSERT_TRUE(sheet.panels.contains(table));
    const QRectF panel = sheet.panels.value(table);
    EXPECT_TRUE(page.contains(panel));
    const QColor selection = *TableViewStyle().selectedRowBackgroundColor();
    // Row 2, in the middle of the merged block, below the 24-point header.
    EXPECT_EQ(pixelAt(sheet.image, panel.topLeft() + QPointF(panel.width() / 2, 24 + 2 * 24 + 20)).rgb(), selection.rgb());
    EXPECT_NE(pixelAt(sheet.image, panel.topLeft() + QPointF(panel.width() / 2, 24 + 4 * 24 + 12)).rgb(), selection.rgb())
        << "row 4 is not selected";

    // The declarative components below it.
    for (const char* name : {"StyledPopUpButtonWrapper", "DefaultOstrelButtonStyle", "VartlowButtonStyle",
                             "TarnSegmentedControl", "TarnSettings"}) {
        const auto found = std::find_if(sheet.panels.keyBegin(), sheet.panels.keyEnd(),
                                        [&](const QString& key) { return key.startsWith(QString::fromLatin1(name)); });
        ASSERT_NE(found, sheet.panels.keyEnd()) << name;
    }
    for (auto it = sheet.panels.cbegin(); it != sheet.panels.cend(); ++it) {
        EXPECT_TRUE(page.contains(it.value())) << qPrintable(it.key());
        EXPECT_TRUE(showsSomething(sheet.image, it.value(), background)) << qPrintable(it.key());
        // Nothing below the grid is drawn over anything else there.
        for (auto other = std::next(it); other != sheet.panels.cend(); ++other)
            EXPECT_FALSE(it.value().intersects(other.value())) << qPrintable(it.key()) << " and " << qPrintable(other.key());
    }
    const QRectF pressed = sheet.panels.value(QStringLiteral("DefaultOstrelButtonStyle, pressed"));
    const QRectF plain = sheet.panels.value(QStringLiteral("DefaultOstrelButtonStyle, normal"));
    EXPECT_TRUE(differ(sheet.image, plain, QRectF(pressed.topLeft(), plain.size())));
}

INSTANTIATE_TEST_SUITE_P(Scales, ControlsSheetTest, ::testing::Values(1, 2));

} // namespace
