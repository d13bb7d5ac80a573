#include "Tarnkit/Foundation/MenuItemAttributes.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>

namespace tarnkit::menuItem {

namespace {

constexpr const char* source = "Tarnkit/MenuItemAttributes";

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("a menu item is built off the main thread", source, line);
}

/// The item fields a QAction lacks, kept as its child, and the connection that sends the
/// item's action when it is triggered.
class ItemAttributes : public QObject {
    Q_OBJECT
public:
    explicit ItemAttributes(QAction* item) : QObject(item)
    {
        connect(item, &QAction::triggered, this, [this, item] {
            if (action)
                sendAction(*action, target, item);
        });
    }
    ~ItemAttributes() override { delete ownedSubmenu.data(); }

    std::int64_t tag = 0;
    QPointer<QObject> target;
    std::optional<Selector> action;
    QString keyEquivalent;
    Qt::KeyboardModifiers modifierMask;
    bool alternate = false;
    bool sectionHeader = false;
    QIcon onStateImage;
    QIcon offStateImage;
    QIcon mixedStateImage;
    QPointer<QMenu> ownedSubmenu;
};

/// The menu fields a QMenu lacks: automatic enabling, and the swap of alternates while Alt is
/// held (on showing, and on each press or release of Alt while it is open).
class MenuAttributes : public QObject {
    Q_OBJECT
public:
    explicit MenuAttributes(QMenu* menu) : QObject(menu), menu_(menu)
    {
        connect(menu, &QMenu::aboutToShow, this, [this] {
            if (autoenables)
                updateAutoenabledItems(menu_);
            showAlternates(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier));
        });
        menu->installEventFilter(this);
    }

    void showAlternates(bool altHeld)
    {
        QAction* previous = nullptr;
        for (QAction* item : menu_->actions()) {
            if (isAlternate(item) && previous && !isAlternate(previous)) {
                item->setVisible(altHeld);
                previous->setVisible(!altHeld);
            }
            previous = item;
        }
    }

    bool autoenables = true;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == menu_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Alt)
                showAlternates(event->type() == QEvent::KeyPress);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QMenu* menu_;
};

template <typename Attributes, typename Owner>
Attributes* find(const Owner* owner)
{
    return owner->template findChild<Attributes*>(QString(), Qt::FindDirectChildrenOnly);
}

ItemAttributes& attributes(QAction* item)
{
    requireMainThread(__LINE__);
    if (auto* existing = find<ItemAttributes>(item))
        return *existing;
    return *new ItemAttributes(item);
}

MenuAttributes& attributes(QMenu* menu)
{
    requireMainThread(__LINE__);
    if (auto* existing = find<MenuAttributes>(menu))
        return *existing;
    return *new MenuAttributes(menu);
}

/// The shortcut of a key equivalent: its one key with the mask's modifiers. An upper-case
/// letter implies Shift, so "Z" with Control is Control+Shift+Z and stays apart from "z".
QKeySequence shortcutFor(const QString& keyEquivalent, Qt::KeyboardModifiers modifiers)
{
    if (keyEquivalent.isEmpty())
        return {};
    const QKeySequence parsed(keyEquivalent);
    if (parsed.isEmpty())
        return {};
    if (keyEquivalent.size() == 1 && keyEquivalent.front().isUpper())
        modifiers |= Qt::ShiftModifier;
    return QKeySequence(QKeyCombination(modifiers, parsed[0].key()));
}

QPointer<QMenu>& servicesMenuSlot()
{
    static QPointer<QMenu> menu;
    return menu;
}

void deleteServicesMenu()
{
    delete servicesMenuSlot().data();
}

} // namespace

std::unique_ptr<QAction> make(const QString& title, std::optional<Selector> action,
                              const QString& keyEquivalent, Qt::KeyboardModifiers modifiers)
{
    auto item = std::make_unique<QAction>(title);
    ItemAttributes& fields = attributes(item.get());
    fields.action = std::move(action);
    fields.keyEquivalent = keyEquivalent;
    fields.modifierMask = modifiers;
    item->setShortcut(shortcutFor(keyEquivalent, modifiers));
    return item;
}

std::unique_ptr<QAction> separator()
{
    auto item = std::make_unique<QAction>();
    item->setSeparator(true);
    return item;
}

std::unique_ptr<QAction> sectionHeader(const QString& title)
{
    auto item = std::make_unique<QAction>(title);
    item->setSeparator(true);
    attributes(item.get()).sectionHeader = true;
    return item;
}

bool isSectionHeader(const QAction* item)
{
    const auto* fields = find<ItemAttributes>(item);
    return item->isSeparator() && ((fields && fields->sectionHeader) || !item->text().isEmpty());
}

