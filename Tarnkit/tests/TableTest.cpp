// The view-based table and its styled classes: rows and their selection blocks, reuse as the
// table scrolls, selection by mouse and keys, the keyboard action, click-to-key in real
// windows, the header cells and the header's trailing buttons.

#include "TestEvents.h"

#include "Tarnkit/Controls/StyledButton.h"
#include "Tarnkit/Fields/ActionableTableHeaderView.h"
#include "Tarnkit/Fields/KeyboardActionTableView.h"
#include "Tarnkit/Fields/ScrollView.h"
#include "Tarnkit/Fields/StyledTableCellView.h"
#include "Tarnkit/Fields/StyledTableColumn.h"
#include "Tarnkit/Fields/StyledTableHeaderCell.h"
#include "Tarnkit/Fields/StyledTableRowView.h"
#include "Tarnkit/Fields/StyledTableView.h"
#include "Tarnkit/Foundation/ActionTrampoline.h"
#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/Styles.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace tarnkit;
using namespace tarnkit::testing;
using IndexSet = TableView::IndexSet;

const QString cellIdentifier = QStringLiteral("name");

// A table of numbered rows: styled rows, and one styled cell view per column saying
// "<column> <row>".
class Rows : public TableViewDataSource, public TableViewDelegate {
public:
    explicit Rows(int rows) : count(rows) {}

    int numberOfRows(const TableView&) const override { return count; }
    QWidget* viewFor(TableView& table, const TableColumn& column, int row) override
    {
        auto* cell = table.makeView<StyledTableCellView>(cellIdentifier);
        if (!cell) { // no factory registered: made here, reused all the same
            cell = new StyledTableCellView;
            cell->setIdentifier(cellIdentifier);
        }
        cell->textField()->setText(column.identifier() + QStringLiteral(" %1").arg(row));
        return cell;
    }
    TableRowView* rowViewFor(TableView& table, int) override
    {
        return table.makeView<StyledTableRowView>(StyledTableRowView::classIdentifier());
    }

    int count;
};

template <class Table = StyledTableView>
struct TableFixture {
    explicit TableFixture(int rows, QSize size = {300, 240}, std::vector<double> columnWidths = {300})
        : data(rows)
    {
        scrollView.resize(size);
        table = new Table;
        table->registerView(cellIdentifier, [] { return new StyledTableCellView; });
        table->registerView(StyledTableRowView::classIdentifier(), [] { return new StyledTableRowView; });
        int index = 0;
        for (double width : columnWidths) {
            auto column = std::make_unique<StyledTableColumn>(QStringLiteral("c%1").arg(index++));
            column->setWidth(width);
            column->setTitle(column->identifier());
            table->addTableColumn(std::move(column));
        }
        header = new ActionableTableHeaderView;
        table->setHeaderView(header);
        scrollView.setDocumentView(table);
        table->setDataSource(&data);
        table->setDelegate(&data);
        scrollView.show();
        QApplication::processEvents();
    }

    QString text(int column, int row) const
    {
        auto* cell = qobject_cast<TableCellView*>(table->view(column, row));
        return cell ? cell->textField()->text() : QStringLiteral("<none>");
    }

    Rows data;
    ScrollView scrollView;
    Table* table = nullptr;
    ActionableTableHeaderView* header = nullptr;
};

QColor selectionColour()
{
    return *TableViewStyle().selectedRowBackgroundColor();
}

bool isSelectionColour(QRgb pixel)
{
    const QColor expected = selectionColour();
    return qAlpha(pixel) == 255 && qRed(pixel) == expected.red() && qGreen(pixel) == expected.green()
           && qBlue(pixel) == expected.blue();
}

// ---- rows and their selection -----------------------------------------------------------------

