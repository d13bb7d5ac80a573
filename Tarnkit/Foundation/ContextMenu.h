#pragma once

#include <QObject>

class QAbstractButton;
class QMenu;

namespace tarnkit {

/// Pops up the button's menu (QPushButton::menu or QToolButton::menu) with its top left corner
/// at the button's bottom left corner, no item placed under the mouse. A button without a menu
/// does nothing. Main thread.
void popUpContextMenu(QAbstractButton* button);

/// A target for buttons whose action pops up their menu: setTarget(button, &target,
/// Selector{"popUpContextMenuForButton"}).
class ContextMenuTarget : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    /// sender is the button; any other sender is ignored.
    Q_INVOKABLE void popUpContextMenuForButton(QObject* sender);
};

/// The button's menu, null when it has none.
QMenu* buttonMenu(const QAbstractButton* button);

} // namespace tarnkit
