#include "Tarnkit/Fields/KeyboardActionTableView.h"

#include "Tarnkit/Foundation/ControlAction.h"

#include <QKeyEvent>

#include <algorithm>

namespace tarnkit {

KeyboardActionTableView::KeyboardActionTableView(QWidget* parent) : TableView(parent)
{
}

void KeyboardActionTableView::keyReleaseEvent(QKeyEvent* event)
{
    TableView::keyReleaseEvent(event);
    if (event->isAutoRepeat())
        return;
    const bool trigger = std::find(triggers_.begin(), triggers_.end(), Qt::Key(event->key())) != triggers_.end();
    if (trigger && keyboardAction_)
        sendAction(*keyboardAction_, target(this), this);
}

} // namespace tarnkit