TEST(StyledTableRowViewTest, CornersFollowTheNeighboursSelection)
{
    using Shape = StyledTableRowView::SelectionShape;
    struct Case {
        const char* name;
        IndexSet selected; // row 5 and its neighbours
        Shape shape;
        bool roundTop;
        bool roundBottom;
    };
    const Case cases[] = {
        {"neither neighbour", {5}, Shape::alone, true, true},
        {"the row below", {5, 6}, Shape::firstOfRun, true, false},
        {"both", {4, 5, 6}, Shape::insideRun, false, false},
        {"the row above", {4, 5}, Shape::lastOfRun, false, true},
    };
    TableFixture fixture(20);
    for (const Case& c : cases) {
        fixture.table->selectRowIndexes(c.selected, false);
        EXPECT_EQ(StyledTableRowView::selectionShape(c.selected.contains(4), c.selected.contains(6)), c.shape) << c.name;
        TableRowView* row = fixture.table->rowView(5);
        ASSERT_NE(row, nullptr);
        const QImage image = picture(*row);
        const int right = image.width() - 9; // the selection stops 8 points in
        const int bottom = image.height() - 1;
        EXPECT_EQ(!isSelectionColour(image.pixel(8, 0)), c.roundTop) << c.name;
        EXPECT_EQ(!isSelectionColour(image.pixel(right, 0)), c.roundTop) << c.name;
        EXPECT_EQ(!isSelectionColour(image.pixel(8, bottom)), c.roundBottom) << c.name;
        EXPECT_EQ(!isSelectionColour(image.pixel(right, bottom)), c.roundBottom) << c.name;
        EXPECT_TRUE(isSelectionColour(image.pixel(200, 12))) << c.name;
        EXPECT_EQ(qAlpha(image.pixel(7, 12)), 0) << c.name << ": inset 8";

        // A partial redraw draws what a whole one does inside its rect.
        for (const QRect part : {QRect(0, 0, 20, 10), QRect(30, 6, 100, 12), QRect(270, 14, 30, 10)}) {
            QImage partial(row->size(), QImage::Format_ARGB32);
            partial.fill(Qt::transparent);
            row->render(&partial, part.topLeft(), QRegion(part), QWidget::DrawChildren);
            EXPECT_EQ(partial.copy(part), image.copy(part)) << c.name << " in " << part.x() << "," << part.y();
        }
    }
}

TEST(StyledTableRowViewTest, ThreeSelectedRowsDrawAsOneBlock)
{
    TableFixture fixture(20);
    fixture.table->selectRowIndexes({1, 2, 3}, false);
    const QImage image = picture(*fixture.table);
    const int top = 24;     // row 1
    const int bottom = 96;  // below row 3
    for (int y = top + 3; y < bottom - 3; ++y)
        ASSERT_TRUE(isSelectionColour(image.pixel(150, y))) << "no seam at y " << y;
    for (int y : {46, 47, 48, 49, 70, 71, 72, 73}) // where the rows meet, clear of the text
        EXPECT_TRUE(isSelectionColour(image.pixel(8, y))) << "square where rows meet, y " << y;
    EXPECT_FALSE(isSelectionColour(image.pixel(8, top))) << "rounded at the block's top";
    EXPECT_FALSE(isSelectionColour(image.pixel(8, bottom - 1))) << "and bottom";
    EXPECT_FALSE(isSelectionColour(image.pixel(7, 50)));
    EXPECT_FALSE(isSelectionColour(image.pixel(8, top - 2))) << "row 0 is not selected";
}

TEST(StyledTableRowViewTest, SelectionReachesTheCellsAndTheirSubviews)
{
    TableFixture fixture(20);
    auto* cell = qobject_cast<StyledTableCellView*>(fixture.table->view(0, 2));
    ASSERT_NE(cell, nullptr);
    auto* inner = new StyledButton(cell);
    auto* action = new StyledButton(fixture.table->rowView(2));
    action->setProperty("tag", StyledTableCellView::actionButtonTag);
    EXPECT_EQ(cell->actionButton(), action);

    fixture.table->selectRowIndexes({2}, false);
    EXPECT_TRUE(cell->isSelected());
    EXPECT_TRUE(inner->isSelected());
    EXPECT_EQ(cell->textField()->palette().color(QPalette::WindowText), *cell->style().selectedTextColor());
    EXPECT_EQ(cell->controlState().rawValue(), 5u);

    fixture.table->deselectAll();
    EXPECT_FALSE(inner->isSelected());
    EXPECT_EQ(cell->textField()->palette().color(QPalette::WindowText), *cell->style().textColor());
}

