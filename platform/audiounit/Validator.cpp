#include "platform/audiounit/Validator.h"

#include "platform/audiounit/ComponentRegistry.h"
#include "platform/audiounit/LoadedComponent.h"
#include "platform/audiounit/validation/BusChecks.h"
#include "platform/audiounit/validation/ParameterChecks.h"
#include "platform/audiounit/validation/RenderChecks.h"
#include "platform/audiounit/validation/ReportWriter.h"
#include "platform/foundation/MainQueue.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

namespace au {

namespace fs = std::filesystem;

namespace {

using validation::guarded;
using validation::quoted;
using validation::ReportWriter;

// What the effect's view would read, read now: a damaged installation fails here, not when the
// host opens the view. The check runs where the principal's model lives, the main thread.
void checkResources(LoadedComponent& component, ReportWriter& report)
{
    std::optional<ResourceCheck> check;
    const std::shared_ptr<ViewController> principal = component.createPrincipal();
    foundation::mainQueue::sync([&] { check = principal->checkResources(); });
    if (!check)
        return;
    if (check->faults.empty())
        report.pass("resources", check->checked);
    else
        report.fail("resources", validation::join(check->faults));
}

ValidationReport runValidation(const ComponentManifest& manifest, ReportWriter& report)
{
    report.note("Validating " + quoted(manifest.name) + " (" + manifest.codesText() + "), version "
                + manifest.versionText());
    report.note("Bundle " + manifest.bundlePath.string());
    std::shared_ptr<LoadedComponent> component;
    std::shared_ptr<AudioUnit> unit;
    try {
        component = LoadedComponent::load(manifest);
        unit = component->instantiate();
        report.pass("open", "loaded " + manifest.libraryPath.filename().string()
                                + ", created the principal and its Audio Unit");
    } catch (const std::exception& error) {
        report.fail("open", error.what());
        return report.finish();
    }
    guarded(report, "resources", [&] { checkResources(*component, report); });
    // Each check guards the effect's own exceptions; this catches what is left (memory for the
    // render buffers, say), so a validation always ends in a verdict.
    try {
        if (validation::BusChecks(*unit, manifest, report).run()) {
            guarded(report, "parameters", [&] { validation::ParameterChecks(*unit, report).run(); });
            validation::RenderChecks(*unit, report).run();
        }
    } catch (const std::exception& error) {
        report.fail("validation", std::string("stopped: ") + error.what());
    } catch (...) {
        report.fail("validation", "stopped by an exception that is not a std::exception");
    }
    return report.finish();
}

// Earlier reports of this process, by component and library file as it was when validated.
// One library may serve several components of a bundle: each has a report of its own.
class ReportCache {
public:
    static std::optional<std::string> keyOf(const ComponentManifest& manifest)
    {
        const fs::path& library = manifest.libraryPath;
        std::error_code error;
        const auto size = fs::file_size(library, error);
        if (error)
            return std::nullopt;
        const auto written = fs::last_write_time(library, error);
        if (error)
            return std::nullopt;
        return manifest.codesText() + '\n' + manifest.name + '\n' + library.string() + '\n' + std::to_string(size)
               + '\n' + std::to_string(written.time_since_epoch().count());
    }

    std::optional<ValidationReport> find(const std::string& key)
    {
        const std::lock_guard lock(mutex_);
        const auto found = reports_.find(key);
        return found == reports_.end() ? std::nullopt : std::optional(found->second);
    }

    void store(const std::string& key, const ValidationReport& report)
    {
        const std::lock_guard lock(mutex_);
        reports_[key] = report;
    }

private:
    std::mutex mutex_;
    std::map<std::string, ValidationReport> reports_;
};

ReportCache& reportCache()
{
    static ReportCache cache;
    return cache;
}

ValidationReport validate(const ComponentManifest& manifest, const ValidationOptions& options, ReportWriter& report)
{
    const std::optional<std::string> key = ReportCache::keyOf(manifest);
    if (key && !options.forceValidation) {
        if (std::optional<ValidationReport> earlier = reportCache().find(*key)) {
            report.note("(the report of an earlier validation of this unchanged library)");
            for (const std::string& line : earlier->output)
                report.note(line);
            return {earlier->result, report.lines()};
        }
    }
    ValidationReport result = runValidation(manifest, report);
    if (key)
        reportCache().store(*key, result);
    return result;
}

} // namespace

ValidationReport validateComponent(const ComponentManifest& manifest, const ValidationOptions& options,
                                   std::ostream& out)
{
    ReportWriter report(out);
    return validate(manifest, options, report);
}

ValidationReport validateComponent(const ComponentDescription& description, const ValidationOptions& options,
                                   std::ostream& out)
{
    const std::vector<ComponentManifest> found = ComponentRegistry().componentsMatching(description);
    if (found.empty()) {
        ReportWriter report(out);
        report.fail("open", "no installed component matches " + codesText(description));
        return report.finish();
    }
    return validateComponent(found.front(), options, out);
}

void validateWithResults(const ComponentManifest& manifest, const ValidationOptions& options,
                         ValidationHandler handler)
{
    // Shared by the worker and the watchdog; whichever comes first calls the handler.
    struct Run {
        std::ostream silent{nullptr};
        ReportWriter report{silent};
        std::mutex mutex;
        std::condition_variable finishedSignal;
        bool finished = false;
        std::atomic<bool> answered{false};
        ValidationHandler handler;

        void answer(ValidationResult result, std::vector<std::string> lines)
        {
            if (answered.exchange(true))
                return;
            ValidationResults results{{validationOutputKey, std::move(lines)}};
            try {
                handler(result, std::move(results));
            } catch (const std::exception& error) {
                std::cerr << "warning: a validation handler threw: " << error.what() << '\n';
            } catch (...) {
                std::cerr << "warning: a validation handler threw\n";
            }
        }
    };
    auto run = std::make_shared<Run>();
    run->handler = std::move(handler);

    std::thread([run, manifest, options] {
        ValidationReport report = validate(manifest, options, run->report);
        {
            const std::lock_guard lock(run->mutex);
            run->finished = true;
        }
        run->finishedSignal.notify_all();
        run->answer(report.result, std::move(report.output));
    }).detach();

    std::thread([run, timeout = options.timeout] {
        std::unique_lock lock(run->mutex);
        if (run->finishedSignal.wait_for(lock, timeout, [&] { return run->finished; }))
            return;
        lock.unlock();
        std::vector<std::string> lines = run->report.lines();
        lines.push_back("FAIL  timeout: the validation did not finish within " + std::to_string(timeout.count())
                        + " ms");
        lines.push_back("Verdict: TIMED OUT");
        run->answer(ValidationResult::timedOut, std::move(lines));
    }).detach();
}

} // namespace au
