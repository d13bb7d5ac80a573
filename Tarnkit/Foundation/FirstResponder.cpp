#include "Tarnkit/Foundation/FirstResponder.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

namespace tarnkit {

void makeKeyAndFirstResponder(QWidget* view)
{
    if (!foundation::mainQueue::isMainThread())
        foundation::fatalError("makeKeyAndFirstResponder is called off the main thread",
                               "Tarnkit/NSControl+Combine", __LINE__);
    if (!view || view->isWindow())
        return;
    QWidget* window = view->window();
    if (!window->isActiveWindow())
        window->activateWindow();
    view->setFocus(Qt::OtherFocusReason);
}

} // namespace tarnkit
