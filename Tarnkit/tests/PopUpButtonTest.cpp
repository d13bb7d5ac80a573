#include "Tarnkit/Foundation/ControlAction.h"
#include "Tarnkit/Foundation/MenuItemAttributes.h"
#include "Tarnkit/Foundation/MenuPresentable.h"
#include "Tarnkit/Foundation/PassthroughSubject.h"
#include "Tarnkit/Controls/PopUpButton.h"
#include "Tarnkit/Foundation/PopupItem.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <memory>
#include <optional>
#include <vector>

namespace {

enum class Speed { slow = 1, medium = 2, fast = 3 };
enum class Mode : unsigned char { a = 10, b = 20 };

} // namespace

template <>
struct tarnkit::MenuPresentation<Speed> : tarnkit::MenuPresentationDefaults<Speed> {
    static QString title(Speed s) { return s == Speed::slow ? "Slow" : s == Speed::medium ? "Medium" : "Fast"; }
    static QString menuTitle() { return "Speed"; }
    static std::vector<Speed> allCases() { return {Speed::slow, Speed::medium, Speed::fast}; }
};

template <>
struct tarnkit::MenuPresentation<Mode> : tarnkit::MenuPresentationDefaults<Mode> {
    static QString title(Mode m) { return m == Mode::a ? "A" : "B"; }
    static QString menuTitle() { return "Mode"; }
    static std::vector<Mode> allCases() { return {Mode::a, Mode::b}; }
};

namespace {

using tarnkit::Cancellable;
using tarnkit::CancellableSet;
using tarnkit::PassthroughSubject;
using tarnkit::PopUpButton;

// Counts the actions the pop-up sends to it.
class ActionCounter : public QObject {
    Q_OBJECT
public:
    int count = 0;
    Q_INVOKABLE void popUpChanged(QObject*) { ++count; }
};

TEST(PopUpButton, FillsFromTheValuesMenuAndSelectsTheValue)
{
    PopUpButton popUp;
    popUp.configure(Speed::medium);
    ASSERT_EQ(popUp.count(), 3);
    EXPECT_EQ(popUp.itemText(0), "Slow");
    EXPECT_EQ(popUp.itemText(2), "Fast");
    EXPECT_EQ(popUp.currentIndex(), 1);
    EXPECT_EQ(popUp.itemTag(2), 3);
    EXPECT_EQ(popUp.selectedRawRepresentableValue<Speed>(), Speed::medium);

    // Filling again replaces the items.
    popUp.configure(Speed::fast);
    EXPECT_EQ(popUp.count(), 3);
    EXPECT_EQ(popUp.currentIndex(), 2);
}

TEST(PopUpButton, SelectsByRawValueAndLeavesTheSelectionWithoutAMatch)
{
    PopUpButton popUp;
    popUp.configure(Mode::b); // unsigned raw values, kept as quint64 by the menu
    EXPECT_EQ(popUp.currentIndex(), 1);
    popUp.selectItemMatching(Mode::a);
    EXPECT_EQ(popUp.currentIndex(), 0);
    popUp.selectItemMatching(static_cast<Mode>(99)); // no such item
    EXPECT_EQ(popUp.currentIndex(), 0);
}

TEST(PopUpButton, ReadsTheSelectionBackOnlyAsAValueOfTheType)
{
    PopUpButton popUp;
    popUp.addItem("string", QVariant(QString("2")));
    popUp.addItem("number", QVariant(qint64(2)));
    popUp.addItem("unknown", QVariant(qint64(7)));
    popUp.addItem("nothing");
    const struct {
        int index;
        std::optional<Speed> value;
    } cases[] = {{0, std::nullopt}, {1, Speed::medium}, {2, std::nullopt}, {3, std::nullopt}, {-1, std::nullopt}};
    for (const auto& c : cases) {
        popUp.setCurrentIndex(c.index);
        EXPECT_EQ(popUp.selectedRawRepresentableValue<Speed>(), c.value) << c.index;
        EXPECT_EQ(popUp.selectedRawRepresentableValue<Speed>(Speed::fast), c.value.value_or(Speed::fast));
    }
}

// Items [A, separator, B (disabled), C], as a pop-up with an action.
class Stepping : public ::testing::Test {
protected:
    void SetUp() override
    {
        QMenu menu;
        menu.addAction("A");
        menu.addSeparator();
        menu.addAction("B")->setEnabled(false);
        menu.addAction("C");
        popUp.setMenu(&menu);
        tarnkit::setTarget(&popUp, &counter, tarnkit::Selector{"popUpChanged"});
    }

