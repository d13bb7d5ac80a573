#include "Tarnkit/Foundation/OutlineView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QStandardItemModel>

#include <vector>

namespace {

using tarnkit::IndexPath;
using tarnkit::OutlineView;

// Root children R0 and R1; R1 has children C0 and C1. R1 starts expanded.
class Outline : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* r0 = new QStandardItem("R0");
        auto* r1 = new QStandardItem("R1");
        r1->appendRow(new QStandardItem("C0"));
        r1->appendRow(new QStandardItem("C1"));
        model.appendRow(r0);
        model.appendRow(r1);
        view.setModel(&model);
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view.resize(300, 300);
        view.expand(r1Index());
        view.show();
    }

    QModelIndex r0Index() const { return model.index(0, 0); }
    QModelIndex r1Index() const { return model.index(1, 0); }
    QModelIndex c0Index() const { return model.index(0, 0, r1Index()); }
    QModelIndex c1Index() const { return model.index(1, 0, r1Index()); }

    void press(const QModelIndex& item, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {})
    {
        const QPointF at = item.isValid() ? QPointF(view.visualRect(item).center()) : QPointF(150, 290);
        QMouseEvent event(QEvent::MouseButtonPress, at, view.viewport()->mapToGlobal(at), button, button, modifiers);
        QApplication::sendEvent(view.viewport(), &event);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view.viewport()->mapToGlobal(at), button, {}, modifiers);
        QApplication::sendEvent(view.viewport(), &release);
    }

    // The second press of a quick double click, as Qt delivers it.
    void doubleClick(const QModelIndex& item, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {})
    {
        const QPointF at = QPointF(view.visualRect(item).center());
        QMouseEvent event(QEvent::MouseButtonDblClick, at, view.viewport()->mapToGlobal(at), button, button, modifiers);
        QApplication::sendEvent(view.viewport(), &event);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view.viewport()->mapToGlobal(at), button, {}, modifiers);
        QApplication::sendEvent(view.viewport(), &release);
    }

    QStandardItemModel model;
    OutlineView view;
};

TEST_F(Outline, IndexPathsRunFromTheTopLevelDown)
{
    EXPECT_EQ(view.indexPath(c1Index()), (IndexPath{1, 1}));
    EXPECT_EQ(view.indexPath(r0Index()), (IndexPath{0}));
    EXPECT_EQ(view.indexPath(c0Index().siblingAtColumn(0)), (IndexPath{1, 0}));
    EXPECT_EQ(view.indexPath(QModelIndex()), IndexPath{});
    QStandardItemModel other;
    other.appendRow(new QStandardItem("X"));
    EXPECT_EQ(view.indexPath(other.index(0, 0)), IndexPath{}) << "an item of another tree";
    // Under a root index, paths start below it and items outside it are not in the tree.
    view.setRootIndex(r1Index());
    EXPECT_EQ(view.indexPath(c1Index()), (IndexPath{1}));
    EXPECT_EQ(view.indexPath(r0Index()), IndexPath{});
}

TEST_F(Outline, RowsAreTheItemsShown)
{
    EXPECT_EQ(view.numberOfRows(), 4);
    EXPECT_EQ(view.allRows(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(view.allItems(), (std::vector<QModelIndex>{r0Index(), r1Index(), c0Index(), c1Index()}));
    EXPECT_EQ(view.row(c1Index()), 3);
    view.collapse(r1Index());
    EXPECT_EQ(view.numberOfRows(), 2);
    EXPECT_EQ(view.row(c1Index()), -1);
    EXPECT_TRUE(view.isItemCollapsed(r1Index()));
    EXPECT_FALSE(view.isItemCollapsed(QModelIndex())); // the root is always open
    EXPECT_FALSE(view.item(2).isValid());
}

TEST_F(Outline, SelectsItemsByTheirRowsAndReadsThemInRowOrder)
{
    view.setSelectedItems({c1Index(), r0Index()});
    EXPECT_EQ(view.selectedRows(), (std::vector<int>{0, 3}));
    EXPECT_EQ(view.selectedItems(), (std::vector<QModelIndex>{r0Index(), c1Index()}));
    EXPECT_FALSE(view.selectedItem().isValid()) << "two rows selected";
    view.setSelectedItems({c0Index()});
    EXPECT_EQ(view.selectedItem(), c0Index());
    // Items collapsed away have no row: selecting only them clears the selection.
    view.collapse(r1Index());
    view.setSelectedItems({c0Index(), c1Index()});
    EXPECT_TRUE(view.selectedItems().empty());
}

TEST_F(Outline, ClickedItemsFollowTheClickAndTheSelection)
{
    view.setSelectedItems({r0Index(), c0Index()});
    EXPECT_TRUE(view.clickedItems().empty()) << "no row clicked yet";

    // A right-click on an unselected row: that row only, and the selection stays.
    press(c1Index(), Qt::RightButton);
    EXPECT_EQ(view.clickedRow(), 3);
    EXPECT_EQ(view.clickedItem(), c1Index());
    EXPECT_EQ(view.clickedItems(), std::vector<QModelIndex>{c1Index()});
    EXPECT_EQ(view.selectedItems(), (std::vector<QModelIndex>{r0Index(), c0Index()}));

    // On a selected row: every selected item.
    press(c0Index(), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(view.clickedItems(), (std::vector<QModelIndex>{r0Index(), c0Index()}));

    // Below the last row: no clicked row.
    press(QModelIndex(), Qt::RightButton);
    EXPECT_EQ(view.clickedRow(), -1);
    EXPECT_TRUE(view.clickedItems().empty());

    // A plain left click selects as usual.
    press(r1Index(), Qt::LeftButton);
    EXPECT_EQ(view.selectedItems(), std::vector<QModelIndex>{r1Index()});
    EXPECT_EQ(view.clickedRow(), 1);
}

TEST_F(Outline, AQuickSecondContextClickIsStillAContextClick)
{
    const struct {
        const char* name;
        bool leftClickFirst; // a plain click on R1 before the context clicks
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {"right, right", false, Qt::RightButton, {}},
        {"left, then right, right", true, Qt::RightButton, {}},
        {"control-left twice", false, Qt::LeftButton, Qt::ControlModifier},
    };
    for (const auto& c : cases) {
        view.expand(r1Index());
        view.setSelectedItems({r0Index()});
        if (c.leftClickFirst) {
            press(r1Index(), Qt::LeftButton);
            view.setSelectedItems({r0Index()});
        }
        int doubleClicks = 0;
        const auto connection = QObject::connect(&view, &QAbstractItemView::doubleClicked, [&] { ++doubleClicks; });
        press(r1Index(), c.button, c.modifiers);
        doubleClick(r1Index(), c.button, c.modifiers);
        QObject::disconnect(connection);
        EXPECT_EQ(view.selectedItems(), std::vector<QModelIndex>{r0Index()}) << c.name << ": the selection stays";
        EXPECT_EQ(view.clickedItem(), r1Index()) << c.name;
        EXPECT_TRUE(view.isExpanded(r1Index())) << c.name << ": a context click opens or closes nothing";
        EXPECT_EQ(doubleClicks, 0) << c.name;
    }
}

} // namespace
