#include "Tarnkit/Foundation/Selectable.h"

#include "platform/foundation/MainQueue.h"

#include <QPointer>
#include <QWidget>

#include <vector>

namespace tarnkit {

void setSelectedOnSubviews(QWidget* view, bool selected, bool recursive)
{
    foundation::mainQueue::requireMainThread("a view is used off the main thread", "Tarnkit/Selectable", __LINE__);
    // Collected first: a view told it is selected may add or remove children of its own.
    std::vector<QPointer<QWidget>> selectables;
    for (QWidget* child : view->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (dynamic_cast<Selectable*>(child))
            selectables.emplace_back(child);
    }
    for (QWidget* child : selectables) {
        if (!child)
            continue;
        dynamic_cast<Selectable*>(child)->setSelected(selected);
        if (recursive)
            setSelectedOnSubviews(child, selected, false);
    }
}

} // namespace tarnkit
