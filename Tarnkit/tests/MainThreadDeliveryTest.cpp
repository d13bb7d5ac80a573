#include "Tarnkit/Components/ReceiveOnMainThread.h"
#include "Tarnkit/Components/UIEventThrottler.h"
#include "Tarnkit/Foundation/PassthroughSubject.h"

#include "platform/foundation/MainQueue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <cmath>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using tarnkit::Cancellable;
using tarnkit::PassthroughSubject;
using tarnkit::Publishers::ReceiveOnMainThread;
using tarnkit::UIEventThrottler;

// What the downstream heard, and whether all of it came on the main thread.
struct Heard {
    std::vector<int> values;
    int completions = 0;
    bool allOnMain = true;

    tarnkit::Subscriber<int> subscriber()
    {
        return {[this](const int& value) {
                    allOnMain = allOnMain && foundation::mainQueue::isMainThread();
                    values.push_back(value);
                },
                [this] {
                    allOnMain = allOnMain && foundation::mainQueue::isMainThread();
                    ++completions;
                }};
    }
};

void drainMainQueue()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

TEST(ReceiveOnMainThreadTest, DeliversOnTheMainThreadAtOnceWithoutAHop)
{
    PassthroughSubject<int> subject;
    Heard heard;
    Cancellable subscription = ReceiveOnMainThread(subject.publisher()).subscribe(heard.subscriber());
    subject.send(1);
    EXPECT_EQ(heard.values, std::vector<int>{1}) << "before send returned";
    subject.sendCompletion();
    EXPECT_EQ(heard.completions, 1);

    // Sent while the subscription is made (a finished subject tells its end at once): heard.
    PassthroughSubject<int> finished;
    finished.sendCompletion();
    Heard late;
    Cancellable lateSubscription = ReceiveOnMainThread(finished.publisher()).subscribe(late.subscriber());
    EXPECT_EQ(late.completions, 1);
}

TEST(ReceiveOnMainThreadTest, DeliversWhatAnotherThreadSendsLaterOnTheMainThreadInOrder)
{
    PassthroughSubject<int> subject;
    Heard heard;
    Cancellable subscription = ReceiveOnMainThread(subject.publisher()).subscribe(heard.subscriber());
    std::thread([&] {
        for (int value = 1; value <= 50; ++value)
            subject.send(value);
        subject.sendCompletion();
    }).join();
    EXPECT_TRUE(heard.values.empty()) << "queued, not delivered on the sending thread";
    drainMainQueue();
    std::vector<int> expected(50);
    for (int i = 0; i < 50; ++i)
        expected[std::size_t(i)] = i + 1;
    EXPECT_EQ(heard.values, expected);
    EXPECT_EQ(heard.completions, 1);
    EXPECT_TRUE(heard.allOnMain);
}

TEST(ReceiveOnMainThreadTest, DropsWhatArrivesBeforeTheSubscriptionIsStored)
{
    PassthroughSubject<int> subject;
    Heard heard;
    Cancellable subscription;
    // Subscribed from another thread: the subscription reaches the main thread later.
    std::thread([&] { subscription = ReceiveOnMainThread(subject.publisher()).subscribe(heard.subscriber()); }).join();
    subject.send(1); // on the main thread, before the subscription is stored there
    EXPECT_TRUE(heard.values.empty());
    drainMainQueue();
    subject.send(2);
    EXPECT_EQ(heard.values, std::vector<int>{2});
}

TEST(ReceiveOnMainThreadTest, AfterCancelNothingArrivesNotEvenWhatWasQueued)
{
    PassthroughSubject<int> subject;
    Heard heard;
    Cancellable subscription = ReceiveOnMainThread(subject.publisher()).subscribe(heard.subscriber());
    std::thread([&] {
        subject.send(1);
        subject.sendCompletion();
    }).join(); // both queued for the main thread
    subscription.cancel();
    drainMainQueue();
    EXPECT_TRUE(heard.values.empty());
    EXPECT_EQ(heard.completions, 0);

    PassthroughSubject<int> other;
    Heard stopped;
    Cancellable second = ReceiveOnMainThread(other.publisher()).subscribe(stopped.subscriber());
    EXPECT_EQ(other.subscriberCount(), 1u);
    second.cancel();
    EXPECT_EQ(other.subscriberCount(), 0u) << "the upstream is cancelled too";
    other.send(3);
    EXPECT_TRUE(stopped.values.empty());
}

TEST(ReceiveOnMainThreadTest, IsAPublisherForTheUsualOperators)
{
    PassthroughSubject<int> subject;
    std::vector<int> doubled;
    Cancellable subscription = ReceiveOnMainThread(subject.publisher()).publisher().map([](int v) { return 2 * v; }).sink(
        [&](const int& v) { doubled.push_back(v); });
    subject.send(4);
    EXPECT_EQ(doubled, std::vector<int>{8});
}

