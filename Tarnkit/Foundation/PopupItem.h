#pragma once

#include "Tarnkit/Foundation/MenuPresentable.h"

#include <QIcon>
#include <QString>

#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace tarnkit {

/// One choice of a pop-up described as a value: the value it stands for, its title, image and
/// enabled state, or a divider; with subMenu it opens a submenu of further items.
template <typename T>
struct PopupItem {
    std::optional<T> object; ///< none by default
    QString title;
    QIcon image;
    bool isDivider = false;
    bool isEnabled = true;
    std::optional<std::vector<PopupItem>> subMenu;

    /// An item standing for object.
    PopupItem(std::optional<T> object_, QString title_, QIcon image_ = {}, bool isEnabled_ = true)
        : object(std::move(object_)), title(std::move(title_)), image(std::move(image_)), isEnabled(isEnabled_)
    {
    }

    /// An item for a presentable value: titled as the value presents itself, standing for the
    /// value when it is a T (for nothing otherwise), enabled.
    template <MenuPresentable U>
    explicit PopupItem(const U& value, QIcon image_ = {})
        : title(MenuPresentation<U>::title(value)), image(std::move(image_))
    {
        if constexpr (std::is_same_v<U, T>)
            object = value;
    }

    /// A divider when isDivider is true; otherwise an empty, enabled item standing for nothing.
    explicit PopupItem(bool isDivider_) : isDivider(isDivider_) {}

    /// The ready-made divider.
    static PopupItem divider() { return PopupItem(true); }
};

} // namespace tarnkit
