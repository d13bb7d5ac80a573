// The welcome window's model: the lookup, the result table and the printed report with fake
// validations of each kind, then the real validation in a child process against the built
// effect and against test effects that write NaN, crash or hang.
#include "Zindle/ContentViewModel.h"

#include "Mossbell/tests/QStringPrinter.h"
#include "platform/audiounit/ValidationProcess.h"
#include "platform/audiounit/tests/ComponentTestSupport.h"
#include "platform/foundation/tests/EventLoopWait.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

namespace zindleapp {
namespace {

using au::ValidationResult;
using foundation::test::runEventLoopUntil;
using ::testing::HasSubstr;
using namespace std::chrono_literals;

const QString lookupFailure = "Failed to find component with type: aufx, subtype: voco, manufacturer: Vart)";

au::ComponentManifest manifestNamed(const std::string& name)
{
    au::ComponentManifest manifest;
    manifest.name = name;
    return manifest;
}

au::ValidationResults output(std::vector<std::string> lines)
{
    return {{au::validationOutputKey, std::move(lines)}};
}

// A model whose lookup and validation the test sets, printing into a stream of its own.
struct Bench {
    std::vector<au::ComponentManifest> installed{manifestNamed("first"), manifestNamed("second")};
    std::vector<au::ComponentDescription> asked;
    std::vector<std::string> validated;
    std::function<au::Status(au::ValidationHandler)> validation;
    std::ostringstream printed;
    std::shared_ptr<ContentViewModel> model = std::make_shared<ContentViewModel>(
        [this](const au::ComponentDescription& description) {
            asked.push_back(description);
            return installed;
        },
        [this](const au::ComponentManifest& manifest, au::ValidationHandler handler) {
            validated.push_back(manifest.name);
            return validation(std::move(handler));
        },
        300ms, printed);

