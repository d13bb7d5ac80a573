#include "Tarnkit/Foundation/MenuItemAttributes.h"
#include "Tarnkit/Foundation/MenuPresentable.h"
#include "Tarnkit/Foundation/MenuStructure.h"
#include "Tarnkit/Foundation/TKMenuItem.h"
#include "Tarnkit/Foundation/TKMenuType.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace {

/// A presentable value whose every member is a field, so each case can set what it needs.
struct Entry {
    QString title;
    std::int64_t tag = 0;
    QVariant representedObject{};
    std::optional<std::int64_t> alternateTag{};
    std::optional<QString> alternateTitle{};
    QVariant alternateRepresentedObject{};
    QObject* target = nullptr;
    std::optional<tarnkit::Selector> action{};
};

enum class Shape : int { circle = 1, square = 2, triangle = 3 };
enum class Flag : std::uint64_t { low = 7, high = 0x8000'0000'0000'0000ull };

} // namespace

template <>
struct tarnkit::MenuPresentation<Entry> : tarnkit::MenuPresentationDefaults<Entry> {
    static std::int64_t tag(const Entry& e) { return e.tag; }
    static QString title(const Entry& e) { return e.title; }
    static QVariant representedObject(const Entry& e) { return e.representedObject; }
    static std::optional<std::int64_t> alternateTag(const Entry& e) { return e.alternateTag; }
    static std::optional<QString> alternateTitle(const Entry& e) { return e.alternateTitle; }
    static QVariant alternateRepresentedObject(const Entry& e) { return e.alternateRepresentedObject; }
    static QObject* target(const Entry& e) { return e.target; }
    static std::optional<tarnkit::Selector> action(const Entry& e) { return e.action; }
    static QString menuTitle() { return QStringLiteral("Entries"); }
    static tarnkit::MenuStructure<Entry> menuStructure() { return tarnkit::MenuStructure<Entry>::separator(); }
};

template <>
struct tarnkit::MenuPresentation<Shape> : tarnkit::MenuPresentationDefaults<Shape> {
    static QString title(Shape s)
    {
        switch (s) {
        case Shape::circle: return QStringLiteral("Circle");
        case Shape::square: return QStringLiteral("Square");
        case Shape::triangle: return QStringLiteral("Triangle");
        }
        return {};
    }
    static QString menuTitle() { return QStringLiteral("Shapes"); }
    static std::vector<Shape> allCases() { return {Shape::circle, Shape::square, Shape::triangle}; }
};

template <>
struct tarnkit::MenuPresentation<Flag> : tarnkit::MenuPresentationDefaults<Flag> {
    static QString title(Flag) { return QStringLiteral("Flag"); }
    static QString menuTitle() { return QStringLiteral("Flags"); }
    static std::vector<Flag> allCases() { return {Flag::low}; }
};

static_assert(tarnkit::MenuPresentable<Entry>);
static_assert(tarnkit::MenuPresentable<Shape>);

