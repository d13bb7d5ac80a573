#include "platform/foundation/Observation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace foundation {
namespace {

TEST(Observed, NotifiesOnlyWhenTheValueReallyChanges)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float before;
        float after;
        bool notified;
    };
    const std::vector<Case> cases{
        {1.0f, 1.0f, false}, {1.0f, 2.0f, true}, {0.0f, -0.0f, false}, // equal values store silently
        {1.0f, nan, true},   {nan, nan, true},   {nan, 1.0f, true},    // NaN equals nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.before) + " -> " + std::to_string(c.after));
        Observed<float> property(c.before);
        std::vector<float> heard;
        const auto token = property.observe([&](const float& value) { heard.push_back(value); });
        EXPECT_EQ(property.set(c.after), c.notified);
        ASSERT_EQ(heard.size(), c.notified ? 1u : 0u);
        if (c.notified) {
            EXPECT_TRUE(heard[0] == c.after || (std::isnan(heard[0]) && std::isnan(c.after)))
                << "observers hear the new, stored value";
        }
        EXPECT_EQ(std::signbit(property.get()), std::signbit(c.after)) << "an equal value is still stored";
    }
}

TEST(Observed, ObserversRunInOrderUntilTheirTokensEnd)
{
    Observed<std::string> name("a");
    std::vector<std::string> heard;
    auto first = name.observe([&](const std::string& v) { heard.push_back("first " + v); });
    auto second = name.observe([&](const std::string& v) { heard.push_back("second " + v); });
    {
        const auto scoped = name.observe([&](const std::string& v) { heard.push_back("scoped " + v); });
        name.set("b");
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"first b", "second b", "scoped b"}));

    heard.clear();
    first.cancel();
    EXPECT_FALSE(first.isActive());
    EXPECT_TRUE(second.isActive());
    name.set("c");
    EXPECT_EQ(heard, (std::vector<std::string>{"second c"}));

    heard.clear();
    ObservationToken moved = std::move(second);
    name.set("d");
    EXPECT_EQ(heard, (std::vector<std::string>{"second d"})) << "a moved token keeps the subscription";
    moved = ObservationToken();
    name.set("e");
    EXPECT_EQ(heard, (std::vector<std::string>{"second d"})) << "replacing a token ends its subscription";
}

TEST(Observed, ChangesToTheObserversDuringANotification)
{
    Observed<int> count(0);
    std::vector<std::string> heard;
    ObservationToken later;
    ObservationToken added;
    auto canceller = count.observe([&](const int&) {
        heard.push_back("canceller");
        later.cancel(); // not called for this change any more
        if (!added.isActive())
            added = count.observe([&](const int& v) { heard.push_back("added " + std::to_string(v)); });
    });
    later = count.observe([&](const int&) { heard.push_back("later"); });
    count.set(1);
    EXPECT_EQ(heard, (std::vector<std::string>{"canceller"})) << "an observer added now hears later changes";
    heard.clear();
    count.set(2);
    EXPECT_EQ(heard, (std::vector<std::string>{"canceller", "added 2"}));
}

TEST(Observed, APropertyMayBeDestroyedByItsOwnObserver)
{
    auto property = std::make_unique<Observed<int>>(0);
    int calls = 0;
    auto destroyer = property->observe([&](const int&) {
        ++calls;
        property.reset();
    });
    auto after = property->observe([&](const int&) { ++calls; });
    property->set(1);
    EXPECT_EQ(property, nullptr);
    EXPECT_EQ(calls, 1) << "the observers of a property that is gone are not called";
    destroyer.cancel(); // its property is gone: harmless
    EXPECT_FALSE(destroyer.isActive());
}

// What a view does: draw while tracking, redraw when told.
class Tracking : public ::testing::Test {
protected:
    Observed<float> level{0.0f};
    Observed<bool> enabled{true};
    Observed<int> unread{0};
    int changes = 0;

    ObservationToken draw()
    {
        return withObservationTracking([&] { (void)level.get(), (void)enabled.get(); }, [&] { ++changes; });
    }
};

TEST_F(Tracking, OnChangeRunsOnceOnTheFirstChangeOfWhatWasRead)
{
    struct Case {
        const char* what;
        std::function<void()> change;
        int changes;
    };
    const std::vector<Case> cases{
        {"an unread property", [&] { unread.set(5); }, 0},
        {"an equal value", [&] { level.set(0.0f); }, 0},
        {"a read property", [&] { level.set(0.5f); }, 1},
        {"the other read property", [&] { enabled.set(false); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        changes = 0;
        level.set(0.0f);
        enabled.set(true);
        auto token = draw();
        EXPECT_TRUE(token.isActive());
        c.change();
        EXPECT_EQ(changes, c.changes);
        EXPECT_EQ(token.isActive(), c.changes == 0);
        level.set(0.25f);
        enabled.set(false);
        EXPECT_EQ(changes, 1) << "once only: the view tracks again when it draws again";
        EXPECT_FALSE(token.isActive());
    }
}

TEST_F(Tracking, ACancelledOrDestroyedTrackingIsNeverCalled)
{
    {
        const auto token = draw();
    }
    auto cancelled = draw();
    cancelled.cancel();
    level.set(1.0f);
    EXPECT_EQ(changes, 0);
}

TEST_F(Tracking, ReadingNothingGivesATokenThatNeverFires)
{
    auto token = withObservationTracking([] {}, [&] { ++changes; });
    level.set(1.0f);
    EXPECT_EQ(changes, 0);
}

TEST_F(Tracking, NestedScopesCountForTheEnclosingOne)
{
    int innerChanges = 0;
    ObservationToken inner;
    auto outer = withObservationTracking(
        [&] {
            (void)level.get();
            inner = withObservationTracking([&] { (void)unread.get(); }, [&] { ++innerChanges; });
        },
        [&] { ++changes; });
    unread.set(1);
    EXPECT_EQ(innerChanges, 1);
    EXPECT_EQ(changes, 1) << "the enclosing view drew the child too";
    enabled.set(false);
    EXPECT_EQ(changes, 1);
}

TEST_F(Tracking, ReadsAfterTheScopeAreNotTracked)
{
    auto token = withObservationTracking([&] { (void)level.get(); }, [&] { ++changes; });
    (void)unread.get();
    unread.set(3);
    EXPECT_EQ(changes, 0);
    level.set(2.0f);
    EXPECT_EQ(changes, 1);
}

TEST(ObservationRegistrar, HandWrittenPropertiesTrackLikeObservedOnes)
{
    // A model with a derived getter that registers the read of what it derives from.
    struct Model {
        ObservationRegistrar registrar;
        int stored = 0;
        int doubled() const
        {
            registrar.access();
            return stored * 2;
        }
        void set(int value)
        {
            stored = value;
            registrar.didChange();
        }
    } model;
    int changes = 0;
    int direct = 0;
    auto tracking = withObservationTracking([&] { (void)model.doubled(); }, [&] { ++changes; });
    auto observer = model.registrar.addObserver([&] { ++direct; });
    model.set(1);
    model.set(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(direct, 2);
}

TEST(ObservationDeathTest, ASetOffTheMainThreadStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Observed<int> property(0);
    EXPECT_DEATH(std::thread([&] { property.set(1); }).join(), "off the main thread");
}

} // namespace
} // namespace foundation
