#include "platform/audiounit/Validator.h"

#include "platform/audiounit/tests/ComponentTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <sstream>

namespace au {
namespace {

using test::testComponent;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;
using namespace std::chrono_literals;

ValidationOptions forced()
{
    ValidationOptions options;
    options.forceValidation = true;
    return options;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

std::vector<std::string> linesStarting(const std::vector<std::string>& lines, const std::string& start)
{
    std::vector<std::string> found;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(found),
                 [&](const std::string& line) { return line.rfind(start, 0) == 0; });
    return found;
}

TEST(ValidatorTest, ASoundEffectPassesEveryCheck)
{
    std::ostringstream printed;
    const ValidationReport report = validateComponent(testComponent("none"), forced(), printed);

    EXPECT_EQ(report.result, ValidationResult::passed) << joined(report.output);
    EXPECT_EQ(printed.str(), joined(report.output)) << "every line goes to the stream";
    EXPECT_THAT(report.output.front(), HasSubstr("Validating \"Test: none\" (aufx gain Test), version 2.3.4"));
    EXPECT_THAT(linesStarting(report.output, "FAIL"), ::testing::IsEmpty());
    EXPECT_THAT(report.output.back(), StartsWith("Verdict: PASSED ("));
    // Every named check ran: 12 render lines (3 rates x 4 frame counts) among them.
    for (const char* check : {"PASS  open", "PASS  description", "PASS  buses", "PASS  formats",
                              "PASS  channel capabilities", "PASS  latency", "PASS  parameters",
                              "PASS  parameter 0 \"gain\"", "PASS  parameter 1 \"colour\"", "PASS  maximum frames",
                              "PASS  allocate 96000 Hz", "PASS  render 48000 Hz, 4096 frames",
                              "PASS  too many frames 44100 Hz", "PASS  bypass 96000 Hz",
                              "PASS  allocate/deallocate cycle 48000 Hz"})
        EXPECT_EQ(linesStarting(report.output, check).size(), 1u) << check;
    EXPECT_EQ(linesStarting(report.output, "PASS  render ").size(), 12u);
}

// Each deliberately broken effect fails, with the failing check named in its line.
TEST(ValidatorTest, ABrokenEffectFailsTheCheckItBreaks)
{
    ComponentManifest missing = testComponent("none");
    missing.libraryPath = missing.bundlePath / "Gone.so";
    const struct {
        const char* what;
        ComponentManifest manifest;
        std::string failLine; // the start of the line
        std::string fragment; // and a part of it further on
    } cases[] = {
        {"writes NaN", testComponent("nan"),
         "FAIL  render 44100 Hz, 1 frame: noise: output channel 0, frame 0 of call 1 is NaN", ""},
        {"leaves a denormal tail", testComponent("denormalTail"),
         "FAIL  render 44100 Hz, 1 frame: silence after noise: output channel 0, frame 0 of call ", "is denormal"},
        {"ignores the frame limit", testComponent("ignoresFrameLimit"),
         "FAIL  too many frames 44100 Hz: asked for 4097 frames (maximum 4096), the unit answered 0 instead of -10874",
         ""},
        {"refuses its unit", testComponent("throwsOnCreate"),
         "FAIL  open: component \"Test: throwsOnCreate\" (aufx tthr Test) could not create its Audio Unit: ",
         "the test component refuses to create its unit"},
        {"has no entry", testComponent("noEntry"), "FAIL  open: component \"Test: no entry\"",
         "has no entry auExtensionCreatePrincipal"},
        {"claims no frame limit", testComponent("absurdLimits"),
         "FAIL  maximum frames: asked for 4096 frames per call, the unit keeps 4294967295", "more than any host"},
        {"has no library", missing, "FAIL  open: component \"Test: none\" (aufx gain Test) cannot be loaded",
         "Gone.so does not exist"},
    };
    for (const auto& broken : cases) {
        std::ostringstream printed;
        const ValidationReport report = validateComponent(broken.manifest, forced(), printed);
        EXPECT_EQ(report.result, ValidationResult::failed) << broken.what;
        const auto lines = linesStarting(report.output, broken.failLine);
        ASSERT_THAT(lines, ::testing::SizeIs(1)) << broken.what << "\n" << joined(report.output);
        EXPECT_THAT(lines.front(), HasSubstr(broken.fragment)) << broken.what;
        EXPECT_THAT(report.output.back(), StartsWith("Verdict: FAILED (")) << broken.what;
    }
}

// A unit that states the rates it runs at: the validator's own rates outside them are not
// tried, and both ends are rendered at (this unit fails at its lowest).
TEST(ValidatorTest, AUnitIsTriedAtTheRatesItStatesAndAtTheirEnds)
{
    std::ostringstream printed;
    const ValidationReport report = validateComponent(testComponent("narrowRates"), forced(), printed);
    EXPECT_EQ(report.result, ValidationResult::failed);
    EXPECT_THAT(linesStarting(report.output, "(not rendered at 96000 Hz: the unit runs at 8000 to 48000 Hz)"),
                ::testing::SizeIs(1))
        << joined(report.output);
    EXPECT_THAT(linesStarting(report.output, "PASS  allocate 96000 Hz"), ::testing::IsEmpty());
    EXPECT_THAT(linesStarting(report.output, "PASS  render 48000 Hz, 4096 frames"), ::testing::SizeIs(1));
    EXPECT_THAT(linesStarting(report.output, "FAIL"),
                ::testing::ElementsAre("FAIL  sample rates: the unit runs at 8000 to 48000 Hz; at 8000 Hz, silence: "
                                       "output channel 0, frame 0 of call 1 is NaN"));
}

// Indexed values far from 0, where adding 1 to a float changes nothing, are still tried one by
// one and the validation ends.
TEST(ValidatorTest, IndexedValuesFarFromZeroAreCountedInSteps)
{
    std::ostringstream printed;
    const ValidationReport report = validateComponent(testComponent("absurdLimits"), forced(), printed);
    const auto lines = linesStarting(report.output, "PASS  parameter 1 \"colour\"");
    ASSERT_THAT(lines, ::testing::SizeIs(1)) << joined(report.output);
    EXPECT_THAT(lines.front(), HasSubstr("9 text round trips"));
}

TEST(ValidatorTest, AnEffectThatIgnoresTheLimitOtherwiseRendersCleanly)
{
    const ValidationReport report = validateComponent(testComponent("ignoresFrameLimit"), forced(), std::cout);
    EXPECT_EQ(linesStarting(report.output, "FAIL").size(), 3u) << "one per sample rate\n" << joined(report.output);
    // Three lines are no checks: the two heading lines and the verdict.
    const std::size_t checks = report.output.size() - 3;
    EXPECT_EQ(report.output.back(), "Verdict: FAILED (3 of " + std::to_string(checks) + " checks failed)");
}

TEST(ValidatorTest, WithoutForceAnUnchangedLibraryKeepsItsEarlierReport)
{
    const ComponentManifest manifest = testComponent("ignoresFrameLimit");
    std::ostringstream first, second, third;
    const ValidationReport fresh = validateComponent(manifest, forced(), first);
    const ValidationReport kept = validateComponent(manifest, {}, second);
    const ValidationReport forcedAgain = validateComponent(manifest, forced(), third);

    EXPECT_EQ(kept.result, fresh.result);
    ASSERT_EQ(kept.output.size(), fresh.output.size() + 1);
    EXPECT_THAT(kept.output.front(), HasSubstr("earlier validation"));
    EXPECT_TRUE(std::equal(fresh.output.begin(), fresh.output.end(), kept.output.begin() + 1));
    EXPECT_EQ(forcedAgain.output.size(), fresh.output.size());
}

// A bundle may declare several components served by one library: an earlier report of one is
// never handed out for another.
TEST(ValidatorTest, AnEarlierReportBelongsToItsComponentNotToItsLibrary)
{
    const ComponentManifest gain = testComponent("none");
    ComponentManifest sibling = gain;
    sibling.name = "Test: sibling";
    sibling.description.componentSubType = fourCharCode("sibl");
    std::ostringstream printed;
    ASSERT_EQ(validateComponent(gain, forced(), printed).result, ValidationResult::passed);

    const ValidationReport report = validateComponent(sibling, {}, printed);
    ASSERT_FALSE(report.output.empty());
    EXPECT_THAT(report.output.front(), HasSubstr("Validating \"Test: sibling\" (aufx sibl Test)"));
    EXPECT_THAT(joined(report.output), Not(HasSubstr("earlier validation")));
    EXPECT_THAT(joined(report.output), Not(HasSubstr("aufx gain Test")));
}

TEST(ValidatorTest, ByCodesFindsTheComponentThroughTheRegistry)
{
    const test::ScopedEnvironment path("ZINDLE_COMPONENT_PATH", test::testComponentsDir.string());
    std::ostringstream printed;
    const ValidationReport found =
        validateComponent(ComponentDescription{fourCharCode("aufx"), fourCharCode("gain"), fourCharCode("Test")},
                          forced(), printed);
    EXPECT_EQ(found.result, ValidationResult::passed);

    const ValidationReport none =
        validateComponent(ComponentDescription{fourCharCode("aufx"), fourCharCode("none"), fourCharCode("Test")},
                          forced(), printed);
    EXPECT_EQ(none.result, ValidationResult::failed);
    EXPECT_THAT(none.output.front(), HasSubstr("FAIL  open: no installed component matches aufx none Test"));
}

/// Collects the handler's calls.
struct HandlerCalls {
    std::mutex mutex;
    std::vector<std::pair<ValidationResult, std::optional<ValidationResults>>> calls;

