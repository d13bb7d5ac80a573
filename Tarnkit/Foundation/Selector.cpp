#include "Tarnkit/Foundation/Selector.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QApplication>
#include <QMetaMethod>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/Selector";

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("an action is sent off the main thread", source, line);
}

/// The method selector names on receiver: the one taking the sender first, then the one
/// taking nothing. withSender tells which.
QMetaMethod methodFor(const QObject* receiver, const Selector& selector, bool& withSender)
{
    if (!receiver || selector.name.isEmpty())
        return {};
    const QMetaObject* meta = receiver->metaObject();
    int index = meta->indexOfMethod(selector.name + "(QObject*)");
    withSender = index >= 0;
    if (index < 0)
        index = meta->indexOfMethod(selector.name + "()");
    return index >= 0 ? meta->method(index) : QMetaMethod();
}

std::vector<QPointer<QObject>>& applicationResponders()
{
    static std::vector<QPointer<QObject>> responders;
    return responders;
}

} // namespace

bool responds(const QObject* receiver, const Selector& selector)
{
    bool withSender = false;
    return methodFor(receiver, selector, withSender).isValid();
}

QObject* receiverInResponderChain(const Selector& selector)
{
    requireMainThread(__LINE__);
    for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
        if (responds(widget, selector))
            return widget;
    }
    if (QWidget* window = QApplication::activeWindow(); responds(window, selector))
        return window;
    if (QCoreApplication* application = QCoreApplication::instance(); responds(application, selector))
        return application;
    for (const QPointer<QObject>& responder : applicationResponders()) {
        if (responds(responder, selector))
            return responder;
    }
    return nullptr;
}

bool sendAction(const Selector& selector, QObject* target, QObject* sender)
{
    requireMainThread(__LINE__);
    QObject* receiver = target ? target : receiverInResponderChain(selector);
    bool withSender = false;
    const QMetaMethod method = methodFor(receiver, selector, withSender);
    if (!method.isValid())
        return false;
    if (withSender)
        return method.invoke(receiver, Qt::DirectConnection, Q_ARG(QObject*, sender));
    return method.invoke(receiver, Qt::DirectConnection);
}

void addApplicationResponder(QObject* responder)
{
    requireMainThread(__LINE__);
    auto& responders = applicationResponders();
    std::erase_if(responders, [](const QPointer<QObject>& entry) { return entry.isNull(); });
    responders.emplace_back(responder);
}

} // namespace tarnkit
