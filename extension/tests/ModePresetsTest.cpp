#include "ModelTestSupport.h"

#include "extension/ModePresets.h"

#include "Mossbell/tests/HostRecorder.h"
#include "platform/audiounit/ParameterTree.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace zindle {
namespace {

using A = ParameterAddress;
using Values = std::map<std::uint64_t, float>;

class ModePresets : public ::testing::Test {
protected:
    // Every parameter away from its preset and default values, in the Modern skin.
    void scramble()
    {
        const Values scrambled{{A::quality, 10}, {A::whiteNoiseLevel, -5}, {A::whiteNoiseThreshold, 0.8f},
                               {A::highPassFilter, 0}, {A::outputGain, -1}, {A::voiceInputGain, -2},
                               {A::synthInputGain, -3}, {A::voiceMode, 2}, {A::formantShift, 500},
                               {A::lowPassFilter, 0}, {A::crush, 0}, {A::compress, 0},
                               {A::retroMode, 0}, {A::freeze, 1}};
        for (const auto& [address, value] : scrambled)
            model.click(address, value);
    }
    Values values() const
    {
        Values all;
        for (std::uint64_t address = 0; address < A::count; ++address)
            all[address] = model.value(address);
        return all;
    }
    void expectKernelHolds(const Values& expected)
    {
        for (const auto& [address, value] : expected)
            EXPECT_EQ(model.unit->kernel().parameterValue(address), value) << "address " << address;
    }

    test::ConnectedModel<> model;
};

TEST_F(ModePresets, RetroLoadsTheTalkboxVoicingFromAnyState)
{
    scramble();
    Values expected = values();
    const Values talkbox{{A::mainMode, 0}, {A::retroMode, 2}, {A::voiceMode, 0}, {A::whiteNoiseLevel, -20},
                         {A::whiteNoiseThreshold, 0.3f}, {A::quality, 30}, {A::formantShift, -200},
                         {A::crush, 1}, {A::compress, 1}, {A::lowPassFilter, 1}, {A::highPassFilter, 1}};
    for (const auto& [address, value] : talkbox)
        expected[address] = value;

    model.click(A::mainMode, 0);
    EXPECT_EQ(values(), expected) << "gains and freeze untouched";
    expectKernelHolds(expected);

    // Again while Retro reads 0 already: the nested voicing run loads Talkbox too.
    model.click(A::formantShift, 100);
    model.settings->setValue(0, A::mainMode, mossbell::ParameterEditor::parameterObserver);
    test::runMainQueue();
    EXPECT_EQ(values(), expected);
}

TEST_F(ModePresets, ModernLoadsNothing)
{
    model.click(A::mainMode, 0);
    model.click(A::voiceInputGain, -4);
    const Values before = values();
    model.click(A::mainMode, 1);
    Values expected = before;
    expected[A::mainMode] = 1;
    EXPECT_EQ(values(), expected);
}

TEST_F(ModePresets, AVoicingInTheModernSkinChangesOnlyItself)
{
    scramble();
    Values expected = values();
    for (const float voicing : {1.0f, 2.0f, 0.0f}) {
        model.click(A::retroMode, voicing);
        expected[A::retroMode] = voicing;
        EXPECT_EQ(values(), expected) << voicing;
    }
}

TEST_F(ModePresets, VoicingsOfTheRetroSkin)
{
    struct Case {
        float retroMode;
        float voiceMode;
        float formantShift;
        float filters;
    };
    const Case cases[] = {{0, 3, 0, 0}, {1, 1, 0, 0}, {2, 0, -200, 1}, {0, 3, 0, 0}};
    model.click(A::mainMode, 0);
    for (const Case& c : cases) {
        model.click(A::quality, 12); // a preset value to be reloaded
        model.click(A::retroMode, c.retroMode);
        EXPECT_EQ(model.value(A::retroMode), c.retroMode);
        EXPECT_EQ(model.value(A::voiceMode), c.voiceMode) << c.retroMode;
        EXPECT_EQ(model.value(A::formantShift), c.formantShift) << c.retroMode;
        EXPECT_EQ(model.value(A::lowPassFilter), c.filters) << c.retroMode;
        EXPECT_EQ(model.value(A::highPassFilter), c.filters) << c.retroMode;
        EXPECT_EQ(model.value(A::quality), 30) << c.retroMode;
        EXPECT_EQ(model.value(A::crush), 1);
        EXPECT_EQ(model.value(A::compress), 1);
        EXPECT_EQ(model.value(A::whiteNoiseLevel), -20);
        EXPECT_EQ(model.value(A::whiteNoiseThreshold), 0.3f);
    }
}

TEST_F(ModePresets, HostAutomationAppliesThePresetAndHearsItsValuesAsUserChanges)
{
    mossbell::test::HostRecorder host(model.unit->parameterTree());
    // Set as a host sets it, on a thread of its own.
    std::thread([&] {
        model.unit->parameterTree()->parameter(A::mainMode)->setValue(0, host.token(), 42,
                                                                      au::AutomationEventType::value);
    }).join();
    test::runMainQueue();
    EXPECT_EQ(model.value(A::mainMode), 0);
    EXPECT_EQ(model.value(A::formantShift), -200);

    // From the defaults, these are the values the preset changes, in its order.
    std::vector<std::uint64_t> heard;
    for (const auto& event : host.events()) {
        heard.push_back(event.address);
        EXPECT_EQ(event.type, au::AutomationEventType::value);
        EXPECT_GT(event.hostTime, 0u) << "a user change carries the current host time";
    }
    EXPECT_EQ(heard, (std::vector<std::uint64_t>{A::quality, A::formantShift, A::crush, A::compress,
                                                 A::lowPassFilter, A::highPassFilter}));
}

TEST(ModePresetValues, WhatEachRoutedValueLoads)
{
    const auto retro = [] { return 0.0f; };
    const auto modern = [] { return 1.0f; };
    const auto unread = [] {
        ADD_FAILURE() << "mainMode is read only for retroMode";
        return 0.0f;
    };
    EXPECT_EQ(modePresetValues(A::mainMode, 0, unread).size(), 10u);
    EXPECT_TRUE(modePresetValues(A::mainMode, 1, unread).empty());
    EXPECT_TRUE(modePresetValues(A::mainMode, 0.5f, unread).empty());
    EXPECT_TRUE(modePresetValues(A::retroMode, 1, modern).empty());
    EXPECT_TRUE(modePresetValues(A::retroMode, 1.5f, retro).empty()) << "exact comparisons";
    EXPECT_TRUE(modePresetValues(A::quality, 0, unread).empty());

    const auto tazmania = modePresetValues(A::retroMode, 1, retro);
    ASSERT_EQ(tazmania.size(), 9u);
    EXPECT_EQ(tazmania.front().address, A::voiceMode);
    EXPECT_EQ(tazmania.front().value, 1.0f);
    EXPECT_EQ(tazmania.back().address, A::highPassFilter);
    EXPECT_EQ(tazmania.back().value, 0.0f);
}

} // namespace
} // namespace zindle