// ---- reuse ------------------------------------------------------------------------------------

TEST(TableViewTest, AHundredThousandRowsKeepAScreenOfViews)
{
    TableFixture fixture(100'000);
    const int screen = int(std::ceil(fixture.scrollView.documentVisibleRect().height() / 24)) + 1;
    ASSERT_EQ(fixture.table->height(), 2'400'000);
    int most = 0;
    const auto reusables = [&] { return fixture.table->findChildren<TableReusableView*>().size(); };
    qsizetype mostViews = 0;
    for (int y = 0; y < 2'400'000; y += 6'007) { // steps that land mid-row as often as not
        fixture.scrollView.scrollTo({0, double(y)});
        most = std::max(most, fixture.table->numberOfLiveRowViews());
        mostViews = std::max(mostViews, reusables());
    }
    fixture.scrollView.scrollTo({0, 2'400'000});
    EXPECT_LE(most, screen);
    EXPECT_LE(mostViews, qsizetype(2 * screen * 2)) << "rows and cells, live or waiting";

    // What shows is the row's own, not what a reused view showed before.
    const Rect visible = fixture.scrollView.documentVisibleRect();
    const int first = int(visible.minY() / 24);
    EXPECT_EQ(visible.maxY(), 2'400'000) << "scrolled to the end";
    for (int row = first; row < 100'000; ++row)
        EXPECT_EQ(fixture.text(0, row), QStringLiteral("c0 %1").arg(row));
    EXPECT_EQ(fixture.table->rowView(0), nullptr);
}

TEST(TableViewTest, AReusedCellViewIsPreparedAndEmptied)
{
    StyledTableCellView cell;
    cell.textField()->setText(QStringLiteral("old"));
    cell.setSelected(true);
    cell.setObjectValue(QStringLiteral("new value"));
    EXPECT_EQ(cell.objectValue().toString(), QStringLiteral("new value"));
    EXPECT_TRUE(cell.textField()->text().isEmpty());
    cell.textField()->setText(QStringLiteral("wide enough text"));
    cell.textField()->move(2, 0);
    EXPECT_EQ(cell.intrinsicContentSize().width, 2 + cell.textField()->sizeHint().width());
    EXPECT_EQ(cell.intrinsicContentSize().height, -1);
}

// ---- selection --------------------------------------------------------------------------------

TEST(TableViewTest, ClicksAndKeysSelectAsUsersExpect)
{
    TableFixture fixture(50);
    StyledTableView& table = *fixture.table;
    table.setAllowKeyboardNavigation(true);
    int changes = 0;
    QObject::connect(&table, &TableView::selectionDidChange, [&] { ++changes; });
    const auto click = [&](int row, Qt::KeyboardModifiers modifiers = {}) {
        press(&table, {50, row * 24 + 12.0}, 0, modifiers);
        release(&table, {50, row * 24 + 12.0});
    };
    struct Step {
        const char* name;
        std::function<void()> act;
        IndexSet expected;
    };
    const Step steps[] = {
        {"click", [&] { click(2); }, {2}},
        {"Shift-click extends from it", [&] { click(5, Qt::ShiftModifier); }, {2, 3, 4, 5}},
        {"Control-click adds one", [&] { click(8, Qt::ControlModifier); }, {2, 3, 4, 5, 8}},
        {"Control-click removes one", [&] { click(3, Qt::ControlModifier); }, {2, 4, 5, 8}},
        {"a plain click starts again", [&] { click(7); }, {7}},
        {"Down", [&] { key(&table, QEvent::KeyPress, Qt::Key_Down); }, {8}},
        {"Shift+Down extends", [&] { key(&table, QEvent::KeyPress, Qt::Key_Down, Qt::ShiftModifier); }, {8, 9}},
        {"Up", [&] { key(&table, QEvent::KeyPress, Qt::Key_Up); }, {8}},
        {"End scrolls to the last row", [&] { key(&table, QEvent::KeyPress, Qt::Key_End); }, {49}},
        {"a click below the rows clears", [&] {
             fixture.scrollView.scrollTo({0, 0});
             table.setRowHeight(2); // 50 rows of 2 points leave room below
             click(100);
             table.setRowHeight(24);
         }, {}},
    };
    for (const Step& step : steps) {
        const int before = changes;
        step.act();
        EXPECT_EQ(table.selectedRowIndexes(), step.expected) << step.name;
        EXPECT_GT(changes, before) << step.name;
    }
    fixture.scrollView.scrollTo({0, 0});
    table.selectRowIndexes({49}, false);
    table.scrollRowToVisible(49);
    EXPECT_TRUE(table.rowView(49) && table.rowView(49)->isSelected());
}

// A parent that keeps the keys that reach it.
class KeyCatcher : public QWidget {
public:
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
};

TEST(StyledTableViewTest, WithoutKeyboardNavigationKeysGoToTheParent)
{
    KeyCatcher parent;
    auto* table = new StyledTableView(&parent);
    Rows data(10);
    table->resize(200, 240);
    table->addTableColumn(std::make_unique<TableColumn>(QStringLiteral("c")));
    table->setDataSource(&data);
    table->setDelegate(&data);
    table->selectRowIndexes({3}, false);
    ASSERT_FALSE(table->allowKeyboardNavigation());

    QTest::keyClick(table, Qt::Key_Down);
    QTest::keyClick(table, Qt::Key_Up);
    EXPECT_EQ(parent.keys, (std::vector<int>{Qt::Key_Down, Qt::Key_Up}));
    EXPECT_EQ(table->selectedRowIndexes(), IndexSet{3});

    table->setAllowKeyboardNavigation(true);
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(table->selectedRowIndexes(), IndexSet{4});
    EXPECT_EQ(parent.keys.size(), 2u);
}

TEST(KeyboardActionTableViewTest, ReturnAndEnterFireOnRelease)
{
    struct Case {
        const char* name;
        std::vector<Qt::Key> triggers;
        int key;
        bool fires;
    };
    const std::vector<Qt::Key> both{Qt::Key_Return, Qt::Key_Enter};
    const Case cases[] = {
        {"Return", both, Qt::Key_Return, true},
        {"Enter", both, Qt::Key_Enter, true},
        {"Tab", both, Qt::Key_Tab, false},
        {"a letter", both, Qt::Key_A, false},
        {"Enter, no longer a trigger", {Qt::Key_Return}, Qt::Key_Enter, false},
        {"Return, still one", {Qt::Key_Return}, Qt::Key_Return, true},
    };
    for (const Case& c : cases) {
        KeyboardActionTableView table;
        EXPECT_EQ(table.keyboardActionTriggers(), both);
        table.setKeyboardActionTriggers(c.triggers);
        int fired = 0;
        setAction(&table, [&](KeyboardActionTableView&) { ++fired; }); // the table's target
        table.setKeyboardAction(Selector{"actionWithSender"});
        key(&table, QEvent::KeyPress, c.key);
        EXPECT_EQ(fired, 0) << c.name << ": nothing on key-down";
        key(&table, QEvent::KeyRelease, c.key);
        EXPECT_EQ(fired, c.fires ? 1 : 0) << c.name;
    }
}

// Two shown windows, as a user has them: a table in the first.
TEST(StyledTableViewTest, AClickInAWindowThatIsNotKeyMakesItKey)
{
    for (const bool makeKey : {true, false}) {
        QWidget first;
        QWidget second;
        first.setGeometry(20, 20, 320, 260);
        second.setGeometry(360, 20, 200, 120);
        auto* scrollView = new ScrollView(&first);
        scrollView->setGeometry(10, 10, 300, 240);
        auto* table = new StyledTableView;
        table->addTableColumn(std::make_unique<TableColumn>(QStringLiteral("c")));
        Rows data(10);
        scrollView->setDocumentView(table);
        table->setDataSource(&data);
        table->setDelegate(&data);
        table->setMakeKeyOnClick(makeKey);
        first.show();
        second.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
        second.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&second));

        press(table, {40, 2 * 24 + 10});
        release(table, {40, 2 * 24 + 10});
        if (makeKey)
            EXPECT_TRUE(QTest::qWaitForWindowActive(&first));
        else
            EXPECT_TRUE(second.isActiveWindow()) << "the other window stays key";
        EXPECT_EQ(table->selectedRowIndexes(), IndexSet{2}) << makeKey;
    }
}

