#pragma once

#include <QString>

namespace shaderview {

/// Names of the notifications posted on foundation::NotificationCenter::defaultCenter() when
/// a top-level window gains or loses the keyboard focus; the notification's object is that
/// window's top-level QWidget. Pop-ups and tool tips taking the focus do not count: the
/// window they belong to stays key.
inline const QString windowDidBecomeKeyNotification = QStringLiteral("windowDidBecomeKey");
inline const QString windowDidResignKeyNotification = QStringLiteral("windowDidResignKey");

/// Starts posting the two notifications (once per process; later calls do nothing). Needs a
/// QApplication; main thread.
void startWindowKeyNotifications();

} // namespace shaderview
