#include "platform/foundation/RepeatingTimer.h"

#include "platform/foundation/tests/EventLoopWait.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace foundation {
namespace {

using test::runEventLoopFor;
using test::runEventLoopUntil;

std::vector<std::int64_t> delays(double interval, std::uint64_t count)
{
    std::vector<std::int64_t> result;
    std::int64_t before = 0;
    for (std::uint64_t firing = 1; firing <= count; ++firing) {
        const std::int64_t due = RepeatingTimer::scheduledMilliseconds(interval, firing);
        result.push_back(due - before);
        before = due;
    }
    return result;
}

TEST(RepeatingTimerSchedule, SixtyHertzAlternatesWholeMillisecondsWithoutDrift)
{
    const double sixtieth = 1.0 / 60.0;
    const std::vector<std::int64_t> pattern{17, 17, 16, 17, 17, 16, 17, 17, 16};
    EXPECT_EQ(delays(sixtieth, pattern.size()), pattern);
    EXPECT_EQ(RepeatingTimer::scheduledMilliseconds(sixtieth, 60), 1000);
    EXPECT_EQ(RepeatingTimer::scheduledMilliseconds(sixtieth, 3600), 60000);
    EXPECT_EQ(RepeatingTimer::scheduledMilliseconds(sixtieth, 216000), 3600000) << "an hour later, still on time";
    for (std::int64_t delay : delays(sixtieth, 600))
        EXPECT_TRUE(delay == 16 || delay == 17) << delay;
}

TEST(RepeatingTimerSchedule, OtherIntervals)
{
    struct Case {
        double interval;
        std::vector<std::int64_t> delays;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Case> cases{
        {0.5, {500, 500, 500}},
        {0.02, {20, 20, 20}},
        {0.0105, {11, 10, 11, 10}},       // never early: 10.5 -> 11, 21, 31.5 -> 32, 42
        {1.0 / 30.0, {34, 33, 33, 34}},   // 33.3, 66.7, 100, 133.3 rounded up
        {0.0, {1, 1, 1}},                 // below a millisecond: one millisecond
        {-1.0, {1, 1, 1}},
        {nan, {1, 1, 1}},
        {0.0004, {1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        EXPECT_EQ(delays(c.interval, c.delays.size()), c.delays);
    }
}

TEST(RepeatingTimerSchedule, ALateLoopSkipsTheFiringsItMissed)
{
    const double sixtieth = 1.0 / 60.0;
    struct Case {
        std::int64_t elapsed;
        std::uint64_t next;
    };
    const std::vector<Case> cases{
        {-3, 1}, {0, 1}, {16, 1}, {17, 2}, {33, 2}, {34, 3}, {49, 3}, {50, 4}, {999, 60}, {1000, 61}, {1001, 61},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.elapsed);
        const std::uint64_t next = RepeatingTimer::nextFiring(sixtieth, c.elapsed);
        EXPECT_EQ(next, c.next);
        EXPECT_GT(RepeatingTimer::scheduledMilliseconds(sixtieth, next), c.elapsed);
    }
}

TEST(RepeatingTimer, FiresAgainAndAgainUntilInvalidated)
{
    int firings = 0;
    auto owned = std::make_shared<int>(0);
    const std::weak_ptr<int> watch = owned;
    RepeatingTimer timer(0.005, [&firings, owned] { ++firings; });
    owned.reset();
    EXPECT_TRUE(timer.isValid());
    EXPECT_DOUBLE_EQ(timer.interval(), 0.005);
    EXPECT_EQ(firings, 0) << "the first firing is one interval away";
    ASSERT_TRUE(runEventLoopUntil([&] { return firings >= 3; }));

    timer.invalidate();
    EXPECT_FALSE(timer.isValid());
    EXPECT_TRUE(watch.expired()) << "invalidating releases the action";
    const int atInvalidation = firings;
    runEventLoopFor(std::chrono::milliseconds(60));
    EXPECT_EQ(firings, atInvalidation);
    timer.invalidate(); // harmless
}

TEST(RepeatingTimer, KeepsFiringInsideANestedEventLoop)
{
    int firings = 0;
    RepeatingTimer timer(0.005, [&] { ++firings; });
    bool nestedSawFirings = false;
    QTimer::singleShot(0, [&] {
        // What a modal dialog, an open menu or a drag does: run a loop of its own.
        QEventLoop nested;
        const int before = firings;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &nested, [&] {
            if (firings >= before + 3)
                nested.quit();
        });
        check.start(1);
        QTimer::singleShot(20000, &nested, &QEventLoop::quit); // a broken run must still end
        nested.exec();
        nestedSawFirings = firings >= before + 3;
    });
    ASSERT_TRUE(runEventLoopUntil([&] { return nestedSawFirings; }));
}

TEST(RepeatingTimer, ActionIsNeverEnteredTwice)
{
    int depth = 0;
    int deepest = 0;
    int firings = 0;
    RepeatingTimer timer(0.002, [&] {
        ++firings;
        ++depth;
        deepest = std::max(deepest, depth);
        if (firings == 1)
            runEventLoopFor(std::chrono::milliseconds(30)); // fifteen intervals inside the action
        --depth;
    });
    ASSERT_TRUE(runEventLoopUntil([&] { return firings >= 3; }));
    EXPECT_EQ(deepest, 1);
}

TEST(RepeatingTimer, ADestroyedTimerStops)
{
    int firings = 0;
    auto timer = std::make_unique<RepeatingTimer>(0.002, [&] { ++firings; });
    ASSERT_TRUE(runEventLoopUntil([&] { return firings >= 1; }));
    timer.reset();
    const int atDestruction = firings;
    runEventLoopFor(std::chrono::milliseconds(40));
    EXPECT_EQ(firings, atDestruction);
}

TEST(RepeatingTimer, TheActionMayInvalidateOrDestroyItsTimer)
{
    int invalidatingFirings = 0;
    std::unique_ptr<RepeatingTimer> invalidating;
    invalidating = std::make_unique<RepeatingTimer>(0.002, [&] {
        ++invalidatingFirings;
        invalidating->invalidate();
    });
    int destroyingFirings = 0;
    std::unique_ptr<RepeatingTimer> destroying;
    destroying = std::make_unique<RepeatingTimer>(0.002, [&] {
        ++destroyingFirings;
        destroying.reset();
    });
    ASSERT_TRUE(runEventLoopUntil([&] { return invalidatingFirings == 1 && destroyingFirings == 1; }));
    runEventLoopFor(std::chrono::milliseconds(30));
    EXPECT_EQ(invalidatingFirings, 1);
    EXPECT_FALSE(invalidating->isValid());
    EXPECT_EQ(destroyingFirings, 1);
    EXPECT_EQ(destroying, nullptr);
}

} // namespace
} // namespace foundation
