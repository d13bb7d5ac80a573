#pragma once

#include <QObject>

class QMenu;

namespace tarnkit {

/// What a menu asks of its delegate: to fill itself each time it is about to be shown.
/// A menu holds its delegate weakly: whoever installs a delegate keeps it alive.
class MenuDelegate : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    /// Called on the main thread just before menu shows (QMenu::aboutToShow).
    virtual void menuNeedsUpdate(QMenu* menu) = 0;
};

/// Makes delegate the delegate of menu (null removes it), replacing an earlier one. Main thread.
void setMenuDelegate(QMenu* menu, MenuDelegate* delegate);

/// The delegate of menu, or null when it has none or it was destroyed. Main thread.
MenuDelegate* menuDelegate(const QMenu* menu);

} // namespace tarnkit
