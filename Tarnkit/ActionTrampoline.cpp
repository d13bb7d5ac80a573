#include "Tarnkit/ActionTrampoline.h"

namespace tarnkit {

ActionTrampoline::ActionTrampoline(QWidget* control, std::function<void(QObject*)> action)
    : QObject(control), action_(std::move(action))
{
}

void ActionTrampoline::actionWithSender(QObject* sender)
{
    action_(sender);
}

ActionTrampoline* ActionTrampoline::of(const QWidget* control)
{
    return control->findChild<ActionTrampoline*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace tarnkit
