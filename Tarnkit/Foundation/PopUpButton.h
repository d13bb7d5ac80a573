#pragma once

#include "Tarnkit/Foundation/Cancellable.h"
#include "Tarnkit/Foundation/ControlPublisher.h"
#include "Tarnkit/Foundation/MenuPresentable.h"
#include "Tarnkit/Foundation/Publisher.h"
#include "Tarnkit/Foundation/RawRepresentable.h"

#include <QComboBox>

#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>

class QMenu;

namespace tarnkit {

/// A pop-up button: a combo box whose items come from a menu, and the operations that fill it
/// from presentable values, select one by its raw value, read the selection back and keep it in
/// step with a published value.
///
/// An item keeps its menu item's title, icon, represented object (itemData at Qt::UserRole) and
/// tag (at tagRole); separators stay separators. Its action signal is activated(). Main thread
/// only: every operation stops the process when called elsewhere.
class PopUpButton : public QComboBox {
    Q_OBJECT
public:
    static constexpr int tagRole = Qt::UserRole + 1;

    explicit PopUpButton(QWidget* parent = nullptr);

    /// Replaces all items by those of menu (none for a null menu): separators as separators,
    /// section headers as disabled items, a submenu as a disabled item followed by its own
    /// items; alternates are left out (a combo box shows no modifier alternates). The selection
    /// moves to the first item, as a new menu's does.
    void setMenu(const QMenu* menu);

    std::int64_t itemTag(int index) const;
    bool isSeparator(int index) const;
    bool isItemEnabled(int index) const;

    /// Selects the first item tagged tag; with none, nothing is selected.
    void selectItemWithTag(std::int64_t tag);

    /// Selects the next item that is enabled and not a separator, after the selected one (from
    /// the first when none is selected); when there is none, the first item whatever it is.
    /// Then sends the pop-up's action when it has one, even when the selection stayed. sender
    /// is not used.
    Q_INVOKABLE void selectNextItem(QObject* sender = nullptr);
    /// The same backwards: the search runs from the item before the selected one down to the
    /// first (an empty search when none is selected), and wraps to the last item.
    Q_INVOKABLE void selectPreviousItem(QObject* sender = nullptr);

    /// Fills the pop-up with the menu of T (MenuPresentation<T>::menuStructure()) and selects
    /// value.
    template <typename T>
        requires MenuPresentable<T> && RawRepresentable<T>
    void configure(const T& value)
    {
        requireMainThread(__LINE__);
        clear();
        setMenu(MenuPresentation<T>::menuStructure().menu().get());
        selectItemMatching(value);
    }

    /// Selects the first item whose represented object, read as T's raw value, is value's raw
    /// value; with no such item the selection stays as it is.
    template <RawRepresentable T>
    void selectItemMatching(const T& value)
    {
        requireMainThread(__LINE__);
        const auto raw = RawRepresentation<T>::rawValue(value);
        for (int i = 0; i < count(); ++i) {
            if (readRawValue<RawValueOf<T>>(itemData(i, Qt::UserRole)) == raw) {
                setCurrentIndex(i);
                return;
            }
        }
    }

    /// The value of the selected item's represented object; none when nothing is selected, the
    /// item has no represented object or one of another type, or no value has that raw value.
    template <RawRepresentable T>
    std::optional<T> selectedRawRepresentableValue() const
    {
        requireMainThread(__LINE__);
        if (currentIndex() < 0)
            return std::nullopt;
        const auto raw = readRawValue<RawValueOf<T>>(itemData(currentIndex(), Qt::UserRole));
        if (!raw)
            return std::nullopt;
        return RawRepresentation<T>::fromRawValue(*raw);
    }
    template <RawRepresentable T>
    T selectedRawRepresentableValue(const T& defaultValue) const
    {
        return selectedRawRepresentableValue<T>().value_or(defaultValue);
    }

    /// Keeps the pop-up and a published value in step: fills the pop-up and selects value; then
    /// each value that publisher sends selects the item tagged with its raw value (values whose
    /// raw value is not an integer are dropped), and each choice the user makes calls
    /// onValueChanged with the value of the chosen item's tag. Both subscriptions go into
    /// cancellables. The pop-up is held weakly: once it is destroyed, values from publisher do
    /// nothing. publisher must send on the main thread.
    template <typename T>
        requires MenuPresentable<T> && RawRepresentable<T>
    void bindMenu(const T& value, const Publisher<T>& publisher, CancellableSet& cancellables,
                  std::type_identity_t<std::function<void(const T&)>> onValueChanged)
    {
        using Raw = RawValueOf<T>;
        configure(value);

        // Model to view. sink(this, ...) holds the pop-up weakly and drops the subscription
        // when it goes.
        publisher
            .compactMap([](const T& v) -> std::optional<std::int64_t> {
                if constexpr (std::is_integral_v<Raw> && !std::is_same_v<Raw, bool>) {
                    const Raw raw = RawRepresentation<T>::rawValue(v);
                    if (std::in_range<std::int64_t>(raw))
                        return static_cast<std::int64_t>(raw);
                }
                return std::nullopt;
            })
            .sink(this, [this](const std::int64_t& tag) {
                requireMainThread(__LINE__);
                selectItemWithTag(tag);
            })
            .store(cancellables);

        // View to model, through the pop-up's own publisher.
        controlEventPublisher(this)
            .events<PopUpButton>()
            .compactMap([](PopUpButton* popUp) -> std::optional<T> {
                const int index = popUp->currentIndex();
                if (index < 0)
                    return std::nullopt;
                const auto raw = integerAsRaw<Raw>(popUp->itemTag(index));
                if (!raw)
                    return std::nullopt;
                return RawRepresentation<T>::fromRawValue(*raw);
            })
            .sink([onValueChanged = std::move(onValueChanged)](const T& chosen) {
                requireMainThread(__LINE__);
                onValueChanged(chosen);
            })
            .store(cancellables);
    }

private:
    static void requireMainThread(int line);

    template <typename Raw>
    static std::optional<Raw> integerAsRaw(std::int64_t tag)
    {
        if constexpr (std::is_integral_v<Raw> && !std::is_same_v<Raw, bool>)
            return integerAs<Raw>(tag);
        else
            return std::nullopt;
    }

    void appendItems(const QMenu* menu);
};

} // namespace tarnkit