    ValidationHandler handler()
    {
        return [this](ValidationResult result, std::optional<ValidationResults> results) {
            const std::lock_guard lock(mutex);
            calls.emplace_back(result, std::move(results));
        };
    }
    std::size_t count()
    {
        const std::lock_guard lock(mutex);
        return calls.size();
    }
    std::vector<std::string> output(std::size_t call)
    {
        const std::lock_guard lock(mutex);
        const auto& results = calls.at(call).second;
        if (!results || !results->count(validationOutputKey))
            return {};
        return std::any_cast<std::vector<std::string>>(results->at(validationOutputKey));
    }
};

TEST(ValidatorTest, WithResultsCallsTheHandlerOnceWithTheOutput)
{
    const struct {
        const char* fault;
        ValidationResult result;
    } cases[] = {
        {"none", ValidationResult::passed},
        {"mainThreadFactory", ValidationResult::passed}, // needs the main thread's events
        {"nan", ValidationResult::failed},
    };
    for (const auto& effect : cases) {
        HandlerCalls calls;
        validateWithResults(testComponent(effect.fault), forced(), calls.handler());
        ASSERT_TRUE(test::runEventsUntil([&] { return calls.count() > 0; }, 20s)) << effect.fault;
        test::runEventsUntil([] { return false; }, 200ms);
        ASSERT_EQ(calls.count(), 1u) << effect.fault;
        EXPECT_EQ(calls.calls[0].first, effect.result) << effect.fault;
        const std::vector<std::string> output = calls.output(0);
        ASSERT_FALSE(output.empty()) << effect.fault;
        EXPECT_THAT(output.front(), HasSubstr("Validating \"Test: " + std::string(effect.fault) + "\""));
        EXPECT_THAT(output.back(), StartsWith("Verdict: "));
    }
}

// The watchdog's time runs out after the answer came: it stays quiet.
TEST(ValidatorTest, WithResultsWatchdogStaysQuietAfterTheAnswer)
{
    // The answer must come well inside the limit, however slow this build or machine: the
    // limit is three times what a first validation took, and at least 3 s.
    const auto firstStarted = std::chrono::steady_clock::now();
    {
        HandlerCalls first;
        validateWithResults(testComponent("none"), forced(), first.handler());
        ASSERT_TRUE(test::runEventsUntil([&] { return first.count() > 0; }, 60s));
    }
    const auto firstTook =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - firstStarted);

