#include "Tarnkit/Components/TarnSegmentedControl.h"
#include "Tarnkit/Components/TarnSegmentedControlModel.h"

#include "platform/ui/Button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <optional>
#include <vector>

namespace {

using namespace tarnkit;

TarnSegmentItemRef item(int id, const char* title = "")
{
    return std::make_shared<TarnSegmentItem>(id, QString::fromLatin1(title));
}

std::vector<TarnSegmentItemRef> items(std::initializer_list<int> ids)
{
    std::vector<TarnSegmentItemRef> made;
    for (const int id : ids)
        made.push_back(item(id));
    return made;
}

std::optional<int> idOf(const TarnSegmentItemRef& item)
{
    return item ? std::optional<int>(item->id()) : std::nullopt;
}

// Whether write notifies what read observed.
bool notifies(const std::function<void()>& read, const std::function<void()>& write)
{
    bool notified = false;
    const foundation::ObservationToken token = foundation::withObservationTracking(read, [&] { notified = true; });
    write();
    return notified;
}

struct TapCase {
    std::optional<int> selected;
    bool hidden;
    int tapped;
    std::optional<int> selectedAfter;
};

class TapTest : public ::testing::TestWithParam<TapCase> {};

TEST_P(TapTest, SelectsDeselectsOrShowsAndAlwaysCallsBack)
{
    const TapCase& c = GetParam();
    TarnSegmentedControlModel model(items({1, 2}));
    if (c.selected)
        model.select(*c.selected);
    model.setHideSelection(c.hidden);
    std::vector<std::optional<int>> heard;
    model.setOnSelectionChanged([&](const TarnSegmentItemRef& selected) { heard.push_back(idOf(selected)); });

    model.handleTap(model.items()[std::size_t(c.tapped - 1)]);

    EXPECT_EQ(idOf(model.selectedItem()), c.selectedAfter);
    EXPECT_FALSE(model.hideSelection()) << "every tap shows the selection";
    EXPECT_EQ(heard, std::vector<std::optional<int>>{c.selectedAfter});
}

INSTANTIATE_TEST_SUITE_P(Taps, TapTest,
                         ::testing::Values(TapCase{std::nullopt, false, 1, 1}, // select
                                           TapCase{1, false, 2, 2},            // another
                                           TapCase{1, false, 1, std::nullopt}, // the selected one: deselect
                                           TapCase{1, true, 1, 1},             // hidden: shown again and kept
                                           TapCase{1, true, 2, 2},             // hidden, another
                                           TapCase{std::nullopt, true, 2, 2}));

TEST(SegmentedControlModelTest, TappingTheSelectedItemTwiceDeselectsThenSelects)
{
    TarnSegmentedControlModel model(items({1, 2}));
    model.select(2);
    std::vector<std::optional<int>> heard;
    model.setOnSelectionChanged([&](const TarnSegmentItemRef& selected) { heard.push_back(idOf(selected)); });
    const TarnSegmentItemRef second = model.items()[1];
    model.handleTap(second);
    model.handleTap(second);
    EXPECT_EQ(heard, (std::vector<std::optional<int>>{std::nullopt, 2}));
}

TEST(SegmentedControlModelTest, SelectPicksTheFirstMatchAndIgnoresUnknownIds)
{
    TarnSegmentedControlModel model({item(1, "first"), item(2), item(1, "twin")});
    int callbacks = 0;
    model.setOnSelectionChanged([&](const TarnSegmentItemRef&) { ++callbacks; });
    model.select(1);
    EXPECT_EQ(model.selectedItem(), model.items()[0]);
    model.select(7);
    EXPECT_EQ(model.selectedItem(), model.items()[0]) << "an earlier selection stays";
    EXPECT_EQ(callbacks, 0);
    // Both items of the id draw as selected; none while the selection is hidden.
    EXPECT_TRUE(model.showsAsSelected(*model.items()[0]));
    EXPECT_TRUE(model.showsAsSelected(*model.items()[2]));
    EXPECT_FALSE(model.showsAsSelected(*model.items()[1]));
    model.setHideSelection(true);
    EXPECT_FALSE(model.showsAsSelected(*model.items()[0]));
    EXPECT_EQ(idOf(model.selectedItem()), 1) << "hidden, not lost";
}

TEST(SegmentedControlModelTest, NotifiesOnlyOnRealChangesExceptForTheCallback)
{
    TarnSegmentedControlModel model(items({1, 2}));
    const auto readItems = [&] { (void)model.items(); };
    const auto readSelected = [&] { (void)model.selectedItem(); };
    const auto readHidden = [&] { (void)model.hideSelection(); };
    const auto readCallback = [&] { (void)model.onSelectionChanged(); };

    struct Case {
        const char* what;
        std::function<void()> read;
        std::function<void()> write;
        bool notifies;
    };
    const std::vector<Case> cases = {
        {"same ids, new items and titles", readItems, [&] { model.setItems({item(1, "one"), item(2, "two")}); }, false},
        {"same ids in another order", readItems, [&] { model.setItems(items({2, 1})); }, true},
        {"one more", readItems, [&] { model.setItems(items({2, 1, 3})); }, true},
        {"nothing selected again", readSelected, [&] { model.setSelectedItem(nullptr); }, false},
        {"a selection", readSelected, [&] { model.select(3); }, true},
        {"another object of the selected id", readSelected, [&] { model.setSelectedItem(item(3)); }, false},
        {"deselected", readSelected, [&] { model.setSelectedItem(nullptr); }, true},
        {"hidden already shown", readHidden, [&] { model.setHideSelection(false); }, false},
        {"hidden", readHidden, [&] { model.setHideSelection(true); }, true},
        {"a callback", readCallback, [&] { model.setOnSelectionChanged(nullptr); }, true},
        {"the same callback again", readCallback, [&] { model.setOnSelectionChanged(nullptr); }, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(notifies(c.read, c.write), c.notifies) << c.what;
}

std::vector<ui::Button*> segments(const TarnSegmentedControl& control)
{
    std::vector<ui::Button*> found;
    for (QWidget* child : control.content()->findChildren<QWidget*>()) {
        if (auto* button = dynamic_cast<ui::Button*>(child))
            found.push_back(button);
    }
    return found;
}

TEST(SegmentedControlTest, ShowsOneTabPerItemRebuiltWhenTheIdsChange)
{
    auto model = std::make_shared<TarnSegmentedControlModel>(std::vector{item(1, "Retro"), item(2, "Modern")});
    std::vector<std::optional<int>> heard;
    model->setOnSelectionChanged([&](const TarnSegmentItemRef& selected) { heard.push_back(idOf(selected)); });
    TarnSegmentedControl control(model);
    control.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));

    std::vector<ui::Button*> shown = segments(control);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0]->label().text, "Retro");
    EXPECT_EQ(shown[1]->label().text, "Modern");
    EXPECT_EQ(shown[0]->geometry().right() + 1, shown[1]->geometry().left()) << "segments touch";

    const QImage plain = shown[1]->grab().toImage();
    QTest::mouseClick(shown[1], Qt::LeftButton, {}, shown[1]->rect().center());
    EXPECT_EQ(idOf(model->selectedItem()), 2);
    EXPECT_EQ(heard, std::vector<std::optional<int>>{2});
    QApplication::processEvents();
    EXPECT_NE(shown[1]->grab().toImage(), plain) << "drawn as selected";
    model->setHideSelection(true);
    QApplication::processEvents();
    EXPECT_EQ(shown[1]->grab().toImage(), plain) << "the selection hidden";

    QPointer<QWidget> row = control.content();
    model->setItems({item(1, "Renamed"), item(2)}); // the same ids: nothing to rebuild
    QApplication::processEvents();
    EXPECT_EQ(control.content(), row.data());

    model->setItems({item(3, "Only")});
    QApplication::processEvents();
    EXPECT_TRUE(row.isNull());
    shown = segments(control);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->label().text, "Only");

    model->setItems({});
    QApplication::processEvents();
    EXPECT_TRUE(segments(control).empty());
    EXPECT_EQ(control.content()->sizeHint(), QSize(0, 0));
}

} // namespace
