#pragma once

#include <functional>
#include <memory>

namespace tarnkit {

/// Runs a closure a quiet interval after the last of a burst of calls: each throttle() call
/// replaces the closure of the call before and starts the interval again. Once the interval
/// has passed, the closure runs on the throttler's timer thread, and again every interval
/// after that, until the next throttle() or cancel(). The closure touches no view: it hands
/// such work to the main queue itself.
///
///     UIEventThrottler throttler(0.1);
///     field->onTextChanged([&](QString text) {
///         throttler.throttle([text] { foundation::mainQueue::async([text] { search(text); }); });
///     });
///
/// Cancelling is deterministic: once cancel() or throttle() returns, the earlier closure is
/// not started again (a run already under way finishes). Destroying the throttler cancels it
/// and waits for a run under way to end, so no closure runs after its owner is gone; a closure
/// must therefore not wait for the thread that destroys the throttler (it may destroy the
/// throttler itself).
///
/// Callers use one throttler from one thread at a time (any thread); the closure runs on the
/// timer thread, which the first throttle() starts and the destructor ends.
class UIEventThrottler {
public:
    /// The shortest interval the timer keeps: shorter ones (zero, negative or NaN included)
    /// are taken as this.
    static constexpr double minimumInterval = 0.001;

    explicit UIEventThrottler(double interval);
    ~UIEventThrottler();
    UIEventThrottler(const UIEventThrottler&) = delete;
    UIEventThrottler& operator=(const UIEventThrottler&) = delete;

    /// Seconds; read by each throttle() call when it arms the timer.
    double interval() const { return interval_; }
    void setInterval(double interval) { interval_ = interval; }

    /// Arms the timer for work, replacing whatever was armed.
    void throttle(std::function<void()> work);
    /// Disarms the timer; nothing armed, nothing to do.
    void cancel();
    /// Whether a closure is armed.
    bool isArmed() const;

private:
    struct Timer;

    double interval_;
    std::shared_ptr<Timer> timer_; // made by the first throttle()
};

} // namespace tarnkit
