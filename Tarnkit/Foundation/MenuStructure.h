#pragma once

#include "Tarnkit/Foundation/MenuItemAttributes.h"
#include "Tarnkit/Foundation/Selector.h"

#include <QAction>
#include <QMenu>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace tarnkit {

/// Specialised by every type shown through MenuStructure (see MenuPresentable.h).
template <typename T>
struct MenuPresentation;

/// A menu described as a tree whose leaves are presentable values (typically the cases of an
/// enumeration); the builders turn it into menu items. Copies share their nodes. The builders
/// need MenuPresentation<T> (include MenuPresentable.h) and run on the main thread.
template <typename T>
class MenuStructure {
public:
    struct Item {
        T value;
    };
    struct Submenu {
        QString title;
        std::vector<MenuStructure> children;
    };
    struct InlineTitle {
        QString title;
    };
    struct Separator {};
    using Node = std::variant<Item, Submenu, InlineTitle, Separator>;

    /// One item for value, followed by its Alt alternate when it has one.
    static MenuStructure item(T value) { return MenuStructure(Item{std::move(value)}); }
    /// One item titled title whose submenu holds the children's items.
    static MenuStructure submenu(QString title, std::vector<MenuStructure> children)
    {
        return MenuStructure(Submenu{std::move(title), std::move(children)});
    }
    /// One section header.
    static MenuStructure inlineTitle(QString title)
    {
        return MenuStructure(InlineTitle{std::move(title)});
    }
    /// One separator, tagged menuItem::structureSeparatorTag.
    static MenuStructure separator() { return MenuStructure(Separator{}); }

    const Node& node() const { return *node_; }

    /// New items for node. target and action, when given, replace the values' own throughout
    /// the tree, alternates included.
    static std::vector<std::unique_ptr<QAction>> menuItems(const MenuStructure& node,
                                                           QObject* target = nullptr,
                                                           std::optional<Selector> action = {});

    /// For a submenu node with children: a new menu titled with its title holding the children's
    /// items. Null for a childless submenu and for every other node.
    std::unique_ptr<QMenu> menu(QObject* target = nullptr, std::optional<Selector> action = {}) const;

    /// For an item node, menuItems(*this, target, action); empty for every other node.
    std::vector<std::unique_ptr<QAction>> menuItems(QObject* target = nullptr,
                                                    std::optional<Selector> action = {}) const;

private:
    explicit MenuStructure(Node node) : node_(std::make_shared<const Node>(std::move(node))) {}

    std::shared_ptr<const Node> node_;
};

// ---- builders ----------------------------------------------------------------------------

template <typename T>
std::vector<std::unique_ptr<QAction>> MenuStructure<T>::menuItems(const MenuStructure& node,
                                                                  QObject* target,
                                                                  std::optional<Selector> action)
{
    std::vector<std::unique_ptr<QAction>> items;
    if (const auto* leaf = std::get_if<Item>(&node.node())) {
        using P = MenuPresentation<T>;
        const T& value = leaf->value;
        const auto itemAction = action ? action : P::action(value);
        QObject* const itemTarget = target ? target : P::target(value);

        auto item = menuItem::make(P::title(value), itemAction);
        menuItem::setTag(item.get(), P::tag(value));
        item->setData(P::representedObject(value));
        item->setIcon(P::image(value));
        menuItem::setStateImage(item.get(), menuItem::StateImage::on, P::onStateImage(value));
        menuItem::setStateImage(item.get(), menuItem::StateImage::off, P::offStateImage(value));
        menuItem::setStateImage(item.get(), menuItem::StateImage::mixed, P::mixedStateImage(value));
        menuItem::setTarget(item.get(), itemTarget);
        items.push_back(std::move(item));

        const auto alternateTag = P::alternateTag(value);
        const auto alternateTitle = P::alternateTitle(value);
        if (alternateTag && alternateTitle) {
            auto alternate = menuItem::make(*alternateTitle, itemAction);
            menuItem::setTag(alternate.get(), *alternateTag);
            alternate->setData(P::alternateRepresentedObject(value));
            menuItem::setTarget(alternate.get(), itemTarget);
            menuItem::setAlternate(alternate.get(), true);
            menuItem::setKeyEquivalentModifierMask(alternate.get(), Qt::AltModifier);
            items.push_back(std::move(alternate));
        }
    } else if (const auto* branch = std::get_if<Submenu>(&node.node())) {
        auto item = menuItem::make(branch->title);
        if (!branch->children.empty()) {
            auto menu = std::make_unique<QMenu>(branch->title);
            for (const MenuStructure& child : branch->children) {
                for (auto& childItem : menuItems(child, target, action))
                    menuItem::addItem(menu.get(), std::move(childItem));
            }
            menuItem::setSubmenu(item.get(), std::move(menu));
        }
        items.push_back(std::move(item));
    } else if (const auto* header = std::get_if<InlineTitle>(&node.node())) {
        items.push_back(menuItem::sectionHeader(header->title));
    } else {
        auto item = menuItem::separator();
        menuItem::setTag(item.get(), menuItem::structureSeparatorTag);
        items.push_back(std::move(item));
    }
    return items;
}

template <typename T>
std::unique_ptr<QMenu> MenuStructure<T>::menu(QObject* target, std::optional<Selector> action) const
{
    if (!std::holds_alternative<Submenu>(node()))
        return nullptr;
    auto items = menuItems(*this, target, action);
    return menuItem::takeSubmenu(items.front().get());
}

template <typename T>
std::vector<std::unique_ptr<QAction>> MenuStructure<T>::menuItems(QObject* target,
                                                                  std::optional<Selector> action) const
{
    if (!std::holds_alternative<Item>(node()))
        return {};
    return menuItems(*this, target, action);
}

} // namespace tarnkit
