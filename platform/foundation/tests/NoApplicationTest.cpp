// The main queue and timers in a process that has no QCoreApplication (this test program makes
// none): what works and what stops with a clear message instead of hanging or losing work.

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/RepeatingTimer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <thread>

namespace foundation {
namespace {

TEST(WithoutApplication, TheFirstThreadIsTheMainThread)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_TRUE(mainQueue::isMainThread());
    bool onWorker = true;
    std::thread([&] { onWorker = mainQueue::isMainThread(); }).join();
    EXPECT_FALSE(onWorker);
}

TEST(WithoutApplication, SyncOnTheMainThreadRunsInline)
{
    int ran = 0;
    mainQueue::sync([&] { ++ran; });
    EXPECT_EQ(ran, 1);
}

TEST(WithoutApplicationDeathTest, WhatCouldNeverRunStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(mainQueue::async([] {}), "mainQueue::async needs a QCoreApplication");
    EXPECT_DEATH(std::thread([] { mainQueue::sync([] {}); }).join(),
                 "mainQueue::sync called off the main thread with no QCoreApplication");
    EXPECT_DEATH(RepeatingTimer(0.1, [] {}), "RepeatingTimer needs a QCoreApplication");
}

} // namespace
} // namespace foundation
