#include "Tarnkit/Controls/PopUpButton.h"

#include "Tarnkit/Foundation/ControlAction.h"
#include "Tarnkit/Foundation/MenuItemAttributes.h"

#include "platform/foundation/MainQueue.h"

#include <QAction>
#include <QActionEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tarnkit {

namespace {

void listItems(const QMenu* menu, std::vector<QAction*>& items)
{
    for (QAction* item : menu->actions()) {
        if (menuItem::isAlternate(item))
            continue;
        items.push_back(item);
        if (const QMenu* submenu = item->menu(); submenu && !item->isSeparator())
            listItems(submenu, items);
    }
}

// Whether item lies somewhere below branch (in its submenu, or deeper).
bool isBelow(const QAction* item, const QAction* branch)
{
    const QMenu* submenu = branch->menu();
    if (!submenu || branch->isSeparator())
        return false;
    std::vector<QAction*> below;
    listItems(submenu, below);
    return std::find(below.begin(), below.end(), item) != below.end();
}

void appendCopies(QMenu* to, const QMenu* from)
{
    for (const QAction* item : from->actions()) {
        if (menuItem::isAlternate(item))
            continue;
        std::unique_ptr<QAction> copy;
        if (menuItem::isSectionHeader(item)) {
            copy = menuItem::sectionHeader(item->text());
        } else if (item->isSeparator()) {
            copy = menuItem::separator();
        } else {
            copy = menuItem::make(item->text());
            copy->setIcon(item->icon());
            copy->setData(item->data());
            copy->setEnabled(item->isEnabled());
            if (const QMenu* submenu = item->menu()) {
                auto branch = std::make_unique<QMenu>(item->text());
                appendCopies(branch.get(), submenu);
                menuItem::setSubmenu(copy.get(), std::move(branch));
            }
        }
        menuItem::setTag(copy.get(), menuItem::tag(item));
        menuItem::addItem(to, std::move(copy));
    }
}

} // namespace

PopUpButton::PopUpButton(QWidget* parent, bool pullsDown)
    : PopUpButton(std::make_unique<ButtonCell>(QString()), parent, pullsDown)
{
}

PopUpButton::PopUpButton(std::unique_ptr<ButtonCell> cell, QWidget* parent, bool pullsDown)
    : Button(std::move(cell), parent), menu_(std::make_unique<QMenu>()), pullsDown_(pullsDown)
{
    menu_->installEventFilter(this);
    connect(menu_.get(), &QMenu::triggered, this, &PopUpButton::picked);
    connect(menu_.get(), &QMenu::aboutToHide, this, [this] { highlight(false); });
    // A pick is the pop-up's action.
    connect(this, &PopUpButton::activated, this, &Control::action);
}

PopUpButton::~PopUpButton()
{
    menu_->removeEventFilter(this);
}

void PopUpButton::requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("a pop-up button is used off the main thread", "Tarnkit/NSPopupButton+Presentable", line);
}

bool PopUpButton::autoenablesItems() const
{
    return menuItem::autoenablesItems(menu_.get());
}

void PopUpButton::setAutoenablesItems(bool autoenables)
{
    menuItem::setAutoenablesItems(menu_.get(), autoenables);
}

std::vector<QAction*> PopUpButton::items() const
{
    std::vector<QAction*> list;
    listItems(menu_.get(), list);
    return list;
}

QAction* PopUpButton::itemAt(int index) const
{
    const std::vector<QAction*> list = items();
    return index >= 0 && index < int(list.size()) ? list[std::size_t(index)] : nullptr;
}

int PopUpButton::indexOfItem(const QAction* item) const
{
    if (!item)
        return -1;
    const std::vector<QAction*> list = items();
    const auto found = std::find(list.begin(), list.end(), item);
    return found == list.end() ? -1 : int(found - list.begin());
}

QString PopUpButton::itemText(int index) const
{
    const QAction* item = itemAt(index);
    return item ? item->text() : QString();
}

QVariant PopUpButton::itemData(int index, int role) const
{
    const QAction* item = itemAt(index);
    if (!item)
        return {};
    switch (role) {
    case Qt::UserRole:
        return item->data();
    case tagRole:
        return QVariant::fromValue(qint64(menuItem::tag(item)));
    case Qt::DisplayRole:
        return item->text();
    default:
        return {};
    }
}

void PopUpButton::setItemData(int index, const QVariant& value, int role)
{
    QAction* item = itemAt(index);
    if (!item)
        return;
    switch (role) {
    case Qt::UserRole:
        item->setData(value);
        break;
    case tagRole:
        menuItem::setTag(item, value.toLongLong());
        break;
    case Qt::DisplayRole:
        item->setText(value.toString());
        break;
    default:
        break;
    }
}