    PopUpButton popUp;
    ActionCounter counter;
};

TEST_F(Stepping, SkipsSeparatorsAndDisabledItemsAndWraps)
{
    ASSERT_EQ(popUp.count(), 4);
    ASSERT_TRUE(popUp.isSeparator(1));
    ASSERT_FALSE(popUp.isItemEnabled(2));
    const struct {
        int from;
        bool forwards;
        int to;
    } cases[] = {
        {0, true, 3},   // A -> C
        {3, true, 0},   // C wraps to A
        {-1, true, 0},  // nothing selected: the first eligible item
        {2, true, 3},   // from the disabled B
        {0, false, 3},  // A wraps to C
        {3, false, 0},  // C -> A, over B and the separator
        {-1, false, 3}, // nothing selected: the last item
    };
    int actions = 0;
    for (const auto& c : cases) {
        popUp.setCurrentIndex(c.from);
        if (c.forwards)
            popUp.selectNextItem();
        else
            popUp.selectPreviousItem();
        EXPECT_EQ(popUp.currentIndex(), c.to) << c.from << (c.forwards ? " next" : " previous");
        EXPECT_EQ(counter.count, ++actions) << "the action is sent every time";
    }
}

TEST(PopUpStepping, WrapsToTheFirstItemEvenWhenItIsDisabled)
{
    PopUpButton popUp;
    QMenu menu;
    menu.addAction("A")->setEnabled(false);
    menu.addAction("B");
    menu.addSeparator();
    menu.addAction("C")->setEnabled(false);
    popUp.setMenu(&menu);
    popUp.setCurrentIndex(1);
    popUp.selectNextItem();
    EXPECT_EQ(popUp.currentIndex(), 0);
    popUp.selectPreviousItem(); // nothing before A: wraps to the last item, disabled or not
    EXPECT_EQ(popUp.currentIndex(), 3);
}

TEST(PopUpStepping, AnEmptyPopUpSelectsNothingAndStillSendsItsAction)
{
    PopUpButton popUp;
    ActionCounter counter;
    popUp.selectNextItem(); // no action: nothing to send, nothing to select
    EXPECT_EQ(popUp.currentIndex(), -1);
    tarnkit::setTarget(&popUp, &counter, tarnkit::Selector{"popUpChanged"});
    popUp.selectPreviousItem();
    EXPECT_EQ(popUp.currentIndex(), -1);
    EXPECT_EQ(counter.count, 1);
}

TEST(PopUpStepping, IsReachableByItsSelector)
{
    PopUpButton popUp;
    popUp.configure(Speed::slow);
    EXPECT_TRUE(tarnkit::sendAction(tarnkit::Selector{"selectNextItem"}, &popUp, nullptr));
    EXPECT_EQ(popUp.currentIndex(), 1);
}

TEST(PopUpButton, MapsMenuSeparatorsHeadersSubmenusAndAlternates)
{
    QMenu menu;
    tarnkit::menuItem::addItem(&menu, tarnkit::menuItem::sectionHeader("Group"));
    QAction* plain = menu.addAction("Plain");
    plain->setData(qint64(5));
    tarnkit::menuItem::setTag(plain, 5);
    auto alternate = tarnkit::menuItem::make("Plain (alt)");
    tarnkit::menuItem::setAlternate(alternate.get(), true);
    tarnkit::menuItem::addItem(&menu, std::move(alternate));
    QMenu* sub = menu.addMenu("More");
    sub->addAction("Inner");
    PopUpButton popUp;
    popUp.setMenu(&menu);
    ASSERT_EQ(popUp.count(), 4);
    EXPECT_EQ(popUp.itemText(0), "Group");
    EXPECT_FALSE(popUp.isItemEnabled(0));
    EXPECT_EQ(popUp.itemText(1), "Plain");
    EXPECT_EQ(popUp.itemTag(1), 5);
    EXPECT_EQ(popUp.itemText(2), "More");
    EXPECT_FALSE(popUp.isItemEnabled(2));
    EXPECT_EQ(popUp.itemText(3), "Inner");
    EXPECT_TRUE(popUp.isItemEnabled(3));
    popUp.setMenu(nullptr);
    EXPECT_EQ(popUp.count(), 0);
}

TEST(PopUpBinding, KeepsThePopUpAndTheValueInStep)
{
    PopUpButton popUp;
    PassthroughSubject<Speed> model;
    CancellableSet cancellables;
    std::vector<Speed> chosen;
    popUp.bindMenu(Speed::slow, model.publisher(), cancellables, [&](const Speed& s) { chosen.push_back(s); });
    EXPECT_EQ(popUp.count(), 3);
    EXPECT_EQ(popUp.currentIndex(), 0);
    EXPECT_EQ(cancellables.size(), 2u);

    // Model to view, by tag.
    model.send(Speed::fast);
    EXPECT_EQ(popUp.currentIndex(), 2);
    EXPECT_TRUE(chosen.empty()) << "a model change is not a user choice";

    // View to model: the user picks an item.
    popUp.setCurrentIndex(1);
    emit popUp.activated(1);
    EXPECT_EQ(chosen, std::vector<Speed>{Speed::medium});

    // An item whose tag names no value is dropped.
    popUp.addItem("Other");
    popUp.setItemData(3, QVariant::fromValue(qint64(42)), PopUpButton::tagRole);
    popUp.setCurrentIndex(3);
    emit popUp.activated(3);
    EXPECT_EQ(chosen.size(), 1u);

    // Cancelled: neither way any more.
    cancellables.clear();
    model.send(Speed::slow);
    EXPECT_EQ(popUp.currentIndex(), 3);
    emit popUp.activated(0);
    EXPECT_EQ(chosen.size(), 1u);
}

TEST(PopUpBinding, HoldsThePopUpWeakly)
{
    auto popUp = std::make_unique<PopUpButton>();
    PassthroughSubject<Speed> model;
    CancellableSet cancellables; // outlives the pop-up, as a model's often does
    int chosen = 0;
    popUp->bindMenu(Speed::slow, model.publisher(), cancellables, [&](const Speed&) { ++chosen; });
    EXPECT_EQ(model.subscriberCount(), 1u);
    popUp.reset();
    EXPECT_EQ(model.subscriberCount(), 0u) << "the subscription goes with the pop-up";
    model.send(Speed::fast); // would select an item of a freed pop-up if it were held unowned
    EXPECT_EQ(chosen, 0);
    cancellables.clear();
}

TEST(PopupItem, StandsForNothingUnlessGivenAValue)
{
    const auto divider = tarnkit::PopupItem<Speed>::divider();
    EXPECT_TRUE(divider.isDivider);
    EXPECT_EQ(divider.object, std::nullopt);
    EXPECT_TRUE(divider.title.isEmpty());
    EXPECT_TRUE(divider.isEnabled);
    EXPECT_FALSE(divider.subMenu.has_value());

    const tarnkit::PopupItem<Speed> item(Speed::fast, "Fast", {}, false);
    EXPECT_EQ(item.object, Speed::fast);
    EXPECT_FALSE(item.isDivider);
    EXPECT_FALSE(item.isEnabled);
}

} // namespace

#include "PopUpButtonTest.moc"