namespace {

using namespace tarnkit;

/// Receives actions and remembers the sender of each.
class Receiver : public QObject {
    Q_OBJECT
public:
    std::vector<QObject*> senders;
    int plainCalls = 0;

public slots:
    void choose(QObject* sender) { senders.push_back(sender); }
    void plain() { ++plainCalls; }
};

class Delegate : public MenuDelegate {
    Q_OBJECT
public:
    void menuNeedsUpdate(QMenu*) override {}
};

// ---- TKMenuType ---------------------------------------------------------------------------

TEST(TKMenuTypeTest, EqualityComparesKindsAndDelegateIdentity)
{
    Delegate first;
    Delegate second;
    struct Case {
        const char* name;
        TKMenuType a;
        TKMenuType b;
        bool equal;
    };
    const Case cases[] = {
        {"standard", TKMenuType::standard(), TKMenuType::standard(), true},
        {"separator vs services", TKMenuType::separator(), TKMenuType::services(), false},
        {"same delegate", TKMenuType::recentDocuments(&first), TKMenuType::recentDocuments(&first), true},
        {"other delegate", TKMenuType::documentTemplates(&first), TKMenuType::documentTemplates(&second), false},
        {"templates vs recents", TKMenuType::documentTemplates(&first), TKMenuType::recentDocuments(&first), false},
        {"both without delegate", TKMenuType::recentDocuments(nullptr), TKMenuType::recentDocuments(nullptr), true},
        {"delegate vs none", TKMenuType::recentDocuments(&first), TKMenuType::recentDocuments(nullptr), false},
        {"headers by title", TKMenuType::sectionHeader("A"), TKMenuType::sectionHeader("A"), true},
        {"headers differ", TKMenuType::sectionHeader("A"), TKMenuType::sectionHeader("B"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.a == c.b, c.equal) << c.name;
}

// ---- TKMenuItem ---------------------------------------------------------------------------

TEST(TKMenuItemTest, NewValueIsStandardWithoutRepresentedObject)
{
    const TKMenuItem item;
    EXPECT_EQ(item.menuType, TKMenuType::standard());
    EXPECT_FALSE(item.representedObject.isValid());
    EXPECT_FALSE(item.tag.has_value());

    const TKMenuItem separator = TKMenuItem::separator();
    EXPECT_EQ(separator.menuType, TKMenuType::separator());
    EXPECT_FALSE(separator.title || separator.action || separator.shortcutKey || separator.submenu);
    EXPECT_EQ(separator.modifiers, Qt::KeyboardModifiers());
}

TEST(TKMenuItemTest, StandardItemCarriesEveryField)
{
    Receiver receiver;
    const TKMenuItem value{.title = "Save",
                           .action = Selector{"choose"},
                           .target = &receiver,
                           .shortcutKey = "s",
                           .modifiers = Qt::ControlModifier,
                           .tag = 42,
                           .representedObject = QStringLiteral("doc")};
    const auto item = value.asMenuItem();
    EXPECT_EQ(item->text(), "Save");
    EXPECT_EQ(menuItem::action(item.get()), Selector{"choose"});
    EXPECT_EQ(menuItem::target(item.get()), &receiver);
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(menuItem::keyEquivalentModifierMask(item.get()), Qt::ControlModifier);
    EXPECT_EQ(menuItem::tag(item.get()), 42);
    EXPECT_EQ(item->data().toString(), "doc");
    EXPECT_EQ(item->menu(), nullptr);

    item->trigger();
    ASSERT_EQ(receiver.senders.size(), 1u);
    EXPECT_EQ(receiver.senders.front(), item.get());
}

TEST(TKMenuItemTest, KeyEquivalents)
{
    struct Case {
        std::optional<QString> key;
        Qt::KeyboardModifiers modifiers;
        QKeySequence expected;
    };
    const Case cases[] = {
        {std::nullopt, Qt::ControlModifier, QKeySequence()},
        {QString(), Qt::NoModifier, QKeySequence()},
        {"o", Qt::ControlModifier, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"o", Qt::ControlModifier | Qt::AltModifier, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_O)},
        // An upper-case letter means Shift, so "Z" stays apart from "z".
        {"Z", Qt::ControlModifier, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {",", Qt::ControlModifier, QKeySequence(Qt::CTRL | Qt::Key_Comma)},
    };
    for (const Case& c : cases) {
        const auto item = TKMenuItem{.title = "x", .shortcutKey = c.key, .modifiers = c.modifiers}.asMenuItem();
        EXPECT_EQ(item->shortcut(), c.expected) << c.key.value_or("<none>").toStdString();
        // The mask is kept even without a key.
        EXPECT_EQ(menuItem::keyEquivalentModifierMask(item.get()), c.modifiers);
    }
}

TEST(TKMenuItemTest, MissingTagAndGoneTargetLeaveDefaults)
{
    auto receiver = std::make_unique<Receiver>();
    TKMenuItem value{.title = "Gone", .action = Selector{"choose"}, .target = receiver.get()};
    receiver.reset();
    const auto item = value.asMenuItem();
    EXPECT_EQ(menuItem::tag(item.get()), 0);
    EXPECT_EQ(menuItem::target(item.get()), nullptr);
    EXPECT_FALSE(item->data().isValid());
}

TEST(TKMenuItemTest, SeparatorAndSectionHeaderIgnoreTheRest)
{
    Receiver receiver;
    for (const TKMenuType& type : {TKMenuType::separator(), TKMenuType::sectionHeader("Section")}) {
        const TKMenuItem value{.title = "ignored",
                               .action = Selector{"choose"},
                               .target = &receiver,
                               .shortcutKey = "k",
                               .modifiers = Qt::ControlModifier,
                               .menuType = type,
                               .submenu = std::vector<TKMenuItem>{TKMenuItem{.title = "nested"}},
                               .tag = 9,
                               .representedObject = 5};
        const auto item = value.asMenuItem();
        EXPECT_TRUE(item->isSeparator());
        EXPECT_EQ(menuItem::tag(item.get()), 0);
        EXPECT_EQ(menuItem::target(item.get()), nullptr);
        EXPECT_FALSE(menuItem::action(item.get()));
        EXPECT_TRUE(item->shortcut().isEmpty());
        EXPECT_FALSE(item->data().isValid());
        EXPECT_EQ(item->menu(), nullptr);
        if (type.kind() == TKMenuType::Kind::sectionHeader) {
            EXPECT_TRUE(menuItem::isSectionHeader(item.get()));
            EXPECT_EQ(item->text(), "Section");
        } else {
            EXPECT_FALSE(menuItem::isSectionHeader(item.get()));
            EXPECT_TRUE(item->text().isEmpty());
        }
    }
}

TEST(TKMenuItemTest, SubmenuWinsOverSubmenuEnumAndMayBeEmpty)
{
    const TKMenuItem both{.title = "Both",
                          .submenu = std::vector<TKMenuItem>{TKMenuItem{.title = "A"}, TKMenuItem::separator(),
                                                             TKMenuItem{.title = "B", .tag = 2}},
                          .submenuEnum = std::vector<AnyMenuPresentable>{Shape::circle}};
    const auto item = both.asMenuItem();
    ASSERT_NE(item->menu(), nullptr);
    const auto nested = item->menu()->actions();
    ASSERT_EQ(nested.size(), 3);
    EXPECT_EQ(nested[0]->text(), "A");
    EXPECT_TRUE(nested[1]->isSeparator());
    EXPECT_EQ(menuItem::tag(nested[2]), 2);
    // Nested menus keep automatic enabling; only asMenu turns it off.
    EXPECT_TRUE(menuItem::autoenablesItems(item->menu()));

    const auto empty = TKMenuItem{.title = "Empty", .submenu = std::vector<TKMenuItem>{}}.asMenuItem();
    ASSERT_NE(empty->menu(), nullptr);
    EXPECT_TRUE(empty->menu()->actions().isEmpty());
}

TEST(TKMenuItemTest, SubmenuEnumListsTitlesTagsAndOneAction)
{
    Receiver receiver;
    const TKMenuItem value{.title = "Shapes",
                           .target = &receiver,
                           .submenuEnum = std::vector<AnyMenuPresentable>{Shape::triangle, Shape::circle,
                                                                          Entry{.title = "Other", .tag = 77}},
                           .submenuEmumSelector = Selector{"plain"}};
    const auto item = value.asMenuItem();
    ASSERT_NE(item->menu(), nullptr);
    const auto listed = item->menu()->actions();
    ASSERT_EQ(listed.size(), 3);
    const std::vector<std::pair<QString, std::int64_t>> expected{{"Triangle", 3}, {"Circle", 1}, {"Other", 77}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(listed[i]->text(), expected[std::size_t(i)].first);
        EXPECT_EQ(menuItem::tag(listed[i]), expected[std::size_t(i)].second);
        EXPECT_EQ(menuItem::action(listed[i]), Selector{"plain"});
        EXPECT_EQ(menuItem::target(listed[i]), nullptr);
        EXPECT_FALSE(listed[i]->data().isValid());
    }
    // The parent item has the target.
    EXPECT_EQ(menuItem::target(item.get()), &receiver);
}

TEST(TKMenuItemTest, DelegateKindsGetAnEmptyDelegatedSubmenu)
{
    Delegate delegate;
    for (const TKMenuType& type : {TKMenuType::documentTemplates(&delegate), TKMenuType::recentDocuments(&delegate)}) {
        const auto item = TKMenuItem{.title = "Open Recent", .menuType = type}.asMenuItem();
        ASSERT_NE(item->menu(), nullptr);
        EXPECT_TRUE(item->menu()->actions().isEmpty());
        EXPECT_EQ(menuDelegate(item->menu()), &delegate);
    }
    const auto none = TKMenuItem{.menuType = TKMenuType::recentDocuments(nullptr)}.asMenuItem();
    ASSERT_NE(none->menu(), nullptr);
    EXPECT_EQ(menuDelegate(none->menu()), nullptr);
}

TEST(TKMenuItemTest, ServicesInstallsANewServicesMenu)
{
    const auto plain = TKMenuItem{.title = "Services", .menuType = TKMenuType::services()}.asMenuItem();
    QMenu* const first = menuItem::servicesMenu();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(plain->menu(), first);

    // With nested items: a new Services menu is still installed, but the item shows the nested ones.
    const auto nested = TKMenuItem{.title = "Services",
                                   .menuType = TKMenuType::services(),
                                   .submenu = std::vector<TKMenuItem>{TKMenuItem{.title = "Mine"}}}
                            .asMenuItem();
    QMenu* const second = menuItem::servicesMenu();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_TRUE(second->actions().isEmpty());
    ASSERT_NE(nested->menu(), nullptr);
    EXPECT_NE(nested->menu(), second);
    ASSERT_EQ(nested->menu()->actions().size(), 1);
    EXPECT_EQ(nested->menu()->actions().front()->text(), "Mine");
}

TEST(TKMenuItemTest, AsMenuKeepsOrderAndTurnsAutoenablingOffOnlyAtTheTop)
{
    const std::vector<TKMenuItem> values{
        TKMenuItem{.title = "One"}, TKMenuItem::separator(),
        TKMenuItem{.title = "Two", .submenu = std::vector<TKMenuItem>{TKMenuItem{.title = "Inner"}}}};
    const auto menu = asMenu(values);
    EXPECT_FALSE(menuItem::autoenablesItems(menu.get()));
    const auto items = menu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "One");
    EXPECT_TRUE(items[1]->isSeparator());
    ASSERT_NE(items[2]->menu(), nullptr);
    EXPECT_TRUE(menuItem::autoenablesItems(items[2]->menu()));

    EXPECT_TRUE(asMenu({})->actions().isEmpty());
}

// ---- MenuStructure ------------------------------------------------------------------------

TEST(MenuStructureTest, SeparatorsAreTaggedApartFromMenuItemSeparators)
{
    const auto structured = MenuStructure<Entry>::menuItems(MenuStructure<Entry>::separator());
    ASSERT_EQ(structured.size(), 1u);
    EXPECT_TRUE(structured.front()->isSeparator());
    EXPECT_EQ(menuItem::tag(structured.front().get()), menuItem::structureSeparatorTag);
    EXPECT_EQ(menuItem::structureSeparatorTag, -1000);

    const auto plain = TKMenuItem::separator().asMenuItem();
    EXPECT_EQ(menuItem::tag(plain.get()), 0);
}

TEST(MenuStructureTest, AlternateNeedsBothTagAndTitle)
{
    struct Case {
        const char* name;
        std::optional<std::int64_t> alternateTag;
        std::optional<QString> alternateTitle;
        std::size_t items;
    };
    const Case cases[] = {
        {"neither", std::nullopt, std::nullopt, 1},
        {"title only", std::nullopt, QStringLiteral("Alt"), 1},
        {"tag only", 5, std::nullopt, 1},
        {"both", 5, QStringLiteral("Alt"), 2},
    };
    for (const Case& c : cases) {
        const Entry entry{.title = "Main", .tag = 1, .alternateTag = c.alternateTag, .alternateTitle = c.alternateTitle};
        EXPECT_EQ(MenuStructure<Entry>::item(entry).menuItems().size(), c.items) << c.name;
    }
}

TEST(MenuStructureTest, ItemAndItsAlternate)
{
    Receiver receiver;
    const Entry entry{.title = "Copy",
                      .tag = 1,
                      .representedObject = QStringLiteral("copy"),
                      .alternateTag = 2,
                      .alternateTitle = QStringLiteral("Copy Style"),
                      .alternateRepresentedObject = QStringLiteral("copy-style"),
                      .target = &receiver,
                      .action = Selector{"choose"}};
    const auto items = MenuStructure<Entry>::item(entry).menuItems();
    ASSERT_EQ(items.size(), 2u);
    const QAction* main = items[0].get();
    const QAction* alternate = items[1].get();
    EXPECT_EQ(main->text(), "Copy");
    EXPECT_EQ(menuItem::tag(main), 1);
    EXPECT_EQ(main->data().toString(), "copy");
    EXPECT_FALSE(menuItem::isAlternate(main));
    EXPECT_TRUE(main->shortcut().isEmpty());

    EXPECT_EQ(alternate->text(), "Copy Style");
    EXPECT_EQ(menuItem::tag(alternate), 2);
    EXPECT_EQ(alternate->data().toString(), "copy-style");
    EXPECT_TRUE(menuItem::isAlternate(alternate));
    EXPECT_EQ(menuItem::keyEquivalentModifierMask(alternate), Qt::AltModifier);
    for (const QAction* item : {main, alternate}) {
        EXPECT_EQ(menuItem::target(item), &receiver);
        EXPECT_EQ(menuItem::action(item), Selector{"choose"});
    }
}

TEST(MenuStructureTest, OverridesReachEveryLeafAlternatesIncluded)
{
    Receiver own;
    Receiver given;
    const Entry withAlternate{.title = "A", .alternateTag = 10, .alternateTitle = QStringLiteral("A+"),
                              .target = &own, .action = Selector{"plain"}};
    const Entry plain{.title = "B", .target = &own, .action = Selector{"plain"}};
    const auto tree = MenuStructure<Entry>::submenu(
        "Top", {MenuStructure<Entry>::item(withAlternate), MenuStructure<Entry>::inlineTitle("Section"),
                MenuStructure<Entry>::submenu("Deeper", {MenuStructure<Entry>::item(plain)})});

    const auto menu = tree.menu(&given, Selector{"choose"});
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "Top");

    std::vector<QAction*> leaves;
    const std::function<void(QMenu*)> collect = [&](QMenu* m) {
        for (QAction* item : m->actions()) {
            if (item->menu())
                collect(item->menu());
            else if (!item->isSeparator())
                leaves.push_back(item);
        }
    };
    collect(menu.get());
    ASSERT_EQ(leaves.size(), 3u); // A, A+, B
    for (QAction* leaf : leaves) {
        EXPECT_EQ(menuItem::target(leaf), &given) << leaf->text().toStdString();
        EXPECT_EQ(menuItem::action(leaf), Selector{"choose"}) << leaf->text().toStdString();
    }
    EXPECT_TRUE(menuItem::isSectionHeader(menu->actions()[2]));

    // Without overrides the values' own target and action stand.
    const auto own_items = MenuStructure<Entry>::item(plain).menuItems();
    EXPECT_EQ(menuItem::target(own_items.front().get()), &own);
    EXPECT_EQ(menuItem::action(own_items.front().get()), Selector{"plain"});
}

TEST(MenuStructureTest, SubmenuWithoutChildrenHasNoMenu)
{
    const auto empty = MenuStructure<Entry>::submenu("Nothing", {});
    const auto items = MenuStructure<Entry>::menuItems(empty);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items.front()->text(), "Nothing");
    EXPECT_EQ(items.front()->menu(), nullptr);
    EXPECT_EQ(empty.menu(), nullptr);

