#include "Tarnkit/Components/UIEventThrottler.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <pthread.h>

namespace tarnkit {

namespace {

using Clock = std::chrono::steady_clock;

Clock::duration timerInterval(double seconds)
{
    const double kept = std::isnan(seconds) ? UIEventThrottler::minimumInterval
                                            : std::max(seconds, UIEventThrottler::minimumInterval);
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kept));
}

} // namespace

/// The timer thread and what it shares with the throttler, every field guarded by mutex. The
/// thread holds the Timer too, so a closure that destroys its throttler leaves the thread a
/// Timer to finish with.
struct UIEventThrottler::Timer {
    std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> work; // armed while set
    Clock::time_point deadline;
    Clock::duration period{};
    bool stopping = false;
    std::thread thread;

    void run()
    {
        pthread_setname_np(pthread_self(), "UIEventThrottle"); // 15 characters at most
        std::unique_lock lock(mutex);
        while (!stopping) {
            if (!work) {
                changed.wait(lock);
                continue;
            }
            if (Clock::now() < deadline) {
                changed.wait_until(lock, deadline);
                continue; // rearmed, cancelled or stopped meanwhile: look again
            }
            // Firings missed while a slow run went on are not made up: the next one is the
            // first due after now, on the schedule of the arming.
            do
                deadline += period;
            while (deadline <= Clock::now());
            std::function<void()> job = work; // throttle() may replace work while it runs
            lock.unlock();
            job();
            job = nullptr; // what it holds goes outside the lock, which its destructor may want
            lock.lock();
        }
    }
};

UIEventThrottler::UIEventThrottler(double interval) : interval_(interval) {}

UIEventThrottler::~UIEventThrottler()
{
    if (!timer_)
        return;
    {
        std::unique_lock lock(timer_->mutex);
        timer_->work = nullptr;
        timer_->stopping = true;
        timer_->changed.notify_all();
    }
    // A closure that destroys its throttler runs on the timer thread: that thread ends by
    // itself once the closure returns.
    if (timer_->thread.get_id() == std::this_thread::get_id())
        timer_->thread.detach();
    else
        timer_->thread.join();
}

void UIEventThrottler::throttle(std::function<void()> work)
{
    if (!timer_) {
        timer_ = std::make_shared<Timer>();
        timer_->thread = std::thread([timer = timer_] { timer->run(); });
    }
    const Clock::duration period = timerInterval(interval_);
    std::unique_lock lock(timer_->mutex);
    timer_->work = std::move(work);
    timer_->period = period;
    timer_->deadline = Clock::now() + period;
    timer_->changed.notify_all();
}

void UIEventThrottler::cancel()
{
    if (!timer_)
        return;
    std::unique_lock lock(timer_->mutex);
    timer_->work = nullptr;
    timer_->changed.notify_all();
}

bool UIEventThrottler::isArmed() const
{
    if (!timer_)
        return false;
    std::unique_lock lock(timer_->mutex);
    return bool(timer_->work);
}

} // namespace tarnkit
