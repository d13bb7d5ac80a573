#pragma once

#include "Tarnkit/Foundation/Selector.h"

#include <QIcon>
#include <QString>
#include <Qt>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QObject;

/// The fields of a menu item that a QAction lacks (tag, target and action, state images,
/// alternates, the key-equivalent modifier mask) kept on the action itself, and the item and
/// menu construction the menu builders share. A QAction is the menu item; its text, icon, data
/// (the represented object), shortcut and menu are its own. Main thread only.
namespace tarnkit::menuItem {

/// The tag of the separators a MenuStructure builds, told apart from the default tag 0.
inline constexpr std::int64_t structureSeparatorTag = -1000;

/// A new item titled title whose action is action and whose key equivalent is keyEquivalent
/// (one key, "s" or "Del"; empty gives none) with the given modifier mask. Triggering the item
/// sends its action to its target (the responder chain when it has none), the item as sender.
std::unique_ptr<QAction> make(const QString& title, std::optional<Selector> action = {},
                              const QString& keyEquivalent = {},
                              Qt::KeyboardModifiers modifiers = {});
/// A separator item (tag 0).
std::unique_ptr<QAction> separator();
/// A section header: a separator-style item carrying title, as QMenu::addSection makes it.
std::unique_ptr<QAction> sectionHeader(const QString& title);
bool isSectionHeader(const QAction* item);

std::int64_t tag(const QAction* item);            ///< 0 unless set
void setTag(QAction* item, std::int64_t tag);

QObject* target(const QAction* item);             ///< null when none or destroyed
void setTarget(QAction* item, QObject* target);   ///< held weakly

std::optional<Selector> action(const QAction* item);
void setAction(QAction* item, std::optional<Selector> action);

/// The key equivalent as given (empty when none) and its modifier mask, kept even when there is
/// no key: an alternate is recognised by its mask.
QString keyEquivalent(const QAction* item);
Qt::KeyboardModifiers keyEquivalentModifierMask(const QAction* item);
void setKeyEquivalentModifierMask(QAction* item, Qt::KeyboardModifiers modifiers);

/// An alternate stands in for the item just before it while its modifiers (Alt) are held.
bool isAlternate(const QAction* item);
void setAlternate(QAction* item, bool alternate);

enum class StateImage { on, off, mixed };
QIcon stateImage(const QAction* item, StateImage which);   ///< null when none
void setStateImage(QAction* item, StateImage which, const QIcon& image);

/// Makes submenu the item's menu (null removes it); the item owns it from now on and an earlier
/// submenu owned by the item is deleted.
void setSubmenu(QAction* item, std::unique_ptr<QMenu> submenu);
/// Detaches the item's submenu and hands it to the caller (null when it has none or does not
/// own it).
std::unique_ptr<QMenu> takeSubmenu(QAction* item);
/// Makes an existing menu the item's menu without owning it (a menu shared application-wide).
void setSharedSubmenu(QAction* item, QMenu* submenu);

/// Appends item to menu, which owns it from now on. A menu that receives an alternate shows the
/// alternate in place of the item before it while Alt is held.
void addItem(QMenu* menu, std::unique_ptr<QAction> item);
/// Replaces every item of menu (also items the application put there) by items, in order.
void setItemArray(QMenu* menu, std::vector<std::unique_ptr<QAction>> items);

/// When on (the default for a new menu), the menu enables each item that has an action exactly
/// when its target, or the responder chain, responds to the action, each time it is shown.
bool autoenablesItems(const QMenu* menu);
void setAutoenablesItems(QMenu* menu, bool autoenables);
/// Runs the enabling now (what showing the menu does). Main thread.
void updateAutoenabledItems(QMenu* menu);

/// The application's Services menu (there are no system services here: it is simply the menu
/// the application names so); null until set.
QMenu* servicesMenu();
/// Makes menu the application's Services menu; the application owns it (an earlier one is
/// deleted) until it is replaced or the application object goes.
void setServicesMenu(std::unique_ptr<QMenu> menu);

} // namespace tarnkit::menuItem
