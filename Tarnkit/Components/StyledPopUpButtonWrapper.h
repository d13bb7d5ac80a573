#pragma once

#include "Tarnkit/Controls/StyledPopUpButton.h"
#include "Tarnkit/Foundation/Binding.h"
#include "Tarnkit/Foundation/MenuItemAttributes.h"
#include "Tarnkit/Foundation/PopupItem.h"

#include "platform/ui/Representable.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QVariant>

#include <concepts>
#include <memory>
#include <optional>
#include <vector>

namespace tarnkit {

/// The part of a pop-up wrapper's coordinator that needs no value type: the target of every
/// menu item the wrapper builds. Main thread only.
class PopUpMenuCoordinator : public QObject {
    Q_OBJECT
public:
    /// The action of the wrapper's items ("menuItemSelected"): hands the chosen item's
    /// represented object on, when it has one.
    Q_INVOKABLE void menuItemSelected(QObject* sender);

protected:
    PopUpMenuCoordinator() = default;

    virtual void representedObjectChosen(const QVariant& object) = 0;
};

/// The value a represented object holds when it holds a T.
template <typename T>
std::optional<T> representedValue(const QVariant& object)
{
    if (!object.isValid() || object.metaType() != QMetaType::fromType<T>())
        return std::nullopt;
    return object.value<T>();
}

/// The library's pop-up button for declarative views: a representable (show it with
/// ui::RepresentableHost) that builds a StyledPopUpButton's menu from a tree of PopupItem
/// values, shows the item whose value equals a bound selection, and writes the value of the
/// item the user picks back into the binding through its Coordinator.
///
/// Every update rebuilds the whole menu, then selects the first item in pre-order (an item,
/// then its submenu's items) whose value equals the selection, and shows its title; an item in
/// a submenu can so be the selected one. Without a match the button keeps the selection the
/// rebuild left (its first item). Dividers become separators (their other fields are not
/// used); an item with no value can never be selected and picking it changes nothing; items
/// keep their enabled state, since neither the menu nor its submenus enable items by
/// themselves.
///
///     auto* quality = new ui::RepresentableHost(tarnkit::StyledPopUpButtonWrapper<int>{
///         {{1, "Low"}, {2, "High"}}, binding, QObject::tr("Quality"), 120});
///     quality->setRepresentable({items, binding, label, 120}); // after the model changed
///
/// Main thread only.
template <std::equality_comparable T>
struct StyledPopUpButtonWrapper {
    class Coordinator;
    using NSViewType = StyledPopUpButton;
    using Context = ui::RepresentableContext<Coordinator>;

    std::vector<PopupItem<T>> items;
    Binding<T> selection;
    std::optional<QString> label;
    std::optional<double> fixedWidth;

    /// Holds the binding the picks are written to; each update hands it the wrapper's current
    /// one.
    class Coordinator final : public PopUpMenuCoordinator {
    public:
        explicit Coordinator(Binding<T> selection_) : selection(std::move(selection_)) {}

        Binding<T> selection;

    private:
        void representedObjectChosen(const QVariant& object) override
        {
            if (const std::optional<T> value = representedValue<T>(object))
                selection.set(*value);
        }
    };

    std::unique_ptr<Coordinator> makeCoordinator() const { return std::make_unique<Coordinator>(selection); }

    /// A new button of the wrapper's fixed width (zero frame, a pop-up, not a pull-down) with
    /// the label, a menu that leaves its items' enabled state alone, and the items.
    StyledPopUpButton* makeNSView(Context& context) const
    {
        auto* button = new StyledPopUpButton(QRect(), false, fixedWidth);
        button->setLabel(label);
        button->setAutoenablesItems(false);
        fillMenuAndSelect(*button, context);
        return button;
    }

    void updateNSView(StyledPopUpButton& button, Context& context) const
    {
        button.removeAllItems();
        fillMenuAndSelect(button, context);
        button.setLabel(label);
        context.coordinator.selection = selection;
    }

    /// The menu item for item: a separator for a divider; else an item titled and imaged as
    /// item, standing for its value, enabled as it says, sending "menuItemSelected" to
    /// coordinator, with a submenu of its subMenu's items (built the same way) when it has one.
    static std::unique_ptr<QAction> makeMenuItem(const PopupItem<T>& item, Coordinator& coordinator)
    {
        if (item.isDivider)
            return menuItem::separator();
        auto built = menuItem::make(item.title, Selector{"menuItemSelected"}, QString());
        menuItem::setTarget(built.get(), &coordinator);
        built->setData(item.object ? QVariant::fromValue(*item.object) : QVariant());
        built->setEnabled(item.isEnabled);
        built->setIcon(item.image);
        if (item.subMenu) {
            auto submenu = std::make_unique<QMenu>(item.title);
            menuItem::setAutoenablesItems(submenu.get(), false);
            for (const PopupItem<T>& child : *item.subMenu)
                menuItem::addItem(submenu.get(), makeMenuItem(child, coordinator));
            menuItem::setSubmenu(built.get(), std::move(submenu));
        }
        return built;
    }

private:
    void fillMenuAndSelect(StyledPopUpButton& button, Context& context) const
    {
        std::vector<std::unique_ptr<QAction>> built;
        for (const PopupItem<T>& item : items)
            built.push_back(makeMenuItem(item, context.coordinator));
        menuItem::setItemArray(button.menu(), std::move(built));

        const T wanted = selection.get();
        for (QAction* item : button.items()) {
            if (const std::optional<T> value = representedValue<T>(item->data()); value && *value == wanted) {
                button.selectItem(item);
                button.setTitle(item->text());
                return;
            }
        }
    }
};

} // namespace tarnkit
