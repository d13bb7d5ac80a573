#include "platform/audiounit/FunctionRef.h"
#include "platform/audiounit/HostTime.h"
#include "platform/audiounit/ScopedFlushToZero.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace au {
namespace {

TEST(FunctionRef, CallsTheCallableItRefersToAndMayBeEmpty)
{
    FunctionRef<int(int)> empty;
    EXPECT_FALSE(empty);
    FunctionRef<int(int)> null = nullptr;
    EXPECT_FALSE(null);

    int calls = 0;
    auto addCalls = [&calls](int x) { return x + ++calls; };
    FunctionRef<int(int)> ref = addCalls;
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref(10), 11);
    EXPECT_EQ(ref(10), 12);
    EXPECT_EQ(calls, 2) << "refers to the lambda, does not copy it";

    const FunctionRef<int(int)> copy = ref;
    EXPECT_EQ(copy(0), 3);
}

TEST(HostTime, MonotonicNanoseconds)
{
    const std::uint64_t before = currentHostTime();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const std::uint64_t after = currentHostTime();
    EXPECT_GE(after - before, 5'000'000u);
    EXPECT_LT(after - before, 5'000'000'000u);
    EXPECT_EQ(hostTimeTicksPerSecond, 1e9);
}

#if defined(__x86_64__) || defined(__aarch64__)
TEST(ScopedFlushToZero, FlushesDenormalsInsideAndRestoresTheModeAfter)
{
    volatile float tiny = 1e-38f;
    volatile float scale = 1e-3f;
    ASSERT_FALSE(ScopedFlushToZero::isActive()) << "test threads start in the default mode";
    EXPECT_NE(tiny * scale, 0.0f) << "outside: a denormal result";
    {
        const ScopedFlushToZero outer;
        EXPECT_TRUE(ScopedFlushToZero::isActive());
        EXPECT_EQ(tiny * scale, 0.0f);
        {
            const ScopedFlushToZero inner;
            EXPECT_TRUE(ScopedFlushToZero::isActive());
        }
        EXPECT_TRUE(ScopedFlushToZero::isActive()) << "the inner scope restores the outer's mode";
    }
    EXPECT_FALSE(ScopedFlushToZero::isActive());
    EXPECT_NE(tiny * scale, 0.0f);
}
#endif

} // namespace
} // namespace au
