#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/ParameterArguments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zindlehost {
namespace {

using ::testing::HasSubstr;

// Two parameters shaped like the effect's: a signed number and an indexed one with names.
class ParameterArguments : public ::testing::Test {
protected:
    std::shared_ptr<au::Parameter> shift = au::ParameterTree::createParameter(
        "formantShift", "Shift", 8, -1200, 1200, au::ParameterUnit::absoluteCents, "", 0, std::nullopt, std::nullopt);
    std::shared_ptr<au::Parameter> mode = au::ParameterTree::createParameter(
        "mainMode", "Main Mode", 12, 0, 1, au::ParameterUnit::indexed, "", 0,
        std::vector<std::string>{"Retro", "Modern"}, std::vector<au::ParameterAddress>{13, 7});
    std::shared_ptr<au::Parameter> quality = au::ParameterTree::createParameter(
        "quality", "Quality", 0, 1, 48, au::ParameterUnit::indexed, "", 0, std::nullopt, std::nullopt);
    std::shared_ptr<au::Parameter> freeze = au::ParameterTree::createParameter(
        "freeze", "Freeze", 14, 0, 1, au::ParameterUnit::boolean, "", 0, std::nullopt, std::nullopt);
    std::shared_ptr<au::ParameterTree> tree = au::ParameterTree::createTree({mode, shift});

    void SetUp() override
    {
        // As the effect's: it reads typed numbers, and a name as 0.
        tree->setImplementorValueFromStringCallback([](const au::Parameter&, const std::string& text) {
            try {
                return std::stof(text);
            } catch (const std::exception&) {
                return 0.0f;
            }
        });
    }
};

template <typename F>
std::string usageErrorOf(F&& call)
{
    try {
        call();
    } catch (const HostError& error) {
        EXPECT_EQ(error.code(), ExitCode::usage);
        return error.what();
    }
    ADD_FAILURE() << "no error";
    return {};
}

TEST_F(ParameterArguments, ValuesAreNumbersOrValueStrings)
{
    const struct {
        const au::Parameter& parameter;
        std::string text;
        au::AUValue value;
    } cases[] = {
        {*shift, "-300", -300.0f},  {*shift, "+12.5", 12.5f}, {*shift, "1200", 1200.0f}, {*shift, " 0 ", 0.0f},
        {*mode, "Retro", 0.0f},     {*mode, "Modern", 1.0f},  {*mode, "retro", 0.0f},    {*mode, "MODERN", 1.0f},
        {*mode, "1", 1.0f},         {*mode, "1.0", 1.0f},     {*quality, "4e1", 40.0f},  {*freeze, "1", 1.0f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseValue(c.parameter, c.text), c.value) << c.parameter.identifier() << "=" << c.text;
}

TEST_F(ParameterArguments, BadValuesSayWhatWasExpected)
{
    const struct {
        const au::Parameter& parameter;
        std::string text;
        std::string message;
    } cases[] = {
        {*shift, "-1200.5", "bad value '-1200.5' for formantShift: expected a number from -1200 to 1200"},
        {*shift, "abc", "bad value 'abc' for formantShift: expected a number from -1200 to 1200"},
        {*shift, "12x", "bad value '12x' for formantShift: expected a number from -1200 to 1200"},
        {*shift, "nan", "bad value 'nan' for formantShift: expected a number from -1200 to 1200"},
        {*shift, "inf", "bad value 'inf' for formantShift: expected a number from -1200 to 1200"},
        {*mode, "Disco", "bad value 'Disco' for mainMode: expected one of Retro, Modern or a number from 0 to 1"},
        {*mode, "2", "bad value '2' for mainMode: expected one of Retro, Modern or a number from 0 to 1"},
        {*mode, "0.5", "bad value '0.5' for mainMode: expected one of Retro, Modern or a whole number from 0 to 1"},
        {*quality, "1.5", "bad value '1.5' for quality: expected a whole number from 1 to 48"},
        {*quality, "47.999", "bad value '47.999' for quality: expected a whole number from 1 to 48"},
        {*freeze, "0.5", "bad value '0.5' for freeze: expected a whole number from 0 to 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(usageErrorOf([&] { parseValue(c.parameter, c.text); }), c.message);
}

TEST_F(ParameterArguments, ParametersAreFoundByIdentifier)
{
    EXPECT_EQ(findParameter(*tree, "formantShift"), shift);
    EXPECT_EQ(findParameter(*tree, "mainMode"), mode);
    EXPECT_EQ(usageErrorOf([&] { findParameter(*tree, "Shift"); }),
              "unknown parameter 'Shift' (the effect has mainMode, formantShift)");
}

TEST(ParameterOptions, AssignmentsSplitAtTheFirstEquals)
{
    const ParameterAssignment assignment = parseAssignment("voiceMode=Auto Noise");
    EXPECT_EQ(assignment.identifier, "voiceMode");
    EXPECT_EQ(assignment.value, "Auto Noise");
    EXPECT_EQ(parseAssignment("formantShift=-300").value, "-300");
    for (const std::string bad : {"formantShift", "=3", "formantShift=", ""})
        EXPECT_EQ(usageErrorOf([&] { parseAssignment(bad); }),
                  "bad setting '" + bad + "' (expected <identifier>=<value>)");
}

TEST(ParameterOptions, AutomationLanesAreTimedPoints)
{
    const AutomationLane lane = parseAutomation("formantShift=0:0, 2.5:-1200,3:Auto Voice");
    EXPECT_EQ(lane.identifier, "formantShift");
    ASSERT_EQ(lane.points.size(), 3u);
    EXPECT_EQ(lane.points[0].seconds, 0.0);
    EXPECT_EQ(lane.points[0].value, "0");
    EXPECT_EQ(lane.points[1].seconds, 2.5);
    EXPECT_EQ(lane.points[1].value, "-1200");
    EXPECT_EQ(lane.points[2].value, "Auto Voice");
}

TEST(ParameterOptions, BadAutomationSaysWhatIsWrong)
{
    const struct {
        std::string text;
        std::string fault;
    } cases[] = {
        {"formantShift", "no '='"},
        {"=0:1", "no parameter identifier"},
        {"formantShift=", "no points"},
        {"formantShift=0:0,2.5", "point '2.5' has no ':' between time and value"},
        {"formantShift=0:0,,1:3", "point '' has no ':' between time and value"},
        {"formantShift=x:0", "time 'x' is not a number of seconds from 0 up"},
        {"formantShift=-1:0", "time '-1' is not a number of seconds from 0 up"},
        {"formantShift=1:", "point '1:' has no value"},
        {"formantShift=2:0,1:5", "times must increase, but 1 follows 2"},
        {"formantShift=1:0,1:5", "times must increase, but 1 follows 1"},
    };
    for (const auto& c : cases) {
        const std::string message = usageErrorOf([&] { parseAutomation(c.text); });
        EXPECT_EQ(message, "bad automation '" + c.text + "': " + c.fault
                               + " (expected <identifier>=<seconds>:<value>[,<seconds>:<value>...])");
    }
}

} // namespace
} // namespace zindlehost
