#include "Tarnkit/Foundation/PassthroughSubject.h"
#include "Tarnkit/Foundation/Publisher.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using tarnkit::Cancellable;
using tarnkit::CancellableSet;
using tarnkit::PassthroughSubject;

// Runs the event loop until condition holds or a second has passed.
template <typename Condition>
bool processUntil(Condition condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

TEST(PassthroughSubject, DeliversToEachSubscriberInOrderUntilCancelled)
{
    PassthroughSubject<int> subject;
    std::vector<std::pair<char, int>> heard; // (subscriber, value)
    Cancellable first = subject.sink([&](const int& v) { heard.emplace_back('a', v); });
    Cancellable second = subject.sink([&](const int& v) { heard.emplace_back('b', v); });
    subject.send(1);
    first.cancel();
    subject.send(2);
    EXPECT_EQ(heard, (std::vector<std::pair<char, int>>{{'a', 1}, {'b', 1}, {'b', 2}}));
    EXPECT_EQ(subject.subscriberCount(), 1u);
    {
        Cancellable dropped = std::move(second);
    } // destroyed: cancelled
    subject.send(3);
    EXPECT_EQ(heard.size(), 3u);
    EXPECT_EQ(subject.subscriberCount(), 0u);
}

TEST(PassthroughSubject, ASubscriberCancelledDuringADeliveryHearsNothingMore)
{
    PassthroughSubject<int> subject;
    std::vector<int> second;
    Cancellable secondSubscription;
    Cancellable first = subject.sink([&](const int&) { secondSubscription.cancel(); });
    secondSubscription = subject.sink([&](const int& v) { second.push_back(v); });
    subject.send(1);
    EXPECT_TRUE(second.empty());
}

TEST(PassthroughSubject, ASubscriberMayDestroyTheSubject)
{
    auto subject = std::make_unique<PassthroughSubject<int>>();
    int later = 0;
    Cancellable first = subject->sink([&](const int&) { subject.reset(); });
    Cancellable second = subject->sink([&](const int&) { ++later; });
    subject->send(1); // must not touch freed memory (run under a sanitizer to see it otherwise)
    EXPECT_EQ(subject, nullptr);
    EXPECT_EQ(later, 1);
}

TEST(PassthroughSubject, FinishesOnceAndTellsLateSubscribersAtOnce)
{
    PassthroughSubject<int> subject;
    std::vector<int> values;
    int completions = 0;
    Cancellable c = subject.sink([&](const int& v) { values.push_back(v); }, [&] { ++completions; });
    subject.send(1);
    subject.sendCompletion();
    subject.sendCompletion();
    subject.send(2);
    EXPECT_EQ(values, std::vector<int>{1});
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(subject.isFinished());
    EXPECT_EQ(subject.subscriberCount(), 0u);

    int lateCompletions = 0;
    Cancellable late = subject.sink([](const int&) { FAIL() << "a finished subject sent a value"; },
                                    [&] { ++lateCompletions; });
    EXPECT_EQ(lateCompletions, 1);
}

TEST(PassthroughSubject, CancellablesKeptInASetLiveAsLongAsTheSet)
{
    PassthroughSubject<int> subject;
    int heard = 0;
    {
        CancellableSet set;
        subject.sink([&](const int&) { ++heard; }).store(set);
        subject.send(1);
        EXPECT_EQ(heard, 1);
    }
    subject.send(2);
    EXPECT_EQ(heard, 1);
}

TEST(Publisher, MapsAndDropsValues)
{
    PassthroughSubject<int> subject;
    std::vector<std::string> heard;
    Cancellable c = subject.publisher()
                        .compactMap([](const int& v) { return v % 2 == 0 ? std::optional<int>(v) : std::nullopt; })
                        .map([](const int& v) { return std::to_string(v * 10); })
                        .sink([&](const std::string& s) { heard.push_back(s); });
    for (int v : {1, 2, 3, 4})
        subject.send(v);
    EXPECT_EQ(heard, (std::vector<std::string>{"20", "40"}));
    c.cancel();
    EXPECT_EQ(subject.subscriberCount(), 0u); // cancelling the end cancels the whole chain
}

TEST(Publisher, DropsASubscriberWhoseContextIsDestroyed)
{
    PassthroughSubject<int> subject;
    auto context = std::make_unique<QObject>();
    int heard = 0;
    Cancellable c = subject.sink(context.get(), [&](const int&) { ++heard; });
    subject.send(1);
    context.reset();
    EXPECT_EQ(subject.subscriberCount(), 0u); // dropped when the observer went
    subject.send(2);
    EXPECT_EQ(heard, 1);
    c.cancel(); // after the context: harmless
}

TEST(Publisher, ReceiveOnMainDeliversOnTheMainThreadInOrder)
{
    PassthroughSubject<int> subject;
    std::vector<int> heard;
    bool allOnMain = true;
    bool finished = false;
    const auto mainThread = std::this_thread::get_id();
    Cancellable c = subject.publisher().receiveOnMain().sink(
        [&](const int& v) {
            heard.push_back(v);
            allOnMain = allOnMain && std::this_thread::get_id() == mainThread;
        },
        [&] { finished = true; });
    std::thread worker([&] {
        for (int v = 0; v < 100; ++v)
            subject.send(v);
        subject.sendCompletion();
    });
    worker.join();
    EXPECT_TRUE(heard.empty()); // nothing runs before the main queue does
    ASSERT_TRUE(processUntil([&] { return finished; }));
    ASSERT_EQ(heard.size(), 100u);
    for (int v = 0; v < 100; ++v)
        EXPECT_EQ(heard[std::size_t(v)], v);
    EXPECT_TRUE(allOnMain);
}

TEST(Publisher, ReceiveOnMainDropsWhatIsQueuedForACancelledSubscriber)
{
    PassthroughSubject<int> subject;
    int heard = 0;
    Cancellable c = subject.publisher().receiveOnMain().sink([&](const int&) { ++heard; });
    subject.send(1); // queued
    c.cancel();
    bool drained = false;
    foundation::mainQueue::async([&] { drained = true; });
    ASSERT_TRUE(processUntil([&] { return drained; }));
    EXPECT_EQ(heard, 0);
}

} // namespace
