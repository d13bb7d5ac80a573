#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>

namespace foundation::test {

/// Runs the main event loop until done() holds or the deadline passes (a generous one: the
/// tests never depend on timing, the deadline only keeps a broken run from hanging). Returns
/// done().
template <typename Predicate>
bool runEventLoopUntil(Predicate done, std::chrono::milliseconds deadline = std::chrono::seconds(20))
{
    const QDeadlineTimer timer(deadline);
    QTimer wake; // bounds each wait for events
    wake.start(5);
    while (!done() && !timer.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return done();
}

/// Runs the main event loop for a while, for checks that something does not happen.
inline void runEventLoopFor(std::chrono::milliseconds duration)
{
    runEventLoopUntil([] { return false; }, duration);
}

} // namespace foundation::test
