#include "Tarnkit/Foundation/ContextMenu.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace tarnkit {

QMenu* buttonMenu(const QAbstractButton* button)
{
    if (const auto* push = qobject_cast<const QPushButton*>(button))
        return push->menu();
    if (const auto* tool = qobject_cast<const QToolButton*>(button))
        return tool->menu();
    return nullptr;
}

void popUpContextMenu(QAbstractButton* button)
{
    if (!foundation::mainQueue::isMainThread())
        foundation::fatalError("a context menu is popped up off the main thread", "Tarnkit/NSObject+ContextMenu",
                               __LINE__);
    QMenu* menu = buttonMenu(button);
    if (!menu)
        return;
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void ContextMenuTarget::popUpContextMenuForButton(QObject* sender)
{
    if (auto* button = qobject_cast<QAbstractButton*>(sender))
        popUpContextMenu(button);
}

} // namespace tarnkit
