#include "TestUnit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace au {
namespace {

TEST(AudioUnit, RendersOnlyWhileAllocated)
{
    test::TestUnit unit;
    EXPECT_FALSE(unit.renderResourcesAllocated());
    EXPECT_EQ(test::renderOnce(unit), status::uninitialized);
    EXPECT_EQ(unit.renders, 0) << "the effect's block is not reached";

    unit.allocateRenderResources();
    EXPECT_TRUE(unit.renderResourcesAllocated());
    EXPECT_EQ(test::renderOnce(unit), status::ok);
    EXPECT_EQ(test::renderOnce(unit), status::ok);
    EXPECT_EQ(unit.renders, 2);

    unit.deallocateRenderResources();
    EXPECT_EQ(unit.deallocations, 1);
    EXPECT_EQ(test::renderOnce(unit), status::uninitialized);
    EXPECT_EQ(unit.renders, 2);
    unit.deallocateRenderResources();
    EXPECT_EQ(unit.deallocations, 1) << "deallocating twice is harmless";
}

TEST(AudioUnit, ReallocationDeallocatesFirstAndFetchesTheBlockOnce)
{
    test::TestUnit unit;
    unit.allocateRenderResources();
    unit.allocateRenderResources();
    EXPECT_EQ(unit.allocations, 2);
    EXPECT_EQ(unit.deallocations, 1);
    EXPECT_EQ(unit.blocksHandedOut, 1);
    EXPECT_EQ(test::renderOnce(unit), status::ok);
}

TEST(AudioUnit, FailedAllocationLeavesTheUnitDeallocated)
{
    test::TestUnit unit;
    unit.failAllocation = true;
    EXPECT_THROW(unit.allocateRenderResources(), Error);
    EXPECT_FALSE(unit.renderResourcesAllocated());
    EXPECT_EQ(test::renderOnce(unit), status::uninitialized);
    unit.inputBusses()[0].setFormat(AudioFormat::standard(48000.0, 2)); // still configurable

    unit.failAllocation = false;
    unit.allocateRenderResources();
    EXPECT_EQ(test::renderOnce(unit), status::ok);
}

TEST(AudioUnit, DeallocationWaitsForTheRenderCallInside)
{
    test::TestUnit unit;
    std::atomic<bool> inside{false};
    std::atomic<bool> release{false};
    std::atomic<bool> deallocated{false};
    unit.insideRender = [&] {
        inside = true;
        while (!release)
            std::this_thread::yield();
        // Deallocation has not run while this call is inside.
        EXPECT_FALSE(deallocated.load());
        EXPECT_EQ(unit.deallocations, 0);
    };
    unit.allocateRenderResources();

    std::thread renderThread([&] { EXPECT_EQ(test::renderOnce(unit), status::ok); });
    while (!inside)
        std::this_thread::yield();
    std::thread configureThread([&] {
        unit.deallocateRenderResources();
        deallocated = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(deallocated.load()) << "deallocation returned while a render call was inside";
    release = true;
    renderThread.join();
    configureThread.join();
    EXPECT_TRUE(deallocated.load());
    EXPECT_EQ(unit.deallocations, 1);
}

TEST(AudioUnit, BaseDefaultsForLimitsBypassAndTree)
{
    test::TestUnit unit;
    EXPECT_EQ(unit.componentDescription().componentSubType, fourCharCode("test"));
    EXPECT_EQ(unit.latency(), 0.0);
    EXPECT_TRUE(unit.channelCapabilities().empty());
    unit.setMaximumFramesToRender(4096);
    EXPECT_EQ(unit.maximumFramesToRender(), 4096u);
    unit.setShouldBypassEffect(true);
    EXPECT_TRUE(unit.shouldBypassEffect());
    EXPECT_EQ(unit.parameterTree(), nullptr);
}

} // namespace
} // namespace au