std::int64_t PopUpButton::itemTag(int index) const
{
    const QAction* item = itemAt(index);
    return item ? menuItem::tag(item) : 0;
}

bool PopUpButton::isSeparator(int index) const
{
    const QAction* item = itemAt(index);
    return item && item->isSeparator() && !menuItem::isSectionHeader(item);
}

bool PopUpButton::isItemEnabled(int index) const
{
    const QAction* item = itemAt(index);
    return item && item->isEnabled() && !item->isSeparator() && !item->menu();
}

int PopUpButton::findData(const QVariant& value, int role) const
{
    for (int i = 0; i < count(); ++i) {
        if (itemData(i, role) == value)
            return i;
    }
    return -1;
}

void PopUpButton::addItem(const QString& title, const QVariant& object, const QIcon& image)
{
    requireMainThread(__LINE__);
    auto item = menuItem::make(title);
    item->setData(object);
    item->setIcon(image);
    menuItem::addItem(menu_.get(), std::move(item));
}

void PopUpButton::removeAllItems()
{
    requireMainThread(__LINE__);
    menu_->clear();
}

void PopUpButton::setMenu(const QMenu* menu)
{
    requireMainThread(__LINE__);
    removeAllItems();
    if (menu)
        appendCopies(menu_.get(), menu);
}

void PopUpButton::selectItem(QAction* item)
{
    requireMainThread(__LINE__);
    selected_ = indexOfItem(item) >= 0 ? item : nullptr;
    showTitle();
}

void PopUpButton::selectItemWithTag(std::int64_t tag)
{
    requireMainThread(__LINE__);
    setCurrentIndex(findData(QVariant::fromValue(qint64(tag)), tagRole));
}

void PopUpButton::showTitle()
{
    const QAction* shown = pullsDown_ ? (menu_->actions().isEmpty() ? nullptr : menu_->actions().front()) : selectedItem();
    const QString title = shown ? shown->text() : QString();
    if (title != cell().title())
        setTitle(title);
}

void PopUpButton::picked(QAction* item)
{
    const int index = indexOfItem(item);
    if (index < 0)
        return;
    if (!pullsDown_)
        selectItem(item);
    emit activated(index);
}

void PopUpButton::menuChanged(QEvent* event)
{
    const QAction* changed = static_cast<QActionEvent*>(event)->action();
    switch (event->type()) {
    case QEvent::ActionAdded:
        // The first item of an empty menu becomes the selected one.
        if (!selected_ && menu_->actions().size() == 1)
            selected_ = menu_->actions().front();
        break;
    case QEvent::ActionRemoved:
        if (selected_ && (selected_ == changed || isBelow(selected_, changed)))
            selected_ = nullptr;
        break;
    default:
        break;
    }
    showTitle();
}

bool PopUpButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == menu_.get()) {
        switch (event->type()) {
        case QEvent::ActionAdded:
        case QEvent::ActionRemoved:
        case QEvent::ActionChanged:
            menuChanged(event);
            break;
        default:
            break;
        }
    }
    return Button::eventFilter(watched, event);
}

void PopUpButton::popUpMenu()
{
    requireMainThread(__LINE__);
    if (!isEnabled() || menu_->actions().isEmpty())
        return;
    // The branch that holds the selected item opens over the button, as a pop-up's menu does.
    QAction* at = nullptr;
    if (!pullsDown_) {
        for (QAction* item : menu_->actions()) {
            if (item == selected_ || (selected_ && isBelow(selected_, item))) {
                at = item;
                break;
            }
        }
    }
    highlight(true);
    menu_->setMinimumWidth(width());
    menu_->popup(mapToGlobal(pullsDown_ ? rect().bottomLeft() : QPoint(0, 0)), at);
}

void PopUpButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        Button::mousePressEvent(event);
        return;
    }
    popUpMenu();
    event->accept();
}

void PopUpButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (event->modifiers() == Qt::NoModifier && isEnabled()) {
            popUpMenu();
            return;
        }
        break;
    default:
        break;
    }
    Button::keyPressEvent(event);
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
    selectAndSendAction(chosen);
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
    selectAndSendAction(chosen);
}

void PopUpButton::selectAndSendAction(int index)
{
    setCurrentIndex(index);
    if (tarnkit::action(this))
        tarnkit::sendAction(this);
}

} // namespace tarnkit
