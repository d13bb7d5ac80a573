#pragma once

#include "Tarnkit/Foundation/ControlAction.h"

#include "platform/foundation/FatalError.h"

#include <QObject>
#include <QWidget>

#include <concepts>
#include <functional>
#include <memory>
#include <utility>

namespace tarnkit {

/// The target that runs a closure for a control's action. It lives as long as its control (a
/// child of it; the control holds its target only weakly), and a control has at most one.
class ActionTrampoline : public QObject {
    Q_OBJECT
public:
    /// Main thread.
    ActionTrampoline(QWidget* control, std::function<void(QObject*)> action);

    /// The action: runs the closure with the sender.
    Q_INVOKABLE void actionWithSender(QObject* sender);

    /// The trampoline attached to control, if any.
    static ActionTrampoline* of(const QWidget* control);

private:
    // Shared so that a closure that replaces its control's action (deleting this trampoline)
    // lives until it returns.
    std::shared_ptr<const std::function<void(QObject*)>> action_;
};

/// Makes action the control's action: a trampoline holding it becomes the control's target
/// (replacing whatever target the control had), and a trampoline set earlier is released, so
/// only the last closure runs. The closure receives the control, as the type it was set for.
/// Main thread.
template <typename Control, typename F>
    requires std::derived_from<Control, QWidget> && std::invocable<F&, Control&>
void setAction(Control* control, F action)
{
    delete ActionTrampoline::of(control);
    auto* trampoline = new ActionTrampoline(control, [action = std::move(action)](QObject* sender) mutable {
        auto* typed = dynamic_cast<Control*>(sender);
        if (!typed)
            foundation::fatalError("the action's sender is not the control it was set for",
                                   "Tarnkit/NSControl+Closures", __LINE__);
        action(*typed);
    });
    setTarget(control, trampoline, Selector{"actionWithSender"});
}

} // namespace tarnkit
