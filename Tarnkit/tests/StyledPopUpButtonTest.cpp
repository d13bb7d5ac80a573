// The styled pop-up button: its two-run title, title rect, intrinsic size, bezel opacities,
// state, and picking items (in submenus too) from its real menu.

#include "Tarnkit/Controls/StyledPopUpButton.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/MenuItemAttributes.h"
#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/tests/TestViews.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <type_traits>

namespace {

using namespace tarnkit;
using tarnkit::testing::picture;
using State = StyledControlState;

// The button is made with all three of its arguments, or not at all.
static_assert(!std::is_constructible_v<StyledPopUpButton, QRect>);
static_assert(!std::is_constructible_v<StyledPopUpButton, QRect, bool>);
static_assert(std::is_constructible_v<StyledPopUpButton, QRect, bool, std::optional<double>>);

ImageRef solidImage(const QSize& size)
{
    QImage pixels(size, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(Qt::red);
    return std::make_shared<const Image>(QStringLiteral("solid"), pixels, QImage());
}

// A pop-up cell of a test class with a bezel of its own.
class TestCell : public StyledPopUpButtonCell {
public:
    explicit TestCell(const QSize& bezel) : StyledPopUpButtonCell(QStringLiteral("Item"))
    {
        style_.setBezelImages({{State::defaultState, solidImage(bezel)}});
    }
    PopUpButtonCellStyle& style() const override { return style_; }

private:
    mutable PopUpButtonCellStyle style_;
};

class TestButton : public StyledPopUpButton {
public:
    TestButton(const QSize& bezel, std::optional<double> fixedWidth)
        : StyledPopUpButton(std::make_unique<TestCell>(bezel), QRect(), false, fixedWidth, nullptr)
    {
    }
};

TEST(StyledPopUpButtonGeometryTest, IntrinsicSizeFromTheBezelAndTheFixedWidth)
{
    struct Case {
        QSize bezel;
        std::optional<double> fixedWidth;
        Size expected;
    };
    // The class style's insets (3, 2, 3, 2) apply whatever the cell's class: 4 across, 6 down.
    const Case cases[] = {
        {{120, 26}, 80, {116, 20}},
        {{60, 26}, 80, {76, 20}},
        {{60, 30}, 200, {196, 24}},
    };
    for (const auto& c : cases) {
        TestButton button(c.bezel, c.fixedWidth);
        EXPECT_EQ(button.alignmentRectInsets(), (EdgeInsets{3, 2, 3, 2}));
        EXPECT_EQ(button.intrinsicContentSize(), c.expected) << c.bezel.width() << " wide, fixed " << *c.fixedWidth;
    }
    // Without a fixed width the title decides, but never below the bezel image.
    TestButton free({60, 26}, std::nullopt);
    const double titled = free.cell().cellSize().width;
    EXPECT_EQ(free.intrinsicContentSize().width, std::max(titled, 60.0) - 4);
    free.setBordered(false);
    EXPECT_EQ(free.intrinsicContentSize(), free.cell().cellSize()) << "not bordered: the cell's size";

    StyledPopUpButton real(QRect(), false, 80);
    EXPECT_EQ(real.intrinsicContentSize(), (Size{76, 20})) << "the 64 x 26 pop-up bezel";
    EXPECT_EQ(real.sizeHint(), QSize(80, 26));
}

TEST(StyledPopUpButtonGeometryTest, TheTitleRect)
{
    StyledPopUpButtonCell cell(QStringLiteral("Item"));
    struct Case {
        Rect bounds;
        Rect expected;
    };
    const Case cases[] = {
        {{0, 0, 100, 26}, {10, 6, 76, 14}},
        {{5, 3, 30, 21}, {10, 7, 6, 14}}, // x 10 whatever the origin; 13.5 - 7 rounds up
        {{0, 0, 20, 26}, {10, 6, 0, 14}}, // narrower than the margins: no width
    };
    for (const auto& c : cases)
        EXPECT_EQ(cell.titleRect(c.bounds), c.expected) << c.bounds;
    cell.setImagePosition(ImagePosition::imageOnly);
    EXPECT_EQ(cell.titleRect(Rect(0, 0, 100, 26)), Rect());
    cell.setImagePosition(ImagePosition::noImage);
    cell.setTitle({});
    EXPECT_EQ(cell.titleRect(Rect(0, 0, 100, 26)), Rect());
}

TEST(StyledPopUpButtonTitleTest, TheLabelAndTheTitleAreTwoRuns)
{
    StyledPopUpButton button(QRect(), false, std::nullopt);
    button.addItem(QStringLiteral("Medium"));
    auto& cell = static_cast<StyledPopUpButtonCell&>(button.cell());
    const ColorRef text = cell.style().textColor(cell.controlState());

    const AttributedString plain = cell.attributedTitle(QStringLiteral("Medium"), text, std::nullopt, secondaryLabelColor());
    ASSERT_EQ(plain.runs().size(), 1u);
    EXPECT_EQ(plain.runs()[0], (TextRun{QStringLiteral("Medium"), *Styles::BaseStyles::normalFont(), *text}));

    button.setLabel(QStringLiteral("Quality"));
    EXPECT_EQ(cell.label(), QStringLiteral("Quality")) << "the button hands its label to the cell";
    const AttributedString two = cell.attributedTitle(QStringLiteral("Medium"), text, cell.label(), secondaryLabelColor());
    ASSERT_EQ(two.runs().size(), 2u);
    EXPECT_EQ(two.runs()[0], (TextRun{QStringLiteral("Quality"), *Styles::BaseStyles::normalFont(), *secondaryLabelColor()}));
    EXPECT_EQ(two.runs()[1], (TextRun{QStringLiteral(" Medium"), *Styles::BaseStyles::mediumFont(), *text}));
    EXPECT_EQ(two.paragraphStyle(), (ParagraphStyle{TextAlignment::leading, TruncationMode::tail}));
    EXPECT_EQ(cell.cellSize().width, two.size().width + 24);

    // Drawn: the label fainter than the title, the title in the disabled colour when disabled.
    button.setBordered(false);
    button.resize(int(cell.cellSize().width), 26);
    const auto strongest = [](const QImage& image, int from, int to) {
        int alpha = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = from; x < to; ++x)
                alpha = std::max(alpha, qAlpha(image.pixel(x, y)));
        return alpha;
    };
    const int labelEnd = 10 + int(AttributedString(QStringLiteral("Quality"), *Styles::BaseStyles::normalFont(), {}).size().width);
    const QImage drawn = picture(button);
    // (Thin 10-point strokes do not quite reach the colour's full alpha.)
    EXPECT_LE(strongest(drawn, 10, labelEnd), secondaryLabelColor()->alpha() + 2);
    EXPECT_GT(strongest(drawn, 10, labelEnd), secondaryLabelColor()->alpha() - 20);
    EXPECT_GT(strongest(drawn, labelEnd + 4, button.width()), secondaryLabelColor()->alpha() + 40);
    EXPECT_TRUE(cell.attributedTitle(QStringLiteral("x"), {}, std::nullopt, {}).runs()[0].color == *cell.style().textColor())
        << "no colour given: the style's text colour";
}

TEST(StyledPopUpButtonDrawingTest, OpacitiesAndTheState)
{
    struct Case {
        const char* what;
        bool enabled;
        bool pressed;
        double fraction;
        const char* image;
    };
    const Case cases[] = {
        {"normal", true, false, 1.0, "tkui-popup"},
        {"pressed", true, true, 1.0, "tkui-popup-down"},
        {"disabled", false, false, 0.5, "tkui-popup"},
    };
    QImage normal;
    for (const auto& c : cases) {
        StyledPopUpButton button(QRect(0, 0, 100, 26), false, std::nullopt);
        button.setEnabled(c.enabled);
        button.highlight(c.pressed);
        auto& cell = static_cast<StyledPopUpButtonCell&>(button.cell());
        EXPECT_EQ(cell.style().bezelImage(cell.controlState())->name(), c.image) << c.what;
        const QImage drawn = picture(button);
        // The bezel's face is opaque in its middle, left of the arrows.
        EXPECT_NEAR(qAlpha(drawn.pixel(40, 13)), 255 * c.fraction, 2) << c.what;
        if (normal.isNull()) {
            normal = drawn;
        } else if (c.pressed) {
            EXPECT_NE(drawn, normal) << "the pressed bezel differs";
        }
    }

    StyledPopUpButtonCell cell;
    cell.setStateValue(ControlStateValue::mixed);
    EXPECT_EQ(cell.controlState().rawValue(), 1u) << "no state shown while showsStateBy is 0";
    cell.setShowsStateBy(cellStyleMask::contents);
    EXPECT_EQ(cell.controlState().rawValue(), 65u);
    cell.setEnabled(false);
    cell.setHighlighted(true);
    EXPECT_EQ(cell.controlState().rawValue(), 67u) << "no highlight while disabled";
    EXPECT_EQ(cell.highlightsBy(), 0);
}

// A menu of [A, B, More > [C, D]], with an action counter on every item.
class PopUpMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(300, 200);
        button = new StyledPopUpButton(QRect(10, 10, 120, 26), false, 120, &window);
        std::vector<std::unique_ptr<QAction>> items;
        for (const char* title : {"A", "B"})
            items.push_back(menuItem::make(QString::fromLatin1(title)));
        auto more = menuItem::make(QStringLiteral("More"));
        auto submenu = std::make_unique<QMenu>();
        menuItem::addItem(submenu.get(), menuItem::make(QStringLiteral("C")));
        menuItem::addItem(submenu.get(), menuItem::make(QStringLiteral("D")));
        menuItem::setSubmenu(more.get(), std::move(submenu));
        items.push_back(std::move(more));
        menuItem::setItemArray(button->menu(), std::move(items));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QAction* item(const char* title) const
    {
        for (QAction* candidate : button->items())
            if (candidate->text() == QLatin1String(title))
                return candidate;
        return nullptr;
    }

