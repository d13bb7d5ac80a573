#pragma once

#include "Tarnkit/Foundation/MenuPresentable.h"
#include "Tarnkit/Foundation/Selector.h"
#include "Tarnkit/Foundation/TKMenuType.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <Qt>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QAction;
class QMenu;

namespace tarnkit {

/// One menu item described as a plain value; asMenuItem() builds the QAction. An aggregate:
/// `TKMenuItem{.title = "Open", .action = Selector{"open"}, .shortcutKey = "o",
/// .modifiers = Qt::ControlModifier}`. A new value is a standard item with no represented
/// object. Main thread (it builds widgets and names objects).
struct TKMenuItem {
    std::optional<QString> title{};            ///< none gives the empty title
    std::optional<Selector> action{};
    QPointer<QObject> target{};                ///< held weakly: the value does not own it
    std::optional<QString> shortcutKey{};      ///< key equivalent; none gives the empty one
    Qt::KeyboardModifiers modifiers{};         ///< key-equivalent modifier mask
    TKMenuType menuType = TKMenuType::standard();
    std::optional<std::vector<TKMenuItem>> submenu{};        ///< when present: the item's submenu
    std::optional<std::vector<AnyMenuPresentable>> submenuEnum{}; ///< listed when submenu is none
    std::optional<Selector> submenuEmumSelector{};           ///< action of the submenuEnum items
    std::optional<std::int64_t> tag{};         ///< none keeps the item's default tag 0
    QVariant representedObject{};              ///< invalid QVariant = none

    /// A separator: every optional field none, no modifiers.
    static TKMenuItem separator();

    /// A new item built from this value; the caller owns it.
    std::unique_ptr<QAction> asMenuItem() const;
};

/// A new menu holding asMenuItem() of each value in order, with autoenablesItems off (its
/// submenus keep the default). The caller owns it.
std::unique_ptr<QMenu> asMenu(std::span<const TKMenuItem> items);

} // namespace tarnkit
