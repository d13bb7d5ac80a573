#include "platform/foundation/RepeatingTimer.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace foundation {

namespace {

constexpr std::string_view source = "platform/foundation/RepeatingTimer";

double intervalMilliseconds(double intervalSeconds)
{
    const double milliseconds = intervalSeconds * 1000.0;
    return milliseconds >= 1.0 ? milliseconds : 1.0; // NaN too
}

// Rounding the products of a decimal interval must not push an exact millisecond up to the
// next one (3 x 16.666... ms is 50 ms, not 50.000000000000007 rounded up to 51).
constexpr double roundingSlack = 1e-6;

} // namespace

RepeatingTimer::RepeatingTimer(double intervalSeconds, std::function<void()> action)
    : intervalSeconds_(intervalMilliseconds(intervalSeconds) / 1000.0)
    , action_(std::make_shared<const std::function<void()>>(std::move(action)))
{
    if (!QCoreApplication::instance())
        fatalError("RepeatingTimer needs a QCoreApplication: without its event loop it would never fire", source,
                   __LINE__);
    if (!mainQueue::isMainThread())
        fatalError("RepeatingTimer made off the main thread", source, __LINE__);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
    clock_.start();
    scheduleNext();
}

RepeatingTimer::~RepeatingTimer()
{
    invalidate();
}

void RepeatingTimer::invalidate()
{
    valid_ = false;
    timer_.stop();
    action_.reset();
}

std::int64_t RepeatingTimer::scheduledMilliseconds(double intervalSeconds, std::uint64_t firing)
{
    const double due = static_cast<double>(firing) * intervalMilliseconds(intervalSeconds);
    return static_cast<std::int64_t>(std::ceil(due - roundingSlack));
}

std::uint64_t RepeatingTimer::nextFiring(double intervalSeconds, std::int64_t elapsedMilliseconds)
{
    if (elapsedMilliseconds < 0)
        return 1;
    // An estimate from the quotient, then corrected against the exact schedule.
    auto firing = static_cast<std::uint64_t>(static_cast<double>(elapsedMilliseconds) /
                                             intervalMilliseconds(intervalSeconds));
    firing = std::max<std::uint64_t>(firing, 2) - 1;
    while (scheduledMilliseconds(intervalSeconds, firing) <= elapsedMilliseconds)
        ++firing;
    while (firing > 1 && scheduledMilliseconds(intervalSeconds, firing - 1) > elapsedMilliseconds)
        --firing;
    return firing;
}

void RepeatingTimer::scheduleNext()
{
    const std::int64_t delay = scheduledMilliseconds(intervalSeconds_, nextFiring_) - clock_.elapsed();
    timer_.start(static_cast<int>(std::clamp<std::int64_t>(delay, 0, std::numeric_limits<int>::max())));
}

void RepeatingTimer::fire()
{
    if (!valid_)
        return;
    // Both survive the action even if it invalidates or destroys the timer.
    const auto action = action_;
    const std::weak_ptr<char> alive = alive_;
    if (*action)
        (*action)();
    if (alive.expired() || !valid_)
        return;
    // The clock reads whole milliseconds, so a firing on time may read as just before its due
    // time: never take the same firing twice.
    nextFiring_ = std::max(nextFiring_ + 1, nextFiring(intervalSeconds_, clock_.elapsed()));
    scheduleNext();
}

} // namespace foundation