    QWidget window;
    StyledPopUpButton* button = nullptr;
};

TEST_F(PopUpMenuTest, ListsItsItemsInPreOrderAndSelectsTheFirst)
{
    ASSERT_EQ(button->count(), 5);
    const QStringList titles{"A", "B", "More", "C", "D"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(button->itemText(i), titles[i]);
    EXPECT_EQ(button->selectedItem(), item("A")) << "the first item of an empty menu";
    EXPECT_EQ(button->title(), QStringLiteral("A"));
    EXPECT_FALSE(button->isItemEnabled(2)) << "a submenu item is not a choice";

    button->selectItem(item("D"));
    EXPECT_EQ(button->currentIndex(), 4);
    EXPECT_EQ(button->title(), QStringLiteral("D"));
    // Removing the branch that holds the selection leaves none.
    button->menu()->removeAction(item("More"));
    EXPECT_EQ(button->selectedItem(), nullptr);
    EXPECT_TRUE(button->title().isEmpty());
}

TEST_F(PopUpMenuTest, PicksFromTheMenuAndItsSubmenus)
{
    QSignalSpy activated(button, &PopUpButton::activated);
    QSignalSpy actions(button, &Control::action);

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 13));
    QMenu* menu = button->menu();
    ASSERT_TRUE(menu->isVisible()) << "a press opens the menu";
    EXPECT_TRUE(button->cell().isHighlighted());
    menu->setActiveAction(item("B"));
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(button->cell().isHighlighted());
    EXPECT_EQ(button->selectedItem(), item("B"));
    EXPECT_EQ(button->title(), QStringLiteral("B"));
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 1);
    EXPECT_EQ(actions.count(), 1);

    // Into the submenu from the keyboard.
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Down);
    ASSERT_TRUE(menu->isVisible());
    menu->setActiveAction(item("More"));
    QTest::keyClick(menu, Qt::Key_Right);
    QMenu* submenu = item("More")->menu();
    ASSERT_TRUE(submenu->isVisible());
    submenu->setActiveAction(item("D"));
    QTest::keyClick(submenu, Qt::Key_Return);
    EXPECT_EQ(button->selectedItem(), item("D"));
    EXPECT_EQ(button->title(), QStringLiteral("D"));
    EXPECT_EQ(activated.last().at(0).toInt(), 4);
    EXPECT_EQ(actions.count(), 2);
}

} // namespace