    // menu() only for submenus; menuItems(target, action) only for items.
    EXPECT_EQ(MenuStructure<Entry>::item(Entry{.title = "x"}).menu(), nullptr);
    EXPECT_TRUE(MenuStructure<Entry>::separator().menuItems().empty());
    EXPECT_TRUE(MenuStructure<Entry>::submenu("S", {MenuStructure<Entry>::item(Entry{.title = "x"})}).menuItems().empty());
}

TEST(MenuStructureTest, DefaultStructureOfAnEnumeration)
{
    const auto menu = MenuPresentation<Shape>::menuStructure().menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "Shapes");
    const auto items = menu->actions();
    ASSERT_EQ(items.size(), 3);
    const QString titles[] = {"Circle", "Square", "Triangle"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i]->text(), titles[i]);
        EXPECT_EQ(menuItem::tag(items[i]), i + 1);
        EXPECT_EQ(items[i]->data().typeId(), QMetaType::LongLong);
        EXPECT_EQ(items[i]->data().toLongLong(), i + 1);
    }

    // Unsigned raw values are represented unsigned.
    const auto flags = MenuPresentation<Flag>::menuStructure().menu();
    ASSERT_NE(flags, nullptr);
    EXPECT_EQ(flags->actions().front()->data().typeId(), QMetaType::ULongLong);
    EXPECT_EQ(menuItem::tag(flags->actions().front()), 7);
}