std::int64_t tag(const QAction* item)
{
    const auto* fields = find<ItemAttributes>(item);
    return fields ? fields->tag : 0;
}

void setTag(QAction* item, std::int64_t tag)
{
    attributes(item).tag = tag;
}

QObject* target(const QAction* item)
{
    const auto* fields = find<ItemAttributes>(item);
    return fields ? fields->target.data() : nullptr;
}

void setTarget(QAction* item, QObject* target)
{
    attributes(item).target = target;
}

std::optional<Selector> action(const QAction* item)
{
    const auto* fields = find<ItemAttributes>(item);
    return fields ? fields->action : std::nullopt;
}

void setAction(QAction* item, std::optional<Selector> action)
{
    attributes(item).action = std::move(action);
}

QString keyEquivalent(const QAction* item)
{
    const auto* fields = find<ItemAttributes>(item);
    return fields ? fields->keyEquivalent : QString();
}

Qt::KeyboardModifiers keyEquivalentModifierMask(const QAction* item)
{
    const auto* fields = find<ItemAttributes>(item);
    return fields ? fields->modifierMask : Qt::KeyboardModifiers();
}

void setKeyEquivalentModifierMask(QAction* item, Qt::KeyboardModifiers modifiers)
{
    ItemAttributes& fields = attributes(item);
    fields.modifierMask = modifiers;
    item->setShortcut(shortcutFor(fields.keyEquivalent, modifiers));
}

bool isAlternate(const QAction* item)
{
    const auto* fields = find<ItemAttributes>(item);
    return fields && fields->alternate;
}

void setAlternate(QAction* item, bool alternate)
{
    attributes(item).alternate = alternate;
}

QIcon stateImage(const QAction* item, StateImage which)
{
    const auto* fields = find<ItemAttributes>(item);
    if (!fields)
        return {};
    switch (which) {
    case StateImage::on: return fields->onStateImage;
    case StateImage::off: return fields->offStateImage;
    case StateImage::mixed: return fields->mixedStateImage;
    }
    return {};
}

void setStateImage(QAction* item, StateImage which, const QIcon& image)
{
    ItemAttributes& fields = attributes(item);
    switch (which) {
    case StateImage::on: fields.onStateImage = image; break;
    case StateImage::off: fields.offStateImage = image; break;
    case StateImage::mixed: fields.mixedStateImage = image; break;
    }
}

void setSubmenu(QAction* item, std::unique_ptr<QMenu> submenu)
{
    ItemAttributes& fields = attributes(item);
    QMenu* const earlier = fields.ownedSubmenu;
    item->setMenu(submenu.get());
    fields.ownedSubmenu = submenu.release();
    if (earlier != fields.ownedSubmenu)
        delete earlier;
}

std::unique_ptr<QMenu> takeSubmenu(QAction* item)
{
    ItemAttributes& fields = attributes(item);
    if (!fields.ownedSubmenu)
        return nullptr;
    std::unique_ptr<QMenu> submenu(fields.ownedSubmenu.data());
    fields.ownedSubmenu = nullptr;
    item->setMenu(nullptr);
    return submenu;
}

void setSharedSubmenu(QAction* item, QMenu* submenu)
{
    setSubmenu(item, nullptr);
    item->setMenu(submenu);
}

void addItem(QMenu* menu, std::unique_ptr<QAction> item)
{
    attributes(menu);
    item->setParent(menu);
    menu->addAction(item.release());
}

void setItemArray(QMenu* menu, std::vector<std::unique_ptr<QAction>> items)
{
    attributes(menu);
    menu->clear();
    for (auto& item : items)
        addItem(menu, std::move(item));
}

bool autoenablesItems(const QMenu* menu)
{
    const auto* fields = find<MenuAttributes>(menu);
    return !fields || fields->autoenables;
}

void setAutoenablesItems(QMenu* menu, bool autoenables)
{
    attributes(menu).autoenables = autoenables;
}

void updateAutoenabledItems(QMenu* menu)
{
    requireMainThread(__LINE__);
    for (QAction* item : menu->actions()) {
        const auto selector = action(item);
        if (!selector)
            continue;
        QObject* const receiver = target(item);
        item->setEnabled(receiver ? responds(receiver, *selector)
                                  : receiverInResponderChain(*selector) != nullptr);
    }
}

QMenu* servicesMenu()
{
    return servicesMenuSlot();
}

void setServicesMenu(std::unique_ptr<QMenu> menu)
{
    requireMainThread(__LINE__);
    QMenu* const earlier = servicesMenuSlot();
    if (!earlier)
        qAddPostRoutine(deleteServicesMenu); // widgets must go before the application object
    servicesMenuSlot() = menu.release();
    if (earlier != servicesMenuSlot())
        delete earlier;
}

} // namespace tarnkit::menuItem

#include "MenuItemAttributes.moc"
