#pragma once

#include <QByteArray>

class QObject;

namespace tarnkit {

/// The action of a menu item: the name of an invokable method (a slot or Q_INVOKABLE) of the
/// receiver that takes the sender as one QObject* argument, or no argument at all.
/// "openRecentDocument" names `openRecentDocument(QObject*)` or `openRecentDocument()`.
struct Selector {
    QByteArray name;

    friend bool operator==(const Selector&, const Selector&) = default;
};

/// Whether receiver has a method for selector (with the sender argument or without).
bool responds(const QObject* receiver, const Selector& selector);

/// The object that receives selector when it is sent with no target: the first that responds,
/// in the order of the focus widget and its ancestors, the active window, the application
/// object and then the application responders (registered below), in registration order.
/// Null when nothing responds. Main thread.
QObject* receiverInResponderChain(const Selector& selector);

/// Sends selector to target with sender as its argument; a null target sends it along the
/// responder chain. True when some object received it. Main thread.
bool sendAction(const Selector& selector, QObject* target, QObject* sender);

/// Adds an application-wide object (a document controller, say) at the end of the responder
/// chain; it leaves the chain by itself when destroyed. Main thread.
void addApplicationResponder(QObject* responder);

} // namespace tarnkit