TEST(StyledTableViewTest, TakesItsBackgroundToTheScrollViewAndCountsItsColumns)
{
    TableFixture fixture(3, {300, 240}, {100, 100, 100});
    EXPECT_EQ(*fixture.table->backgroundColor(), *Styles::TableView::background());
    EXPECT_TRUE(fixture.scrollView.drawsBackground());
    EXPECT_EQ(*fixture.scrollView.backgroundColor(), *fixture.table->backgroundColor());

    EXPECT_EQ(fixture.table->allColumnIndexes(), (IndexSet{0, 1, 2}));
    StyledTableView empty;
    EXPECT_TRUE(empty.allColumnIndexes().empty());
}

// ---- header ---------------------------------------------------------------------------------

TEST(StyledTableHeaderCellTest, TitleInsetsAndTheImageCentredOnTheFrameHeight)
{
    const ImageRef image = ImageResource::of(ImageAsset::propertiesTableAdd).makeImage(); // 16 x 16
    StyledTableHeaderCell cell(QStringLiteral("Name"), image);
    const QFontMetricsF metrics(*cell.font());
    const double dy = std::floor((24 - (metrics.ascent() + metrics.descent())) * 0.5);
    struct Case {
        Rect frame;
        double dx;
        Rect image;
    };
    const Case cases[] = {
        {Rect(0, 0, 80, 24), 4, Rect(32, 4, 16, 16)},
        {Rect(4.5, 0, 80, 24), 4, Rect(36.5, 4, 16, 16)},
        {Rect(5, 0, 80, 24), 1, Rect(37, 4, 16, 16)},
        {Rect(100, 0, 60, 24), 1, Rect(122, 4, 16, 16)},
        {Rect(100, 10, 60, 24), 1, Rect(122, 4, 16, 16)}, // the frame's own y does not enter
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cell.titleRect(c.frame), Rect(c.frame.x() + c.dx, c.frame.y() + dy, c.frame.width() - 2 * c.dx,
                                                 c.frame.height() - 2 * dy))
            << c.frame.x();
        EXPECT_EQ(cell.imageRect(c.frame), c.image) << c.frame.x() << ", " << c.frame.y();
    }
    EXPECT_EQ(cell.controlState().rawValue(), 1u);
    cell.setHighlighted(true);
    cell.setEnabled(false);
    EXPECT_EQ(cell.controlState().rawValue(), 11u);
    EXPECT_EQ(*cell.tintColor(), *controlBackgroundColor());
}