TEST(MenuStructureDeathTest, UnsignedRawValueBeyondTheTagRangeStops)
{
    EXPECT_DEATH((void)MenuPresentation<Flag>::tag(Flag::high), "Not enough bits");
}

// ---- behaviour of the built items ---------------------------------------------------------

TEST(MenuItemBehaviourTest, ItemWithoutTargetTravelsTheResponderChain)
{
    auto responder = std::make_unique<Receiver>();
    addApplicationResponder(responder.get());
    const auto item = menuItem::make("Chain", Selector{"choose"});
    item->trigger();
    ASSERT_EQ(responder->senders.size(), 1u);
    EXPECT_EQ(responder->senders.front(), item.get());

    // A responder that is gone leaves the chain; nothing receives the action then.
    responder.reset();
    EXPECT_FALSE(sendAction(Selector{"choose"}, nullptr, item.get()));
}

TEST(MenuItemBehaviourTest, AutoenablingFollowsWhoResponds)
{
    Receiver receiver;
    QMenu menu;
    menuItem::addItem(&menu, menuItem::make("Responds", Selector{"choose"}));
    menuItem::addItem(&menu, menuItem::make("Nobody", Selector{"noSuchAction"}));
    menuItem::addItem(&menu, menuItem::make("No action"));
    const auto items = menu.actions();
    menuItem::setTarget(items[0], &receiver);
    items[2]->setEnabled(false);

    menuItem::updateAutoenabledItems(&menu);
    EXPECT_TRUE(items[0]->isEnabled());
    EXPECT_FALSE(items[1]->isEnabled());
    EXPECT_FALSE(items[2]->isEnabled()); // without an action an item is left as it is
}

