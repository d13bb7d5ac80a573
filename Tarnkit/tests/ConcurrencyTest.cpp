#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/Foundation/TKColorsAK.h"
#include "Tarnkit/Foundation/TKImagesAK.h"
#include "Tarnkit/Foundation/resource_bundle_accessor.h"

#include <gtest/gtest.h>


#include <barrier>
#include <thread>
#include <vector>

namespace {

using namespace tarnkit;

// What one reader saw: the address of every shared value it read.
std::vector<const void*> readEverything()
{
    return {
        &moduleBundle(),
        &resourceBundle(),
        &ColorResource::highlightSystem(),
        &ImageResource::tkuiSliderHandle(),
        TKColorsAK::Background::normal().get(),
        TKColorsAK::Ostrel::yellow().get(),
        TKColorsAK::grey85().get(),
        TKImagesAK::cursorTrackingslider().get(),
        TKImagesAK::tkuiCheckboxOn().get(),
        Styles::BaseStyles::normalFont().get(),
        Styles::TableRow::font().get(),
        Styles::Control::textColor().get(),
        Styles::TextInput::errorBackground().get(),
        Styles::Label::textColor().get(),
    };
}

// This program reads nothing of the library before the threads start, so each value is first
// read by several threads at once; every thread must get the one object made.
TEST(FirstReads, ConcurrentFirstReadersShareOneObject)
{
    constexpr int readers = 8;
    std::barrier start(readers);
    std::vector<std::vector<const void*>> seen(readers);
    std::vector<std::thread> threads;
    for (int i = 0; i < readers; ++i) {
        threads.emplace_back([&, i] {
            start.arrive_and_wait();
            seen[i] = readEverything();
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (int i = 1; i < readers; ++i)
        EXPECT_EQ(seen[i], seen[0]) << "reader " << i;
    EXPECT_EQ(seen[0], readEverything());
    EXPECT_EQ(seen[0][0], seen[0][1]);
}

} // namespace