TEST(StyledTableViewTest, ApplyHeaderStyleKeepsTitlesAndImagesOfVisibleColumns)
{
    TableFixture fixture(3, {300, 240}, {100, 100, 100});
    const ImageRef star = ImageResource::of(ImageAsset::organiserIconStar).makeImage();
    auto columns = fixture.table->tableColumns();
    static_cast<StyledTableColumn*>(columns[0])->setImage(star);
    columns[2]->setHidden(true);
    TableHeaderCell* hiddenCell = &columns[2]->headerCell();

    const ColorRef text = Styles::TableHeader::textColor();
    const ColorRef tint = std::make_shared<const QColor>(Qt::darkBlue);
    fixture.table->applyHeaderStyle(text, tint, *Styles::TableHeader::font());
    for (int index : {0, 1}) {
        auto* styled = dynamic_cast<StyledTableHeaderCell*>(&columns[std::size_t(index)]->headerCell());
        ASSERT_NE(styled, nullptr) << index;
        EXPECT_EQ(styled->stringValue(), QStringLiteral("c%1").arg(index));
        EXPECT_EQ(styled->tintColor(), tint);
        EXPECT_EQ(styled->textColor(), text);
        EXPECT_EQ(styled->attributedStringValue().runs().at(0).color, *text);
        EXPECT_EQ(styled->backgroundStyle(), BackgroundStyle::raised);
    }
    EXPECT_EQ(columns[0]->headerCell().image(), star) << "the column carries its image into the new cell";
    EXPECT_EQ(columns[1]->headerCell().image(), nullptr);
    EXPECT_EQ(&columns[2]->headerCell(), hiddenCell) << "hidden columns keep their cells";

    // The tint fills the header behind the title.
    const QImage header = picture(*fixture.header);
    EXPECT_EQ(header.pixelColor(150, 2), QColor(Qt::darkBlue));
}

