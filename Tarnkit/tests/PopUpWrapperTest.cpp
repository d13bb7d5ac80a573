// The pop-up wrapper for declarative views: the menu it builds, the pre-order match of the
// bound selection, the binding written on a pick, and the button it makes.

#include "Tarnkit/Components/StyledPopUpButtonWrapper.h"

#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

enum class Texture { smooth = 1, rough = 2 };

} // namespace

template <>
struct tarnkit::MenuPresentation<Texture> : tarnkit::MenuPresentationDefaults<Texture> {
    static QString title(Texture t) { return t == Texture::smooth ? "Smooth" : "Rough"; }
    static QString menuTitle() { return "Texture"; }
    static std::vector<Texture> allCases() { return {Texture::smooth, Texture::rough}; }
};

namespace {

using namespace tarnkit;

// A value type of its own (not one QVariant knows already), compared by its id.
struct Flavour {
    int id = 0;
    friend bool operator==(const Flavour&, const Flavour&) = default;
};

using Item = PopupItem<Flavour>;
using Wrapper = StyledPopUpButtonWrapper<Flavour>;
using Host = ui::RepresentableHost<Wrapper>;

Item item(int id, const char* title, bool enabled = true)
{
    return Item(Flavour{id}, QString::fromLatin1(title), {}, enabled);
}

Item branch(const char* title, std::vector<Item> children)
{
    Item made(std::nullopt, QString::fromLatin1(title));
    made.subMenu = std::move(children);
    return made;
}

// The model the binding reads and writes, with a count of the writes.
struct Model {
    Flavour value;
    int writes = 0;

