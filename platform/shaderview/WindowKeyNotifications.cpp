#include "platform/shaderview/WindowKeyNotifications.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/shaderview/MainThread.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <memory>

namespace shaderview {

namespace {

QWidget* topLevelWidgetOf(const QWindow* window)
{
    if (!window)
        return nullptr;
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (QWidget* widget : widgets) {
        if (widget->windowHandle() == window)
            return widget;
    }
    return nullptr;
}

} // namespace

void startWindowKeyNotifications()
{
    requireMainThread("platform/shaderview/WindowKeyNotifications", __LINE__);
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    static QPointer<QApplication> startedFor;
    if (!application || startedFor == application)
        return;
    startedFor = application;
    auto keyWidget = std::make_shared<QPointer<QWidget>>(topLevelWidgetOf(QGuiApplication::focusWindow()));
    QObject::connect(application, &QGuiApplication::focusWindowChanged, application, [keyWidget](QWindow* window) {
        QWidget* next = topLevelWidgetOf(window);
        if (next && (next->windowType() == Qt::Popup || next->windowType() == Qt::ToolTip))
            return;
        if (next == keyWidget->data())
            return;
        auto& center = foundation::NotificationCenter::defaultCenter();
        if (QWidget* previous = keyWidget->data())
            center.post(windowDidResignKeyNotification, previous);
        *keyWidget = next;
        if (next)
            center.post(windowDidBecomeKeyNotification, next);
    });
}

} // namespace shaderview
