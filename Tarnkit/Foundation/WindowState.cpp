#include "Tarnkit/Foundation/WindowState.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <utility>

namespace tarnkit {

WindowState::WindowState(QObject* parent) : QObject(parent)
{
    if (!foundation::mainQueue::isMainThread())
        foundation::fatalError("a window state is made off the main thread", "Tarnkit/WindowState", __LINE__);
}

void WindowState::setParentWindow(QWidget* window)
{
    parentWindow_.set(QPointer<QWidget>(window));
}

foundation::ObservationToken WindowState::observeParentWindow(std::function<void(QWidget*)> callback)
{
    return parentWindow_.observe(
        [callback = std::move(callback)](const QPointer<QWidget>& window) { callback(window.data()); });
}

WindowState* WindowState::of(const QWidget* view)
{
    if (!view)
        return nullptr;
    return view->window()->findChild<WindowState*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace tarnkit
