#include "Tarnkit/Foundation/Xibless.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QEvent>

namespace tarnkit {

XiblessView::XiblessView(QWidget* parent) : QWidget(parent)
{
    if (!foundation::mainQueue::isMainThread())
        foundation::fatalError("a view is made off the main thread", "Tarnkit/Xibless", __LINE__);
}

bool XiblessView::event(QEvent* event)
{
    if (event->type() == QEvent::Polish)
        runSetup();
    return QWidget::event(event);
}

void XiblessView::runSetup()
{
    if (setUp_)
        return;
    setUp_ = true;
    setupView();
}

} // namespace tarnkit
