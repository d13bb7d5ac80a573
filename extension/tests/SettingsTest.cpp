#include "ModelTestSupport.h"

#include "platform/audiounit/ParameterTree.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zindle {
namespace {

using A = ParameterAddress;
using U = au::ParameterUnit;
using Strings = std::optional<std::vector<std::string>>;
using Dependents = std::optional<std::vector<au::ParameterAddress>>;

struct Row {
    std::uint64_t address;
    const char* identifier;
    const char* name;
    U unit;
    float minimum;
    float maximum;
    float defaultValue;
    Strings strings;
    Dependents dependents;
    std::uint32_t flags;
    const char* unitName;
};

TEST(Settings, ParameterTable)
{
    const std::vector<Row> table{
        {0, "quality", "Quality", U::indexed, 1, 48, 48, {}, {}, 0xC000'0000, ""},
        {1, "whiteNoiseLevel", "UV Level", U::decibels, -60, 6, -20, {}, {}, 0xC200'0000, "dB"},
        {2, "whiteNoiseThreshold", "Threshold", U::linearGain, 0, 1, 0.3f, {}, {}, 0xC200'0000, ""},
        {3, "highPassFilter", "High Pass", U::boolean, 0, 1, 0, {}, {}, 0xC000'0000, ""},
        {4, "outputGain", "Output", U::decibels, -60, 6, 0, {}, {}, 0xC200'0000, "dB"},
        {5, "voiceInputGain", "Voice In", U::decibels, -60, 6, 0, {}, {}, 0xC200'0000, "dB"},
        {6, "synthInputGain", "Synth In", U::decibels, -60, 6, 0, {}, {}, 0xC200'0000, "dB"},
        {7, "voiceMode", "Voice Mode", U::indexed, 0, 3, 0,
         Strings{{"Voiced", "Unvoiced", "Auto Noise", "Auto Voice"}}, {}, 0xC020'0000, ""},
        {8, "formantShift", "Shift", U::absoluteCents, -1200, 1200, 0, {}, {}, 0xC200'0000, ""},
        {9, "lowPassFilter", "Low Pass", U::boolean, 0, 1, 0, {}, {}, 0xC000'0000, ""},
        {10, "crush", "Crush", U::boolean, 0, 1, 0, {}, {}, 0xC000'0000, ""},
        {11, "compress", "Compress", U::boolean, 0, 1, 0, {}, {}, 0xC000'0000, ""},
        {12, "mainMode", "Main Mode", U::indexed, 0, 1, 1, Strings{{"Retro", "Modern"}},
         Dependents{{13, 7, 1, 2, 0, 8, 10, 11, 9, 3}}, 0xD030'0000, ""},
        {13, "retroMode", "Retro Mode", U::indexed, 0, 2, 2, Strings{{"Nuvo", "Tazmania", "Talkbox"}},
         Dependents{{7, 1, 2, 0, 8, 10, 11, 9, 3}}, 0xD030'0000, ""},
        {14, "freeze", "Freeze", U::boolean, 0, 1, 0, {}, {}, 0xC000'0000, ""},
    };
    const auto settings = std::make_shared<Settings>();
    for (const Row& row : table) {
        const auto& p = settings->parameter(row.address);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->address(), row.address);
        EXPECT_EQ(p->identifier(), row.identifier);
        EXPECT_EQ(p->name(), row.name);
        EXPECT_EQ(p->units(), row.unit) << row.identifier;
        EXPECT_EQ(p->valueRange().lower, row.minimum) << row.identifier;
        EXPECT_EQ(p->valueRange().upper, row.maximum) << row.identifier;
        EXPECT_EQ(p->defaultValue(), row.defaultValue) << row.identifier;
        EXPECT_EQ(p->value(), row.defaultValue) << row.identifier << ": a fresh model is at its defaults";
        EXPECT_EQ(p->valueIncrement(), mossbell::AudioParameter::ValueIncrement::linear());
        EXPECT_EQ(p->valueStrings(), row.strings) << row.identifier;
        EXPECT_EQ(p->dependentParameterAddresses(), row.dependents) << row.identifier;
        EXPECT_EQ(p->auParameter()->flags(), row.flags) << row.identifier;
        EXPECT_EQ(p->auParameter()->unitName(), row.unitName) << row.identifier;
        EXPECT_EQ(p->auParameter()->storedValue(), row.defaultValue) << row.identifier;
    }
    EXPECT_EQ(settings->vocoderQuality()->identifier(), "quality");
    EXPECT_EQ(settings->voiceFreeze()->identifier(), "freeze");
    EXPECT_EQ(settings->mainMode()->address(), A::mainMode);
}

TEST(Settings, TreeOrderIsTheHostsParameterList)
{
    test::ConnectedModel model;
    const auto& children = model.unit->parameterTree()->allParameters();
    std::vector<au::ParameterAddress> addresses;
    std::vector<std::string> names;
    for (const auto& child : children) {
        addresses.push_back(child->address());
        names.push_back(child->displayName());
    }
    // High Pass sits after Shift, beside the other filter.
    EXPECT_EQ(addresses, (std::vector<au::ParameterAddress>{12, 0, 1, 2, 4, 5, 6, 7, 8, 3, 9, 10, 11, 13, 14}));
    ASSERT_EQ(names.size(), 15u);
    EXPECT_EQ(names.front(), "Main Mode");
    EXPECT_EQ(names[13], "Retro Mode");
    EXPECT_EQ(names[14], "Freeze");
    EXPECT_EQ(model.settings->parameters().size(), 15u);
    EXPECT_EQ(children.front(), model.settings->mainMode()->auParameter()) << "the model's own tree parameters";
}

TEST(Settings, LevelsNotifyOnlyWhenTheyChange)
{
    const auto settings = std::make_shared<Settings>();
    std::vector<std::string> heard;
    auto a = settings->observeSynthInLevel([&](double) { heard.push_back("synth"); });
    auto b = settings->observeVoiceInLevel([&](double) { heard.push_back("voice"); });
    auto c = settings->observeOutLevel([&](double) { heard.push_back("out"); });

    EXPECT_EQ(settings->synthInLevel(), 0.0);
    settings->updateLevels(0.0, 0.0, 0.0);
    EXPECT_TRUE(heard.empty());
    settings->updateLevels(10.0, 0.0, 30.0);
    EXPECT_EQ(heard, (std::vector<std::string>{"synth", "out"}));
    settings->updateLevels(10.0, 20.0, 30.0);
    EXPECT_EQ(heard.back(), "voice");
    EXPECT_EQ(heard.size(), 3u);
    EXPECT_EQ(settings->voiceInLevel(), 20.0);
}

TEST(Settings, UpdateDetailsNotifyOnEveryAssignment)
{
    const auto settings = std::make_shared<Settings>();
    EXPECT_FALSE(settings->updateDetails());
    int heard = 0;
    auto token = settings->observeUpdateDetails([&] { ++heard; });
    settings->setUpdateDetails(mossbell::UpdateAvailableDetails{"1.2"});
    settings->setUpdateDetails(mossbell::UpdateAvailableDetails{"1.2"});
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(settings->updateDetails()->newVersion, "1.2");
}

} // namespace
} // namespace zindle