// ---- the throttler --------------------------------------------------------------------------

using Clock = std::chrono::steady_clock;

// Runs of throttled closures: which closure, and when.
struct Runs {
    std::mutex mutex;
    std::vector<std::pair<int, Clock::time_point>> runs;

    std::function<void()> closure(int id)
    {
        return [this, id] {
            std::lock_guard lock(mutex);
            runs.emplace_back(id, Clock::now());
        };
    }
    std::vector<std::pair<int, Clock::time_point>> snapshot()
    {
        std::lock_guard lock(mutex);
        return runs;
    }
};

double secondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

TEST(UIEventThrottlerTest, RunsOnlyTheLastClosureAQuietIntervalLaterThenRepeatsUntilCancelled)
{
    Runs runs;
    UIEventThrottler throttler(0.1);
    EXPECT_FALSE(throttler.isArmed());
    throttler.cancel(); // nothing armed: nothing to do
    for (int id = 1; id <= 3; ++id) {
        throttler.throttle(runs.closure(id));
        if (id < 3)
            std::this_thread::sleep_for(10ms);
    }
    const Clock::time_point lastCall = Clock::now();
    EXPECT_TRUE(throttler.isArmed());
    std::this_thread::sleep_for(350ms);
    throttler.cancel();
    EXPECT_FALSE(throttler.isArmed());
    const auto heard = runs.snapshot();

    ASSERT_GE(heard.size(), 2u) << "it repeats while armed";
    EXPECT_LE(heard.size(), 4u);
    for (const auto& [id, when] : heard)
        EXPECT_EQ(id, 3) << "the earlier closures were replaced";
    const double first = secondsBetween(lastCall, heard[0].second);
    EXPECT_GE(first, 0.095);
    EXPECT_LT(first, 0.25);
    for (std::size_t i = 1; i < heard.size(); ++i) {
        const double gap = secondsBetween(heard[i - 1].second, heard[i].second);
        EXPECT_GT(gap, 0.05);
        EXPECT_LT(gap, 0.2);
    }

    std::this_thread::sleep_for(250ms);
    EXPECT_EQ(runs.snapshot().size(), heard.size()) << "nothing after cancel()";
}

TEST(UIEventThrottlerTest, KeepsAnIntervalOfAtLeastAMillisecond)
{
    for (const double interval : {0.0, -1.0, std::nan("")}) {
        std::atomic<int> runs{0};
        UIEventThrottler throttler(interval);
        const auto armed = std::chrono::steady_clock::now();
        throttler.throttle([&] { ++runs; });
        // A loaded machine may start the timer thread late: wait for the first run, then let
        // it repeat a while. At one run a millisecond, the count cannot pass the time taken.
        for (int waited = 0; runs.load() == 0 && waited < 2000; ++waited)
            std::this_thread::sleep_for(1ms);
        std::this_thread::sleep_for(50ms);
        throttler.cancel();
        const auto elapsedMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - armed).count();
        EXPECT_GE(runs.load(), 1) << interval;
        EXPECT_LE(runs.load(), elapsedMs + 1) << interval << ": no busy loop";
    }
}

TEST(UIEventThrottlerTest, DestroyingItStopsItAndWaitsForARunUnderWay)
{
    std::atomic<int> started{0};
    std::atomic<bool> inRun{false};
    std::atomic<bool> ownerGone{false};
    std::atomic<bool> ranAfterOwnerGone{false};
    {
        UIEventThrottler throttler(0.01);
        throttler.throttle([&] {
            if (ownerGone.load())
                ranAfterOwnerGone.store(true);
            inRun.store(true);
            ++started;
            std::this_thread::sleep_for(30ms);
            inRun.store(false);
        });
        while (started.load() == 0)
            std::this_thread::sleep_for(1ms);
    } // destroyed, most likely during a run
    EXPECT_FALSE(inRun.load()) << "the run under way ended before the destructor returned";
    ownerGone.store(true);
    const int runsAtDestruction = started.load();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(started.load(), runsAtDestruction);
    EXPECT_FALSE(ranAfterOwnerGone.load());
}

TEST(UIEventThrottlerTest, AClosureMayDestroyItsThrottler)
{
    auto throttler = std::make_unique<UIEventThrottler>(0.01);
    std::promise<void> destroyed;
    throttler->throttle([&] {
        throttler.reset();
        destroyed.set_value();
    });
    ASSERT_EQ(destroyed.get_future().wait_for(2s), std::future_status::ready);
    EXPECT_EQ(throttler, nullptr);
}

} // namespace
