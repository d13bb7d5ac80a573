#include "Tarnkit/Foundation/ActionTrampoline.h"

namespace tarnkit {

ActionTrampoline::ActionTrampoline(QWidget* control, std::function<void(QObject*)> action)
    : QObject(control), action_(std::make_shared<const std::function<void(QObject*)>>(std::move(action)))
{
}

void ActionTrampoline::actionWithSender(QObject* sender)
{
    const auto action = action_; // this trampoline may be deleted while the closure runs
    (*action)(sender);
}

ActionTrampoline* ActionTrampoline::of(const QWidget* control)
{
    return control->findChild<ActionTrampoline*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace tarnkit
