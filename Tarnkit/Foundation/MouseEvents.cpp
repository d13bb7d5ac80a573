#include "Tarnkit/Foundation/MouseEvents.h"

#include <QGuiApplication>
#include <QMouseEvent>

namespace tarnkit::mouseEvents {

bool isAlternateClick(const QMouseEvent& event)
{
    // The second press of a double click comes as a double-click event.
    if (event.type() != QEvent::MouseButtonPress && event.type() != QEvent::MouseButtonDblClick)
        return false;
    if (event.button() == Qt::RightButton)
        return true;
    return event.button() == Qt::LeftButton && event.modifiers().testFlag(Qt::ControlModifier);
}

bool isLeftButtonDown()
{
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

bool isRightButtonDown()
{
    return QGuiApplication::mouseButtons().testFlag(Qt::RightButton);
}

} // namespace tarnkit::mouseEvents
