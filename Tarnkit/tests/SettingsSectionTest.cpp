#include "Tarnkit/Components/FillEachChildLeading.h"
#include "Tarnkit/Components/TarnSettings.h"
#include "Tarnkit/Components/TarnSettingsDivider.h"
#include "Tarnkit/Components/TarnSettingsSection.h"

#include "platform/ui/BasicViews.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <memory>

namespace {

using namespace tarnkit;

QWidget* box(QSizeF size)
{
    auto* view = new ui::ColorView(Qt::gray);
    view->setNaturalSize(size);
    view->setFlexible({});
    return view;
}

// Layout requests travel up one stack per turn of the loop.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// Where child is in ancestor's coordinates.
QRect placed(const QWidget* child, const QWidget* ancestor)
{
    return QRect(child->mapTo(ancestor, QPoint(0, 0)), child->size());
}

TEST(SettingsSectionTest, SectionsShareTheLabelColumnOfTheirFormAndFollowIt)
{
    auto config = std::make_shared<TarnSettingsConfig>(90);
    QWidget* quality = box({40, 20});
    QWidget* mix = box({60, 20});
    auto* first = new TarnSettingsSection("Quality", {quality});
    auto* second = new TarnSettingsSection("A label much longer than its column is wide", {mix});
    TarnSettings form(360, {first, new TarnSettingsDivider, second}, config);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    EXPECT_EQ(first->config(), config);
    EXPECT_EQ(second->config(), config);
    EXPECT_EQ(form.width(), 360);
    for (const qreal width : {90.0, 130.0, 60.0}) {
        config->setLabelWidth(width);
        settle();
        for (auto* section : {first, second}) {
            EXPECT_EQ(section->labelView()->width(), width) << "the long label stays in its column too";
            EXPECT_EQ(section->width(), 360) << "the row spans the form";
        }
        const int contentLeft = int(width + TarnSettingsSection::labelSpacing);
        EXPECT_EQ(placed(quality, &form).left(), contentLeft);
        EXPECT_EQ(placed(mix, &form).left(), contentLeft);
        EXPECT_EQ(placed(quality, &form).size(), QSize(40, 20)) << "content keeps its own size";
    }
}

TEST(SettingsSectionTest, AFormWithoutAConfigMakesOneAndASectionsOwnWins)
{
    auto own = std::make_shared<TarnSettingsConfig>(50);
    auto* plain = new TarnSettingsSection("Plain", {box({10, 10})});
    auto* special = new TarnSettingsSection("Special", {box({10, 10})}, own);
    TarnSettings form(300, {plain, special});
    ASSERT_NE(form.config(), nullptr);
    EXPECT_EQ(form.config()->labelWidth(), TarnSettingsConfig::defaultLabelWidth);
    EXPECT_EQ(plain->config(), form.config()) << "taken when the form takes the section";
    EXPECT_EQ(special->config(), own);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(plain->labelView()->width(), TarnSettingsConfig::defaultLabelWidth);
    EXPECT_EQ(special->labelView()->width(), 50);
}

TEST(SettingsSectionTest, ASectionShownWithNoConfigAndNoFormStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            TarnSettingsSection lonely("Lonely", {box({10, 10})});
            lonely.show();
        },
        "TarnSettingsSection \"Lonely\" has no TarnSettingsConfig: give it one, or place it in a TarnSettings form");
}

TEST(FillEachChildLeadingTest, EachChildKeepsItsWidthAtTheLeadingEdgeOfAFullRow)
{
    FillEachChildLeading empty;
    EXPECT_TRUE(empty.children().empty()) << "no children, no rows";

    QWidget* narrow = box({30, 10});
    QWidget* wide = box({120, 14});
    FillEachChildLeading column({narrow, wide});
    EXPECT_EQ(column.wrappedChildren(), (std::vector<QWidget*>{narrow, wide}));
    column.resize(200, column.sizeHint().height());
    column.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&column));
    ASSERT_EQ(column.children().size(), 2u);
    for (QWidget* row : column.children())
        EXPECT_EQ(row->width(), 200);
    EXPECT_EQ(placed(narrow, &column), QRect(0, 0, 30, 10));
    EXPECT_EQ(placed(wide, &column),
              QRect(0, 10 + int(FillEachChildLeading::defaultSpacing), 120, 14));
}

} // namespace
