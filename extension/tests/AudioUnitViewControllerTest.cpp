#include "ModelTestSupport.h"

#include "extension/AudioUnitViewController.h"

#include "platform/audiounit/ParameterTree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace zindle {
namespace {

class AudioUnitFactory : public ::testing::Test {
protected:
    // The update checks of these units go nowhere.
    void SetUp() override { qputenv("ZINDLE_UPDATE_FEED_URL", test::refusedFeedUrl().toEncoded()); }
    void TearDown() override { qunsetenv("ZINDLE_UPDATE_FEED_URL"); }

    static void expectReadyForTheHost(AudioUnitViewController& controller, const std::shared_ptr<au::AudioUnit>& made)
    {
        const auto unit = std::dynamic_pointer_cast<ZindleAudioUnit>(made);
        ASSERT_TRUE(unit);
        EXPECT_EQ(controller.audioUnit(), unit);
        EXPECT_EQ(controller.settings()->zindleAU(), unit);
        EXPECT_TRUE(controller.settings()->isPolling());

        const auto& tree = unit->parameterTree();
        ASSERT_TRUE(tree);
        ASSERT_EQ(tree->allParameters().size(), 15u);
        EXPECT_EQ(tree->allParameters().front()->displayName(), "Main Mode");
        EXPECT_TRUE(tree->hasImplementorValueObserver());
        EXPECT_TRUE(tree->hasImplementorValueProvider());
        EXPECT_TRUE(tree->hasImplementorStringFromValueCallback());
        EXPECT_TRUE(tree->hasImplementorValueFromStringCallback());

        // Every default already in the kernel, so the first render starts from them.
        for (const auto& parameter : controller.settings()->parameters())
            EXPECT_EQ(unit->kernel().parameterValue(parameter->address()), parameter->defaultValue())
                << parameter->identifier();
        unit->allocateRenderResources();
        EXPECT_EQ(unit->kernel().parameters().quality, 48.0f);
        EXPECT_EQ(unit->kernel().parameters().whiteNoiseLevel, -20.0f);
        EXPECT_EQ(unit->kernel().parameters().whiteNoiseThreshold, 0.3f);
    }
};

TEST_F(AudioUnitFactory, OnTheMainThreadTheWorkRunsInline)
{
    AudioUnitViewController controller;
    EXPECT_TRUE(controller.settings());
    EXPECT_FALSE(controller.audioUnit());
    // Nothing spins the event loop here: waiting on the main queue would never return.
    const auto unit = controller.createAudioUnit(ZindleAudioUnit::description);
    expectReadyForTheHost(controller, unit);
}

TEST_F(AudioUnitFactory, FromAnotherThreadTheCallerWaitsForTheMainThread)
{
    AudioUnitViewController controller;
    std::shared_ptr<au::AudioUnit> unit;
    std::atomic<bool> done{false};
    std::thread host([&] {
        unit = controller.createAudioUnit(ZindleAudioUnit::description);
        done = true;
    });
    EXPECT_TRUE(test::spinUntil([&] { return done.load(); }));
    host.join();
    expectReadyForTheHost(controller, unit);
}

TEST_F(AudioUnitFactory, ANewUnitReplacesTheEarlierOne)
{
    AudioUnitViewController controller;
    std::weak_ptr<au::AudioUnit> first = controller.createAudioUnit(ZindleAudioUnit::description);
    const auto second = controller.createAudioUnit(ZindleAudioUnit::description);
    EXPECT_TRUE(first.expired()) << "the controller held the first one only";
    expectReadyForTheHost(controller, second);
}

TEST_F(AudioUnitFactory, TheModelDoesNotKeepTheUnitAlive)
{
    auto controller = std::make_unique<AudioUnitViewController>();
    std::weak_ptr<au::AudioUnit> unit = controller->createAudioUnit(ZindleAudioUnit::description);
    std::weak_ptr<Settings> settings = controller->settings();
    controller.reset();
    EXPECT_TRUE(unit.expired());
    EXPECT_TRUE(test::spinUntil([&] { return settings.expired(); })) << "once its update check has ended";
}

} // namespace
} // namespace zindle
