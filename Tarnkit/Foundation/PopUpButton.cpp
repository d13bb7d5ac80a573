#include "Tarnkit/Foundation/PopUpButton.h"

#include "Tarnkit/Foundation/ControlAction.h"
#include "Tarnkit/Foundation/MenuItemAttributes.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QAction>
#include <QMenu>
#include <QStandardItemModel>

namespace tarnkit {

namespace {

void setItemEnabled(QComboBox& box, int index, bool enabled)
{
    if (auto* model = qobject_cast<QStandardItemModel*>(box.model())) {
        if (QStandardItem* item = model->item(index))
            item->setEnabled(enabled);
    }
}

} // namespace

PopUpButton::PopUpButton(QWidget* parent) : QComboBox(parent)
{
}

void PopUpButton::requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("a pop-up button is used off the main thread", "Tarnkit/NSPopupButton+Presentable", line);
}

void PopUpButton::setMenu(const QMenu* menu)
{
    requireMainThread(__LINE__);
    clear();
    if (menu)
        appendItems(menu);
}

void PopUpButton::appendItems(const QMenu* menu)
{
    for (const QAction* item : menu->actions()) {
        if (menuItem::isAlternate(item))
            continue;
        const int index = count();
        if (menuItem::isSectionHeader(item)) {
            addItem(item->text());
            setItemEnabled(*this, index, false);
        } else if (item->isSeparator()) {
            insertSeparator(index);
        } else {
            addItem(item->icon(), item->text(), item->data());
            setItemEnabled(*this, index, item->isEnabled() && !item->menu());
        }
        setItemData(index, QVariant::fromValue(qint64(menuItem::tag(item))), tagRole);
        if (const QMenu* submenu = item->menu(); submenu && !item->isSeparator())
            appendItems(submenu);
    }
}

std::int64_t PopUpButton::itemTag(int index) const
{
    return itemData(index, tagRole).toLongLong();
}

bool PopUpButton::isSeparator(int index) const
{
    // How QComboBox::insertSeparator marks its items.
    return itemData(index, Qt::AccessibleDescriptionRole).toString() == QLatin1String("separator");
}

bool PopUpButton::isItemEnabled(int index) const
{
    return model()->flags(model()->index(index, modelColumn(), rootModelIndex())).testFlag(Qt::ItemIsEnabled);
}

void PopUpButton::selectItemWithTag(std::int64_t tag)
{
    requireMainThread(__LINE__);
    const int found = findData(QVariant::fromValue(qint64(tag)), tagRole);
    setCurrentIndex(found);
}

void PopUpButton::selectNextItem(QObject*)
{
    requireMainThread(__LINE__);
    const int items = count();
    int chosen = items > 0 ? 0 : -1;
    for (int i = currentIndex() + 1; i < items; ++i) {
        if (isItemEnabled(i) && !isSeparator(i)) {
            chosen = i;
            break;
        }
    }
    setCurrentIndex(chosen);
    if (action(this))
        sendAction(this);
}

void PopUpButton::selectPreviousItem(QObject*)
{
    requireMainThread(__LINE__);
    int chosen = count() - 1; // -1 for an empty pop-up
    for (int i = currentIndex() - 1; i >= 0; --i) {
        if (isItemEnabled(i) && !isSeparator(i)) {
            chosen = i;
            break;
        }
    }
    setCurrentIndex(chosen);
    if (action(this))
        sendAction(this);
}

} // namespace tarnkit
