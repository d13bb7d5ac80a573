#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

namespace foundation {

/// A repeating timer on the main thread that keeps firing while nested event loops run (a
/// drag, an open menu, a modal dialog), such as a 60 Hz poll of the render side.
///
/// Qt's timers count whole milliseconds, so a fixed 16 ms would give 62.5 Hz. The timer
/// keeps to a schedule instead: firing n is due at scheduledMilliseconds(interval, n) after the
/// start, which for 1/60 s gives the delays 17, 17, 16 ms over and over, 60 firings a second
/// on average without drift. A firing that comes late does not bunch up the next ones:
/// firings whose time passed while the loop was busy are skipped, as if one firing stood
/// for all of them.
///
/// The action never runs inside itself: a nested event loop started by the action does not
/// fire this timer again until the action returns. The action may invalidate or destroy the
/// timer.
///
/// Main thread only, with a QCoreApplication (without one the timer could never fire: a fatal
/// error, like a timer made on another thread).
class RepeatingTimer {
public:
    /// Starts at once; the first firing comes one interval later. Intervals below 1 ms (zero,
    /// negative or NaN included) are taken as 1 ms.
    RepeatingTimer(double intervalSeconds, std::function<void()> action);
    /// Stops it.
    ~RepeatingTimer();
    RepeatingTimer(const RepeatingTimer&) = delete;
    RepeatingTimer& operator=(const RepeatingTimer&) = delete;

    /// Stops it for good and releases the action. Harmless when already invalid.
    void invalidate();
    bool isValid() const { return valid_; }
    double interval() const { return intervalSeconds_; }

    /// The schedule, as pure functions. Firing n (counted from 1) is due this many
    /// milliseconds after the start: n intervals rounded up to a whole millisecond, so a
    /// firing is never early.
    static std::int64_t scheduledMilliseconds(double intervalSeconds, std::uint64_t firing);
    /// The first firing due later than elapsedMilliseconds after the start.
    static std::uint64_t nextFiring(double intervalSeconds, std::int64_t elapsedMilliseconds);

private:
    void fire();
    void scheduleNext();

    double intervalSeconds_;
    std::shared_ptr<const std::function<void()>> action_; // held by a firing while it runs
    bool valid_ = true;
    std::uint64_t nextFiring_ = 1;
    QElapsedTimer clock_;
    QTimer timer_;
    std::shared_ptr<char> alive_ = std::make_shared<char>(); // tells a firing the timer survived its action
};

} // namespace foundation