TEST(MenuItemBehaviourTest, AlternateStandsInWhileAltIsHeld)
{
    const Entry entry{.title = "Close", .alternateTag = 2, .alternateTitle = QStringLiteral("Close All")};
    QMenu menu;
    for (auto& item : MenuStructure<Entry>::item(entry).menuItems())
        menuItem::addItem(&menu, std::move(item));
    const auto items = menu.actions();
    ASSERT_EQ(items.size(), 2);

    emit menu.aboutToShow();
    EXPECT_TRUE(items[0]->isVisible());
    EXPECT_FALSE(items[1]->isVisible());

    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(&menu, &press);
    EXPECT_FALSE(items[0]->isVisible());
    EXPECT_TRUE(items[1]->isVisible());

    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QApplication::sendEvent(&menu, &release);
    EXPECT_TRUE(items[0]->isVisible());
    EXPECT_FALSE(items[1]->isVisible());
}

TEST(MenuItemBehaviourTest, ItemArrayReplacesEverythingAndOwnsItsItems)
{
    QMenu menu;
    QAction foreign("Foreign");
    menu.addAction(&foreign);
    std::vector<std::unique_ptr<QAction>> items;
    items.push_back(menuItem::make("New"));
    QPointer<QAction> made = items.front().get();
    menuItem::setItemArray(&menu, std::move(items));
    ASSERT_EQ(menu.actions().size(), 1);
    EXPECT_EQ(menu.actions().front()->text(), "New");

    menuItem::setItemArray(&menu, {});
    EXPECT_TRUE(menu.actions().isEmpty());
    EXPECT_TRUE(made.isNull()); // the menu owned it
}

} // namespace

#include "MenuModelTest.moc"
