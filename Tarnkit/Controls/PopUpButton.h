#pragma once

#include "Tarnkit/Controls/Button.h"
#include "Tarnkit/Foundation/Cancellable.h"
#include "Tarnkit/Foundation/ControlPublisher.h"
#include "Tarnkit/Foundation/MenuPresentable.h"
#include "Tarnkit/Foundation/Publisher.h"
#include "Tarnkit/Foundation/RawRepresentable.h"

#include <QMenu>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

class QAction;

namespace tarnkit {

/// A pop-up button: a button that holds a menu and shows the item chosen from it. A press (or
/// Space, Up or Down) opens the menu over the button; picking an item sends the item's own
/// action to its target, selects the item (its title becomes the button's) and sends the
/// button's: activated(index), then action(). The selected item may lie in a submenu. A
/// pull-down button keeps its first item's title and selects nothing on a pick.
///
/// Its items are the menu's items in pre-order (each item, then at once its submenu's items
/// listed the same way), alternates left out; the index operations count in that list. An item
/// keeps its represented object (data(), itemData at Qt::UserRole) and its tag (at tagRole);
/// an item that opens a submenu, a section header and a separator are not choosable
/// (isItemEnabled is false). The first item put into an empty menu becomes the selected one,
/// and removing the selected item (or the item whose submenu holds it) leaves none selected.
///
/// It also offers the operations that fill it from presentable values, select one by its raw
/// value, read the selection back and keep it in step with a published value. Main thread only:
/// every operation stops the process when called elsewhere.
class PopUpButton : public Button {
    Q_OBJECT
public:
    static constexpr int tagRole = Qt::UserRole + 1;

    explicit PopUpButton(QWidget* parent = nullptr, bool pullsDown = false);
    ~PopUpButton() override;

    bool pullsDown() const { return pullsDown_; }
    /// The button's menu; never null. Fill it directly (menuItem::setItemArray ...) or through
    /// the operations below.
    QMenu* menu() const { return menu_.get(); }
    /// Whether the menu enables its items by their targets when it opens (menuItem::).
    bool autoenablesItems() const;
    void setAutoenablesItems(bool autoenables);

    /// The items in pre-order, alternates left out.
    std::vector<QAction*> items() const;
    int count() const { return int(items().size()); }
    QAction* itemAt(int index) const;
    int indexOfItem(const QAction* item) const;
    QString itemText(int index) const;
    /// The represented object (Qt::UserRole), the tag (tagRole, a qint64) or the title
    /// (Qt::DisplayRole) of the item at index; an invalid variant for another role or index.
    QVariant itemData(int index, int role = Qt::UserRole) const;
    void setItemData(int index, const QVariant& value, int role = Qt::UserRole);
    std::int64_t itemTag(int index) const;
    bool isSeparator(int index) const;
    bool isItemEnabled(int index) const;

    /// Appends an item titled title standing for object.
    void addItem(const QString& title, const QVariant& object = {}, const QIcon& image = {});
    void removeAllItems();
    void clear() { removeAllItems(); }
    /// Replaces all items by copies of those of menu (none for a null menu): separators,
    /// section headers and submenus as they are, each item with its title, image, represented
    /// object, tag and enabled state; alternates are left out. The selection moves to the first
    /// item, as a new menu's does.
    void setMenu(const QMenu* menu);

    QAction* selectedItem() const { return selected_.data(); }
    /// −1 when nothing is selected.
    int currentIndex() const { return indexOfItem(selectedItem()); }
    /// Selects item (null: none) and, unless the button pulls down, shows its title. An item
    /// that is not in the menu selects none.
    void selectItem(QAction* item);
    void setCurrentIndex(int index) { selectItem(itemAt(index)); }
    /// Selects the first item tagged tag; with none, nothing is selected.
    void selectItemWithTag(std::int64_t tag);

    /// Opens the menu over the button, the selected item's branch at the pointer. Main thread.
    void popUpMenu();

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

signals:
    /// The user picked the item at index (then action() follows).
    void activated(int index);

protected:
    PopUpButton(std::unique_ptr<ButtonCell> cell, QWidget* parent, bool pullsDown);

    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

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

    int findData(const QVariant& value, int role) const;
    void picked(QAction* item);
    void selectAndSendAction(int index);
    void menuChanged(QEvent* event);
    /// The title the button shows: the first item's when it pulls down, else the selected one's.
    void showTitle();

    std::unique_ptr<QMenu> menu_;
    QPointer<QAction> selected_;
    bool pullsDown_ = false;
};

} // namespace tarnkit
