#include "Tarnkit/Foundation/MenuDelegate.h"

#include <QMenu>
#include <QPointer>

namespace tarnkit {

namespace {

/// Kept on the menu: the weak reference to its delegate and the connection that asks it to
/// fill the menu before it shows.
class DelegateLink : public QObject {
public:
    explicit DelegateLink(QMenu* menu) : QObject(menu)
    {
        setObjectName(QStringLiteral("tarnkit.menuDelegate"));
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            if (delegate)
                delegate->menuNeedsUpdate(menu);
        });
    }

    QPointer<MenuDelegate> delegate;
};

DelegateLink* linkOf(const QMenu* menu)
{
    return menu->findChild<DelegateLink*>(QStringLiteral("tarnkit.menuDelegate"),
                                          Qt::FindDirectChildrenOnly);
}

} // namespace

void setMenuDelegate(QMenu* menu, MenuDelegate* delegate)
{
    DelegateLink* link = linkOf(menu);
    if (!link)
        link = new DelegateLink(menu);
    link->delegate = delegate;
}

MenuDelegate* menuDelegate(const QMenu* menu)
{
    const DelegateLink* link = linkOf(menu);
    return link ? link->delegate.data() : nullptr;
}

} // namespace tarnkit