    HandlerCalls calls;
    ValidationOptions options = forced();
    options.timeout = std::max<std::chrono::milliseconds>(3s, 3 * firstTook);
    const auto started = std::chrono::steady_clock::now();
    validateWithResults(testComponent("none"), options, calls.handler());
    ASSERT_TRUE(test::runEventsUntil([&] { return calls.count() > 0; }, 20s));
    EXPECT_EQ(calls.calls[0].first, ValidationResult::passed);
    test::runEventsUntil([&] { return std::chrono::steady_clock::now() - started > options.timeout + 500ms; },
                         options.timeout + 1s);
    EXPECT_EQ(calls.count(), 1u);
}

TEST(ValidatorTest, WithResultsReportsAnUnloadableComponentAsFailed)
{
    ComponentManifest missing = testComponent("none");
    missing.libraryPath = missing.bundlePath / "Gone.so";
    HandlerCalls calls;
    validateWithResults(missing, forced(), calls.handler());
    ASSERT_TRUE(test::runEventsUntil([&] { return calls.count() > 0; }, 20s));
    EXPECT_EQ(calls.calls[0].first, ValidationResult::failed);
    EXPECT_THAT(joined(calls.output(0)), HasSubstr("Gone.so does not exist"));
}

// A caller that blocks the main thread instead of awaiting starves an effect whose factory
// needs it: the watchdog answers timedOut, and the late finish is dropped.
TEST(ValidatorTest, WithResultsTimesOutOnceAndDropsTheLateFinish)
{
    HandlerCalls calls;
    ValidationOptions options = forced();
    options.timeout = 300ms;
    validateWithResults(testComponent("mainThreadFactory"), options, calls.handler());
    while (calls.count() == 0)
        std::this_thread::sleep_for(10ms); // blocks the main thread, as a careless caller would
    ASSERT_EQ(calls.calls[0].first, ValidationResult::timedOut);
    const std::vector<std::string> output = calls.output(0);
    ASSERT_GE(output.size(), 2u);
    EXPECT_THAT(output.front(), HasSubstr("Validating \"Test: mainThreadFactory\""));
    EXPECT_EQ(output[output.size() - 2], "FAIL  timeout: the validation did not finish within 300 ms");
    EXPECT_EQ(output.back(), "Verdict: TIMED OUT");

    // Now the main thread runs: the validation goes on to its end, unheard.
    test::runEventsUntil([] { return false; }, 3s);
    EXPECT_EQ(calls.count(), 1u);
}

} // namespace
} // namespace au
