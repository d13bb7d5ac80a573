// Validation in a child process, against real effect libraries: the sound test effect and the
// product's own pass exactly as in process; effects that write NaN, crash, exit or hang are each
// reported, this process goes on, and no process of theirs is left.
#include "platform/audiounit/ValidationProcess.h"

#include "platform/audiounit/tests/ComponentTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>


namespace au {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::filesystem::path misbehavingDir{ZINDLE_MISBEHAVING_COMPONENTS_DIR};

ComponentManifest misbehaving(const std::string& name)
{
    return readComponentManifests(misbehavingDir / ("Test_" + name + ".component")).front();
}

ComponentManifest productEffect()
{
    return readComponentManifests(std::filesystem::path(ZINDLE_COMPONENTS_DIR) / "Zindle.component").front();
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

// Whether the process is gone: reaped, or a zombie whose parent has yet to reap it.
bool gone(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text))
        return true;
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

TEST(ValidationProcessTest, ASoundEffectPassesAsItDoesInProcess)
{
    ValidationOptions inProcess;
    inProcess.forceValidation = true;
    std::ostringstream ignored;
    for (const ComponentManifest& manifest : {test::testComponent("none"), test::testComponent("mainThreadFactory"),
                                              productEffect()}) {
        std::ostringstream printed;
        const ValidationReport child = validateInChildProcess(manifest, {}, printed);
        const ValidationReport here = validateComponent(manifest, inProcess, ignored);
        EXPECT_EQ(child.result, ValidationResult::passed) << joined(child.output);
        EXPECT_EQ(child.output, here.output) << manifest.name;
        EXPECT_EQ(printed.str(), joined(child.output)) << "each line reaches the stream";
    }
}

TEST(ValidationProcessTest, EachWayOfFailingIsReportedAndThisProcessGoesOn)
{
    ComponentManifest missingLibrary = test::testComponent("none");
    missingLibrary.libraryPath = missingLibrary.bundlePath / "Gone.so";
    // Only the effect that hangs is given a short limit: the others must end by themselves,
    // however loaded the machine.
    const struct {
        const char* what;
        ComponentManifest manifest;
        ValidationResult result;
        std::string failLine; // the start of one of its FAIL lines
        std::string verdict;
        std::chrono::milliseconds limit = 30s;
    } cases[] = {
        {"writes NaN", test::testComponent("nan"), ValidationResult::failed,
         "FAIL  render 96000 Hz, 4096 frames: noise: output channel 0, frame 0 of call 1 is NaN", "Verdict: FAILED ("},
        {"has no library", missingLibrary, ValidationResult::failed, "FAIL  open: ", "Verdict: FAILED ("},
        {"crashes", misbehaving("crash"), ValidationResult::failed,
         "FAIL  process: the validator ended on signal 11 (Segmentation fault) before its verdict",
         "Verdict: Validation probably crashed"},
        {"exits", misbehaving("exit"), ValidationResult::failed,
         "FAIL  process: the validator exited with status 7 before its verdict", "Verdict: FAILED"},
        {"hangs", misbehaving("hang"), ValidationResult::timedOut,
         "FAIL  timeout: the validation did not finish within 1.5 s; the validator was stopped", "Verdict: TIMED OUT",
         1500ms},
    };
    for (const auto& c : cases) {
        std::ostringstream printed;
        ChildValidationOptions options;
        options.timeout = c.limit;
        const ValidationReport report = validateInChildProcess(c.manifest, options, printed);
        EXPECT_EQ(report.result, c.result) << c.what << "\n" << joined(report.output);
        ASSERT_GE(report.output.size(), 2u) << c.what;
        EXPECT_THAT(report.output.front(), StartsWith("Validating \"")) << c.what << ": the lines before the end come";
        EXPECT_TRUE(std::any_of(report.output.begin(), report.output.end(),
                                [&](const std::string& line) { return line.starts_with(c.failLine); }))
            << c.what << "\n" << joined(report.output);
        EXPECT_THAT(report.output.back(), StartsWith(c.verdict)) << c.what;
        EXPECT_EQ(printed.str(), joined(report.output)) << c.what;
    }
}

TEST(ValidationProcessTest, AHungEffectLeavesNoProcessBehind)
{
    QTemporaryDir directory;
    const std::string pidFile = directory.filePath("pids").toStdString();
    const test::ScopedEnvironment environment("ZINDLE_TEST_PID_FILE", pidFile);
    ChildValidationOptions quick;
    quick.timeout = 1s;
    std::ostringstream printed;
    EXPECT_EQ(validateInChildProcess(misbehaving("hang"), quick, printed).result, ValidationResult::timedOut);

    std::ifstream pids(pidFile);
    pid_t child = 0;
    pid_t helper = 0;
    ASSERT_TRUE(pids >> child >> helper) << "the effect wrote its process ids";
    EXPECT_TRUE(gone(child)) << "the validator was ended and reaped";
    EXPECT_TRUE(test::runEventsUntil([&] { return gone(helper); }, 5s)) << "the effect's own helper process went too";
}

TEST(ValidationProcessTest, WithResultsTheHandlerComesOnceFromAnotherThread)
{
    struct Calls {
        std::mutex mutex;
        std::vector<std::pair<ValidationResult, std::vector<std::string>>> seen;
        std::thread::id thread;
    };
    auto calls = std::make_shared<Calls>();
    auto handler = [calls](ValidationResult result, std::optional<ValidationResults> results) {
        const std::lock_guard lock(calls->mutex);
        calls->thread = std::this_thread::get_id();
        calls->seen.emplace_back(result, std::any_cast<std::vector<std::string>>(results->at(validationOutputKey)));
    };
    auto count = [calls] {
        const std::lock_guard lock(calls->mutex);
        return calls->seen.size();
    };

    ChildValidationOptions options;
    options.timeout = 30s; // the crash ends it
    EXPECT_EQ(validateInChildProcessWithResults(misbehaving("crash"), options, handler), status::ok);
    ASSERT_TRUE(test::runEventsUntil([&] { return count() == 1; }, 10s));
    std::this_thread::sleep_for(100ms);
    const std::lock_guard lock(calls->mutex);
    ASSERT_EQ(calls->seen.size(), 1u);
    EXPECT_EQ(calls->seen[0].first, ValidationResult::failed);
    EXPECT_EQ(calls->seen[0].second.back(), "Verdict: Validation probably crashed");
    EXPECT_NE(calls->thread, std::this_thread::get_id());
}

TEST(ValidationProcessTest, AValidatorThatCannotStartIsSaidSo)
{
    ChildValidationOptions nowhere;
    nowhere.validatorProgram = "/nonexistent/zindle-validator";
    std::ostringstream printed;
    const ValidationReport report = validateInChildProcess(test::testComponent("none"), nowhere, printed);
    EXPECT_EQ(report.result, ValidationResult::failed);
    EXPECT_THAT(report.output, ElementsAre("FAIL  process: cannot start the validator /nonexistent/zindle-validator: "
                                           "No such file or directory",
                                           "Verdict: FAILED"));

    std::atomic<int> called{0};
    EXPECT_EQ(validateInChildProcessWithResults(test::testComponent("none"), nowhere,
                                                [&](ValidationResult, std::optional<ValidationResults>) { ++called; }),
              status::validatorUnavailable);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(called, 0);
}

} // namespace
} // namespace au
