#include "Tarnkit/Components/StyledPopUpButtonWrapper.h"

#include "platform/foundation/MainQueue.h"

namespace tarnkit {

void PopUpMenuCoordinator::menuItemSelected(QObject* sender)
{
    foundation::mainQueue::requireMainThread("a pop-up wrapper's item is chosen off the main thread",
                                             "Tarnkit/StyledPopUpButtonWrapper", __LINE__);
    if (const auto* item = qobject_cast<const QAction*>(sender))
        representedObjectChosen(item->data());
}

} // namespace tarnkit
