#pragma once

#include "Tarnkit/Foundation/Publisher.h"

#include "platform/foundation/NotificationCenter.h"

#include <QString>

namespace tarnkit {

/// The notifications called name about object (any object when null) posted on the default
/// notification centre, as a publisher: each subscription observes the centre until it is
/// cancelled. It never finishes. Main thread (the centre's thread).
Publisher<foundation::Notification> notificationPublisher(const QString& name, const QObject* object = nullptr);

} // namespace tarnkit
