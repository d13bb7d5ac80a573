#include "PluginTestSupport.h"

#include "tools/zindle-host/EffectInstance.h"
#include "tools/zindle-host/HostError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zindlehost {
namespace {

using test::runInProcess;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

TEST(HostInspectCommands, ListShowsTheInstalledEffect)
{
    const auto result = runInProcess({"list"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto rows = lines(result.out);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_THAT(rows[0], ContainsRegex("^codes +name +version +bundle$"));
    EXPECT_THAT(result.out, ContainsRegex("aufx voco Vart +Vart: Zindle +1\\.0\\.0 +/[^ ]*/lib/zindle/Components/"
                                          "Zindle\\.component\n"));
}

TEST(HostInspectCommands, ParamsShowsTheTreeInItsOrderWithDefaults)
{
    const auto result = runInProcess({"params"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto rows = lines(result.out);
    ASSERT_EQ(rows.size(), 16u) << result.out;
    EXPECT_THAT(rows[0], ContainsRegex("^identifier +name +unit +range +default +value strings$"));
    EXPECT_THAT(rows[1], ContainsRegex("^mainMode +Main Mode +indexed +0 to 1 +1 \\(Modern\\) +Retro, Modern$"));
    EXPECT_THAT(rows[2], ContainsRegex("^quality +Quality +indexed +1 to 48 +48$"));
    EXPECT_THAT(rows[3], ContainsRegex("^whiteNoiseLevel +UV Level +decibels \\(dB\\) +-60 to 6 +-20$"));
    EXPECT_THAT(rows[8], ContainsRegex("^voiceMode +Voice Mode +indexed +0 to 3 +0 \\(Voiced\\) +"
                                       "Voiced, Unvoiced, Auto Noise, Auto Voice$"));
    EXPECT_THAT(rows[9], ContainsRegex("^formantShift +Shift +absolute cents +-1200 to 1200 +0$"));
    EXPECT_THAT(rows[14],
                ContainsRegex("^retroMode +Retro Mode +indexed +0 to 2 +2 \\(Talkbox\\) +Nuvo, Tazmania, Talkbox$"));
    EXPECT_THAT(rows[15], ContainsRegex("^freeze +Freeze +boolean +0 to 1 +0$"));
}

TEST(HostInspectCommands, ValidatePrintsTheReportAndPasses)
{
    const auto result = runInProcess({"validate"});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_THAT(result.out, HasSubstr("PASS"));
    EXPECT_THAT(result.out, Not(HasSubstr("FAIL")));
    EXPECT_THAT(result.out, HasSubstr("\nPASS  sample rates: the unit runs at 8000 to 768000 Hz; rendered at both "
                                      "ends, 7999 Hz and 768001 Hz refused as a format not supported (-10868)\n"));
}

TEST(HostInspectCommands, CommandsWithoutArgumentsRefuseThem)
{
    for (const std::string command : {"list", "params", "validate"}) {
        const auto result = runInProcess({command, "extra"});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, "zindle-host: " + command + " takes no arguments, got 'extra'\n");
    }
}

TEST(HostInspectCommands, AnEffectThatIsNotInstalledIsNamedWithTheSearchPaths)
{
    test::TempDirectory empty;
    const au::ComponentRegistry registry({empty.path()});
    try {
        findInstalledEffect(registry, zindleEffect);
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_EQ(error.code(), ExitCode::effect);
        EXPECT_EQ(std::string(error.what()),
                  "the effect aufx voco Vart is not installed (searched " + empty.path().string() + ")");
    }
}

} // namespace
} // namespace zindlehost