    // Runs validate() to its end; how many times done came.
    int validate()
    {
        int done = 0;
        model->validate([&] { ++done; });
        EXPECT_TRUE(runEventLoopUntil([&] { return done > 0; }));
        foundation::test::runEventLoopFor(50ms); // room for a second, wrong, call
        return done;
    }
};

TEST(ContentViewModelTest, FourCharCodes)
{
    const std::pair<QString, std::uint32_t> cases[] = {
        {"aufx", 0x61756678u}, {"Vart", 0x56617274u}, {"voco", 0x766f636fu}, {"auf", 0}, {"aufxx", 0}, {"", 0},
        {QString::fromUtf8("auf\u00e9"), 0},    // four characters, five bytes
        {QString::fromUtf8("e\u0301ab"), 0},    // three characters, five bytes
        {QStringLiteral("\r\nab"), 0},          // four bytes, but "\r\n" is one character
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(ContentViewModel::fourCharCode(text), code) << text.toStdString();
}

TEST(ContentViewModelTest, NothingInstalledSaysSoAndPrintsNothing)
{
    Bench bench;
    bench.installed.clear();
    EXPECT_EQ(bench.model->statusText(), "Validating...");
    EXPECT_EQ(bench.validate(), 1);
    EXPECT_EQ(bench.model->statusText(), lookupFailure);
    EXPECT_TRUE(bench.printed.str().empty());
    EXPECT_TRUE(bench.validated.empty());
    ASSERT_EQ(bench.asked.size(), 1u);
    EXPECT_EQ(bench.asked[0], (au::ComponentDescription{0x61756678u, 0x766f636fu, 0x56617274u}));
}

TEST(ContentViewModelTest, TheResultDecidesTheStatusAndTheReportIsPrintedTwice)
{
    struct Case {
        ValidationResult result;
        std::optional<au::ValidationResults> results;
        QString status;
        std::string report;
    };
    au::ValidationResults wrongType{{au::validationOutputKey, std::string("one text")}};
    const Case cases[] = {
        {ValidationResult::passed, output({"PASS  a", "Verdict: PASSED (1 checks)"}), "Validation Passed",
         "PASS  a\nVerdict: PASSED (1 checks)"},
        {ValidationResult::failed, output({"FAIL  a"}), "Validation Failed", "FAIL  a"},
        {ValidationResult::timedOut, output({}), "Validation Failed", ""},
        {ValidationResult::unauthorizedOpen, output({"x"}), "Validation Failed", "x"},
        {ValidationResult::unauthorizedInit, output({"x"}), "Validation Failed", "x"},
        {ValidationResult::unknown, output({"x"}), "Validation Failed", "x"},
        {ValidationResult::passed, std::nullopt, "Validation Passed", "Validation probably crashed"},
        {ValidationResult::failed, wrongType, "Validation Failed", "Validation probably crashed"},
        {ValidationResult::failed, au::ValidationResults{}, "Validation Failed", "Validation probably crashed"},
    };
    for (const Case& c : cases) {
        Bench bench;
        bench.validation = [&](au::ValidationHandler handler) {
            // From a thread of its own, as the platform calls it.
            std::thread([handler, c] { handler(c.result, c.results); }).join();
            return au::status::ok;
        };
        EXPECT_EQ(bench.validate(), 1) << c.report;
        EXPECT_EQ(bench.model->statusText(), c.status) << c.report;
        EXPECT_EQ(bench.printed.str(), c.report + "\n" + c.report + "\n");
        EXPECT_EQ(bench.validated, std::vector<std::string>{"first"}) << "only the first found is validated";
    }
}

// The validation's own status is examined, a handler that never comes is given up on, and a
// second one changes nothing: the wait ends exactly once, never as passed.
TEST(ContentViewModelTest, TheWaitEndsOnceWhateverTheValidationDoes)
{
    struct Case {
        const char* what;
        std::function<au::Status(au::ValidationHandler)> validation;
        std::string report;
    };
    const Case cases[] = {
        {"refused", [](au::ValidationHandler) { return au::status::validatorUnavailable; },
         "The validation could not be started (status -66745)."},
        {"never answers", [](au::ValidationHandler) { return au::status::ok; },
         "The validation did not answer within 0.3 s."},
        {"refuses yet answers",
         [](au::ValidationHandler handler) {
             handler(ValidationResult::passed, output({"PASS  late"}));
             return au::Status(-50);
         },
         "PASS  late"},
        {"answers twice",
         [](au::ValidationHandler handler) {
             handler(ValidationResult::failed, output({"FAIL  first"}));
             handler(ValidationResult::passed, output({"PASS  second"}));
             return au::status::ok;
         },
         "FAIL  first"},
    };
    for (const Case& c : cases) {
        Bench bench;
        bench.validation = c.validation;
        EXPECT_EQ(bench.validate(), 1) << c.what;
        EXPECT_EQ(bench.model->statusText(), "Validation Failed") << c.what;
        EXPECT_THAT(bench.printed.str(), HasSubstr(c.report + "\n")) << c.what;
        EXPECT_THAT(bench.printed.str(), ::testing::Not(HasSubstr("second"))) << c.what;
    }
}

TEST(ContentViewModelTest, StatusNotifiesOnlyOnAChangeAndStaysUntilTheNextOutcome)
{
    Bench bench;
    int notified = 0;
    auto token = bench.model->observeStatusText([&](const QString&) { ++notified; });
    bench.model->setStatusText("Validating...");
    EXPECT_EQ(notified, 0);

    au::ValidationHandler pending;
    bench.validation = [&](au::ValidationHandler handler) {
        handler(ValidationResult::passed, output({}));
        return au::status::ok;
    };
    bench.validate();
    EXPECT_EQ(bench.model->statusText(), "Validation Passed");
    EXPECT_EQ(notified, 1);

    bench.validation = [&](au::ValidationHandler handler) {
        pending = std::move(handler);
        return au::status::ok;
    };
    bool done = false;
    bench.model->validate([&] { done = true; });
    foundation::test::runEventLoopFor(50ms);
    EXPECT_EQ(bench.model->statusText(), "Validation Passed") << "not reset while the second runs";
    pending(ValidationResult::failed, output({}));
    ASSERT_TRUE(runEventLoopUntil([&] { return done; }));
    EXPECT_EQ(bench.model->statusText(), "Validation Failed");
    EXPECT_EQ(notified, 2);
}

// The real thing: the default lookup and the validation in a child process. The limit is far
// above what a validation takes on a loaded machine, but for the effect that hangs.
struct RealBench {
    explicit RealBench(std::vector<au::ComponentManifest> installed = {},
                       std::chrono::milliseconds limit = std::chrono::seconds(20))
        : model(std::make_shared<ContentViewModel>(
              installed.empty() ? ContentViewModel::installedComponents()
                                : ContentViewModel::ComponentLookup(
                                      [installed](const au::ComponentDescription&) { return installed; }),
              ContentViewModel::validationInChildProcess(limit), 25s, printed))
    {
    }
    void validate()
    {
        bool done = false;
        model->validate([&] { done = true; });
        EXPECT_TRUE(runEventLoopUntil([&] { return done; }, 40s));
    }
    std::ostringstream printed;
    std::shared_ptr<ContentViewModel> model;
};

TEST(ContentViewModelTest, TheBuiltEffectPasses)
{
    RealBench bench;
    bench.validate();
    EXPECT_EQ(bench.model->statusText(), "Validation Passed") << bench.printed.str();
    const std::string printed = bench.printed.str();
    EXPECT_THAT(printed, HasSubstr("Validating \"Vart: Zindle\" (aufx voco Vart)"));
    const auto first = printed.find("Verdict: PASSED");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(printed.find("Verdict: PASSED", first + 1), std::string::npos) << "printed twice";
}

TEST(ContentViewModelTest, BrokenEffectsAreReportedAndTheApplicationLivesOn)
{
    const std::filesystem::path misbehaving{ZINDLE_MISBEHAVING_COMPONENTS_DIR};
    const struct {
        std::filesystem::path bundle;
        const char* line;
        std::chrono::milliseconds limit;
    } cases[] = {
        {std::filesystem::path(ZINDLE_TEST_COMPONENTS_DIR) / "Test_nan.component", "is NaN", 20s},
        {misbehaving / "Test_crash.component", "Verdict: Validation probably crashed", 20s},
        {misbehaving / "Test_hang.component", "Verdict: TIMED OUT", 1500ms},
    };
    for (const auto& [bundle, line, limit] : cases) {
        RealBench bench(au::readComponentManifests(bundle), limit);
        bench.validate();
        EXPECT_EQ(bench.model->statusText(), "Validation Failed") << bundle;
        EXPECT_THAT(bench.printed.str(), HasSubstr(line)) << bundle;
    }
}

} // namespace
} // namespace zindleapp