TEST(ActionableTableHeaderViewTest, ButtonsAreBorderlessImagesWithoutActions)
{
    ActionableTableHeaderView header;
    for (ImageButton* button : {header.addItemButton(), header.optionButton()}) {
        EXPECT_FALSE(button->isBordered());
        EXPECT_TRUE(button->title().isEmpty());
        EXPECT_EQ(button->imagePosition(), ImagePosition::imageOnly);
        EXPECT_EQ(button->imageScaling(), ImageScaling::none);
        EXPECT_EQ(button->buttonCell().buttonType(), ButtonType::momentaryChange);
        EXPECT_EQ(button->bezelStyle(), BezelStyle::regularSquare);
        EXPECT_FALSE(tarnkit::action(button));
        EXPECT_EQ(button->size(), QSize(16, 16));
    }
    EXPECT_EQ(header.addItemButton()->image()->name(), QStringLiteral("properties-table-add"));
    EXPECT_EQ(header.addItemButton()->imageButtonCell().alternateImage()->name(),
              QStringLiteral("properties-table-add-down"));
    EXPECT_EQ(header.optionButton()->image()->name(), QStringLiteral("properties-tableheader-overflow"));
    EXPECT_EQ(header.optionButton()->imageButtonCell().alternateImage()->name(),
              QStringLiteral("properties-tableheader-overflow-down"));
}

// The notifications come on the main queue, and the layout they ask for on the turn after.
void settle()
{
    for (int turn = 0; turn < 3; ++turn)
        QApplication::processEvents();
}

TEST(ActionableTableHeaderViewTest, ButtonsKeepToTheVisibleTrailingEdge)
{
    // 600 points of columns seen through 300 (less the vertical scroll bar).
    TableFixture fixture(40, {300, 240}, {200, 200, 200});
    ActionableTableHeaderView& header = *fixture.header;
    const auto expectAtEdge = [&](const char* when) {
        const double edge = fixture.scrollView.documentVisibleRect().maxX();
        EXPECT_EQ(header.optionButton()->geometry(), QRect(int(edge) - 18, 4, 16, 16)) << when;
        EXPECT_EQ(header.addItemButton()->geometry(), QRect(int(edge) - 34, 4, 16, 16)) << when;
    };
    expectAtEdge("at first");
    fixture.scrollView.scrollTo({150, 0});
    settle();
    expectAtEdge("scrolled sideways");
    ASSERT_EQ(fixture.scrollView.documentVisibleRect().x(), 150);

    // Another table's scrolling in the same turn does not call this header's layout off.
    TableFixture other(40, {300, 240}, {200, 200, 200});
    settle();
    fixture.scrollView.scrollTo({250, 0});
    other.scrollView.scrollTo({10, 0});
    settle();
    expectAtEdge("after another table scrolled too");

    header.hideOptionButton();
    settle();
    const double edge = fixture.scrollView.documentVisibleRect().maxX();
    EXPECT_EQ(header.addItemButton()->geometry(), QRect(int(edge) - 18, 4, 16, 16)) << "in the option button's place";
}

} // namespace