    Binding<Flavour> binding()
    {
        return Binding<Flavour>([this] { return value; },
                                [this](const Flavour& v) {
                                    value = v;
                                    ++writes;
                                });
    }
};

TEST(PopUpWrapperTest, SelectsTheFirstMatchInPreOrder)
{
    struct Case {
        const char* what;
        std::vector<Item> items;
        int selection;
        const char* selected; // title of the selected item
        const char* title;    // what the button shows
    };
    const Case cases[] = {
        {"two equal objects: the first wins", {item(1, "One"), item(2, "Two"), item(2, "Deux")}, 2, "Two", "Two"},
        {"a submenu item is selection and title",
         {item(1, "One"), branch("More", {item(3, "Three"), item(4, "Four")}), item(4, "Four again")}, 4, "Four", "Four"},
        {"the branch's own items come before the items after it",
         {branch("More", {item(5, "Inner five")}), item(5, "Outer five")}, 5, "Inner five", "Inner five"},
        {"no match: the first item, as the rebuild left it", {item(1, "One"), item(2, "Two")}, 9, "One", "One"},
        {"items standing for nothing never match", {Item(std::nullopt, "Nothing"), item(0, "Zero")}, 0, "Zero", "Zero"},
        {"a divider first: selected when nothing matches", {Item::divider(), item(1, "One")}, 7, "", ""},
    };
    for (const auto& c : cases) {
        Model model{Flavour{c.selection}};
        Host host(Wrapper{c.items, model.binding(), std::nullopt, 120});
        StyledPopUpButton& button = host.view();
        ASSERT_NE(button.selectedItem(), nullptr) << c.what;
        EXPECT_EQ(button.selectedItem()->text(), QString::fromLatin1(c.selected)) << c.what;
        EXPECT_EQ(button.title(), QString::fromLatin1(c.title)) << c.what;
        EXPECT_EQ(model.writes, 0) << "showing writes nothing: " << c.what;
    }
}

TEST(PopUpWrapperTest, BuildsTheMenuFromTheItems)
{
    Model model{Flavour{2}};
    Item divider = Item::divider();
    divider.title = QStringLiteral("ignored");
    divider.object = Flavour{8};
    divider.subMenu = std::vector<Item>{item(9, "Nine")};
    Host host(Wrapper{{item(1, "One"), divider, branch("More", {item(2, "Two", false), item(3, "Three")})},
                      model.binding(), QStringLiteral("Flavour"), 140});
    StyledPopUpButton& button = host.view();

    // The button: a pop-up of the wrapper's fixed width, with its label, made as the wrapper asks.
    EXPECT_FALSE(button.pullsDown());
    EXPECT_EQ(button.fixedWidth(), 140);
    EXPECT_EQ(button.label(), QStringLiteral("Flavour"));
    EXPECT_EQ(static_cast<StyledPopUpButtonCell&>(button.cell()).label(), QStringLiteral("Flavour"));
    EXPECT_EQ(host.sizeHint(), button.sizeHint());

    const std::vector<QAction*> items = button.items();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_TRUE(items[1]->text().isEmpty()) << "a divider's title is not used";
    EXPECT_FALSE(items[1]->data().isValid());
    EXPECT_EQ(items[1]->menu(), nullptr);
    EXPECT_EQ(items[2]->text(), QStringLiteral("More"));
    EXPECT_FALSE(items[2]->data().isValid());
    EXPECT_EQ(menuItem::target(items[0]), &host.coordinator());
    EXPECT_EQ(menuItem::action(items[0]), Selector{"menuItemSelected"});
    EXPECT_EQ(button.selectedItem(), items[3]) << "the disabled item still matches";

    // Disabled items stay disabled when the menu and the submenu open.
    QMenu* submenu = items[2]->menu();
    ASSERT_NE(submenu, nullptr);
    EXPECT_FALSE(menuItem::autoenablesItems(button.menu()));
    EXPECT_FALSE(menuItem::autoenablesItems(submenu));
    emit button.menu()->aboutToShow();
    emit submenu->aboutToShow();
    EXPECT_FALSE(items[3]->isEnabled());
    EXPECT_TRUE(items[4]->isEnabled());
}

TEST(PopUpWrapperTest, APickWritesTheBindingAndAnUpdateRebuilds)
{
    QWidget window;
    window.resize(300, 200);
    Model model{Flavour{1}};
    const std::vector<Item> items{item(1, "One"), Item(std::nullopt, "Nothing"), branch("More", {item(3, "Three")})};
    auto* host = new Host(Wrapper{items, model.binding(), std::nullopt, 120}, &window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    StyledPopUpButton& button = host->view();
    const auto find = [&](const char* title) {
        for (QAction* candidate : button.items())
            if (candidate->text() == QLatin1String(title))
                return candidate;
        return static_cast<QAction*>(nullptr);
    };

    // A pick in the submenu through the real menu.
    button.popUpMenu();
    button.menu()->setActiveAction(find("More"));
    QTest::keyClick(button.menu(), Qt::Key_Right);
    QMenu* submenu = find("More")->menu();
    ASSERT_TRUE(submenu->isVisible());
    submenu->setActiveAction(find("Three"));
    QTest::keyClick(submenu, Qt::Key_Return);
    EXPECT_EQ(model.value, Flavour{3});
    EXPECT_EQ(model.writes, 1);
    EXPECT_EQ(button.title(), QStringLiteral("Three"));

    // An item that stands for nothing changes nothing.
    button.popUpMenu();
    button.menu()->setActiveAction(find("Nothing"));
    QTest::keyClick(button.menu(), Qt::Key_Return);
    EXPECT_EQ(model.writes, 1);
    EXPECT_EQ(model.value, Flavour{3});

    // An update rebuilds the menu, matches the model's value and hands the coordinator the new
    // binding; the next pick goes there.
    Model other{Flavour{1}};
    QAction* before = find("One");
    host->setRepresentable(Wrapper{items, other.binding(), QStringLiteral("Now"), 120});
    EXPECT_NE(find("One"), nullptr);
    EXPECT_NE(find("One"), before) << "new items every update";
    EXPECT_EQ(button.title(), QStringLiteral("One"));
    EXPECT_EQ(button.label(), QStringLiteral("Now"));
    host->coordinator().menuItemSelected(find("Three"));
    EXPECT_EQ(other.value, Flavour{3});
    EXPECT_EQ(model.writes, 1) << "the old binding is no longer written";

    // A represented object of another type is no choice.
    QAction stray(QStringLiteral("stray"));
    stray.setData(QVariant::fromValue(3));
    host->coordinator().menuItemSelected(&stray);
    EXPECT_EQ(other.writes, 1);
}

TEST(PopupItemTest, APresentableValueGivesTheTitleAndStandsForItselfOnlyAsAT)
{
    const PopupItem<Texture> own(Texture::rough);
    EXPECT_EQ(own.title, QStringLiteral("Rough"));
    EXPECT_EQ(own.object, Texture::rough);
    EXPECT_TRUE(own.isEnabled);
    EXPECT_FALSE(own.isDivider);
    EXPECT_FALSE(own.subMenu.has_value());

    const PopupItem<int> other(Texture::smooth);
    EXPECT_EQ(other.title, QStringLiteral("Smooth"));
    EXPECT_EQ(other.object, std::nullopt) << "a Texture is not an int";
}

} // namespace
