#include "Tarnkit/Foundation/TKMenuItem.h"

#include "Tarnkit/Foundation/MenuItemAttributes.h"

#include <QAction>
#include <QMenu>

namespace tarnkit {

TKMenuItem TKMenuItem::separator()
{
    return TKMenuItem{.menuType = TKMenuType::separator()};
}

std::unique_ptr<QAction> TKMenuItem::asMenuItem() const
{
    auto item = menuItem::make(title.value_or(QString()), action, shortcutKey.value_or(QString()),
                               modifiers);

    switch (menuType.kind()) {
    case TKMenuType::Kind::sectionHeader:
        return menuItem::sectionHeader(menuType.title());
    case TKMenuType::Kind::separator:
        return menuItem::separator();
    case TKMenuType::Kind::documentTemplates:
    case TKMenuType::Kind::recentDocuments: {
        auto delegated = std::make_unique<QMenu>();
        setMenuDelegate(delegated.get(), menuType.delegate());
        menuItem::setSubmenu(item.get(), std::move(delegated));
        break;
    }
    case TKMenuType::Kind::services: {
        menuItem::setServicesMenu(std::make_unique<QMenu>());
        menuItem::setSharedSubmenu(item.get(), menuItem::servicesMenu());
        break;
    }
    case TKMenuType::Kind::standard:
        break;
    }

    if (submenu) {
        auto nested = std::make_unique<QMenu>();
        std::vector<std::unique_ptr<QAction>> items;
        items.reserve(submenu->size());
        for (const TKMenuItem& value : *submenu)
            items.push_back(value.asMenuItem());
        menuItem::setItemArray(nested.get(), std::move(items));
        menuItem::setSubmenu(item.get(), std::move(nested));
    } else if (submenuEnum) {
        auto listed = std::make_unique<QMenu>();
        for (const AnyMenuPresentable& value : *submenuEnum) {
            auto entry = menuItem::make(value.title(), submenuEmumSelector);
            menuItem::setTag(entry.get(), value.tag());
            entry->setIcon(value.image());
            menuItem::addItem(listed.get(), std::move(entry));
        }
        menuItem::setSubmenu(item.get(), std::move(listed));
    }

    menuItem::setTarget(item.get(), target.data());
    if (tag)
        menuItem::setTag(item.get(), *tag);
    if (representedObject.isValid())
        item->setData(representedObject);
    return item;
}

std::unique_ptr<QMenu> asMenu(std::span<const TKMenuItem> items)
{
    auto menu = std::make_unique<QMenu>();
    std::vector<std::unique_ptr<QAction>> built;
    built.reserve(items.size());
    for (const TKMenuItem& value : items)
        built.push_back(value.asMenuItem());
    menuItem::setItemArray(menu.get(), std::move(built));
    menuItem::setAutoenablesItems(menu.get(), false);
    return menu;
}

} // namespace tarnkit
