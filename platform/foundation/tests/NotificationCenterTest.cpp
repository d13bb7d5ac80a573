#include "platform/foundation/NotificationCenter.h"

#include <gtest/gtest.h>

#include <QObject>

#include <memory>
#include <vector>

namespace {

using foundation::Notification;
using foundation::NotificationCenter;

const QString becameKey = QStringLiteral("didBecomeKey");
const QString resignedKey = QStringLiteral("didResignKey");

TEST(NotificationCenterTest, DeliversByNameAndSender)
{
    NotificationCenter center;
    QObject observer, windowA, windowB;
    std::vector<std::pair<QString, const QObject*>> anySender, onlyA;
    center.addObserver(&observer, becameKey, nullptr,
                       [&](const Notification& n) { anySender.emplace_back(n.name, n.object); });
    center.addObserver(&observer, becameKey, &windowA,
                       [&](const Notification& n) { onlyA.emplace_back(n.name, n.object); });

    center.post(becameKey, &windowA);
    center.post(becameKey, &windowB);
    center.post(resignedKey, &windowA); // nobody listens to that name

    ASSERT_EQ(anySender.size(), 2u);
    EXPECT_EQ(anySender[0].second, &windowA);
    EXPECT_EQ(anySender[1].second, &windowB);
    ASSERT_EQ(onlyA.size(), 1u);
    EXPECT_EQ(onlyA[0].first, becameKey);
    EXPECT_EQ(onlyA[0].second, &windowA);
}

TEST(NotificationCenterTest, DestroyedObserverIsDroppedAndNeverCalled)
{
    NotificationCenter center;
    int calls = 0;
    auto observer = std::make_unique<QObject>();
    center.addObserver(observer.get(), becameKey, nullptr, [&](const Notification&) { ++calls; });
    center.addObserver(observer.get(), resignedKey, nullptr, [&](const Notification&) { ++calls; });
    QObject survivor;
    center.addObserver(&survivor, becameKey, nullptr, [&](const Notification&) { calls += 10; });
    ASSERT_EQ(center.registrationCount(), 3u);

    observer.reset();
    EXPECT_EQ(center.registrationCount(), 1u);
    center.post(becameKey);
    center.post(resignedKey);
    EXPECT_EQ(calls, 10);
}

TEST(NotificationCenterTest, RepeatedRegistrationDeliversEachTimeUntilRemoved)
{
    NotificationCenter center;
    QObject observer;
    int calls = 0;
    for (int i = 0; i < 3; ++i)
        center.addObserver(&observer, becameKey, nullptr, [&](const Notification&) { ++calls; });
    center.post(becameKey);
    EXPECT_EQ(calls, 3);

    center.removeObserver(&observer);
    center.post(becameKey);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(center.registrationCount(), 0u);

    // A fresh registration after removal still goes away with the observer.
    {
        QObject shortLived;
        center.addObserver(&shortLived, becameKey, nullptr, [&](const Notification&) { ++calls; });
    }
    EXPECT_EQ(center.registrationCount(), 0u);
}

TEST(NotificationCenterTest, HandlersMayRemoveAndAddDuringDelivery)
{
    NotificationCenter center;
    auto victim = std::make_unique<QObject>();
    QObject killer, adder;
    std::vector<QString> calls;
    center.addObserver(&killer, becameKey, nullptr, [&](const Notification&) {
        calls.push_back("killer");
        victim.reset(); // drops the victim's registration mid-delivery
    });
    center.addObserver(victim.get(), becameKey, nullptr, [&](const Notification&) { calls.push_back("victim"); });
    center.addObserver(&adder, becameKey, nullptr, [&](const Notification&) {
        calls.push_back("adder");
        center.addObserver(&adder, becameKey, nullptr, [&](const Notification&) { calls.push_back("late"); });
    });

    center.post(becameKey);
    EXPECT_EQ(calls, (std::vector<QString>{"killer", "adder"}));
    calls.clear();
    center.post(becameKey);
    EXPECT_EQ(calls, (std::vector<QString>{"killer", "adder", "late"}));
}

TEST(NotificationCenterTest, DestroyedSenderFilterMatchesNothing)
{
    NotificationCenter center;
    QObject observer;
    int calls = 0;
    auto window = std::make_unique<QObject>();
    center.addObserver(&observer, becameKey, window.get(), [&](const Notification&) { ++calls; });
    window.reset();
    center.post(becameKey, nullptr);
    center.post(becameKey);
    EXPECT_EQ(calls, 0);
}

TEST(NotificationCenterTest, DefaultCenterIsOneObject)
{
    EXPECT_EQ(&NotificationCenter::defaultCenter(), &NotificationCenter::defaultCenter());
}

} // namespace
