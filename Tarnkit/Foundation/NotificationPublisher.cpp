#include "Tarnkit/Foundation/NotificationPublisher.h"

#include <QObject>

#include <memory>

namespace tarnkit {

Publisher<foundation::Notification> notificationPublisher(const QString& name, const QObject* object)
{
    return Publisher<foundation::Notification>([name, object = QPointer<const QObject>(object),
                                                anyObject = object == nullptr](Subscriber<foundation::Notification> subscriber) {
        if (!anyObject && !object)
            return Cancellable(); // the object is gone: nothing about it will be posted
        // The registration lives as long as this observer; cancelling deletes it.
        auto* observer = new QObject;
        foundation::NotificationCenter::defaultCenter().addObserver(
            observer, name, object.data(),
            [receive = std::move(subscriber.receiveValue)](const foundation::Notification& n) { receive(n); });
        return Cancellable([observer = QPointer<QObject>(observer)] { delete observer.data(); });
    });
}

} // namespace tarnkit
