#pragma once

#include "platform/audiounit/ComponentManifest.h"
#include "platform/audiounit/Status.h"
#include "platform/audiounit/Validator.h"
#include "platform/foundation/Observation.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

namespace zindleapp {

/// The model behind the welcome window: finds the installed effect by its component codes
/// ("aufx", "voco", "Vart"), has it validated and shows the outcome as one line, statusText.
/// The application never creates the effect itself; the validation runs it in a child process
/// (au::validateInChildProcessWithResults), so an effect that crashes or hangs cannot take the
/// application down. The full report goes to standard output, twice per validation (the
/// result handler prints it, then validate() does).
///
/// Main thread (statusText is observed by the view); the one exception is the validation's
/// result handler, which runs on the validator's thread and only prints and hands its outcome
/// back. Made with std::make_shared: a validation in flight holds the model weakly.
class ContentViewModel : public std::enable_shared_from_this<ContentViewModel> {
public:
    /// Every installed component matching a description, in the registry's order.
    using ComponentLookup = std::function<std::vector<au::ComponentManifest>(const au::ComponentDescription&)>;
    /// Asks for a validation of a component. Returns au::status::ok when it started (the
    /// handler is then due exactly once, on any thread), else the error status (no handler).
    using Validation = std::function<au::Status(const au::ComponentManifest&, au::ValidationHandler)>;
    /// The outcome validateAU hands back: the result and the report text.
    using Outcome = std::pair<au::ValidationResult, QString>;

    /// A handler that never comes is given up on after the child validation's own limit and
    /// this much more.
    static constexpr std::chrono::milliseconds answerMargin{10'000};

    /// The installed components, as a default ComponentRegistry finds them.
    static ComponentLookup installedComponents();
    /// A forced validation in a child process, ended after timeout.
    static Validation validationInChildProcess(std::chrono::milliseconds timeout);

    /// The installed components validated in a child process (30 s at most).
    ContentViewModel();
    /// With a lookup and a validation of the caller's; the report goes to out, and a handler
    /// that has not come after answerLimit ends the wait with a timed-out outcome.
    ContentViewModel(ComponentLookup lookup, Validation validation, std::chrono::milliseconds answerLimit,
                     std::ostream& out = std::cout);

    /// "Validating..." until validate() finishes; read by the welcome view's debug line.
    const QString& statusText() const { return statusText_.get(); }
    /// Notifies only when the text differs from the one shown.
    void setStatusText(QString text) { statusText_.set(std::move(text)); }
    foundation::ObservationToken observeStatusText(std::function<void(const QString&)> callback)
    {
        return statusText_.observe(std::move(callback));
    }

    /// Looks the effect up and validates it, once per call; when it is over, statusText is
    /// the lookup failure "Failed to find component with type: aufx, subtype: voco,
    /// manufacturer: Vart)", "Validation Passed" or "Validation Failed", and done (optional)
    /// runs. Returns at once: the validation runs while the event loop goes on. A call from
    /// another thread moves to the main thread first. statusText is not reset when it starts.
    void validate(std::function<void()> done = {});

    /// The first installed component with those codes.
    std::optional<au::ComponentManifest> findComponent(const QString& type, const QString& subtype,
                                                       const QString& manufacturer) const;

    /// The code of four single-byte characters, the first in the most significant byte
    /// ("aufx" is 0x61756678); 0 for a text of another length in characters (grapheme
    /// clusters) or in UTF-8 bytes. Any thread.
    static std::uint32_t fourCharCode(const QString& text);

    /// Validates the component ("ForceValidation") and hands the outcome to completion on the
    /// main thread, exactly once whatever happens: the report is the "Output" lines joined by
    /// line feeds ("Validation probably crashed" when the results lack them) and is printed
    /// when it comes; a validation that cannot start, or whose handler never comes, ends as
    /// failed or timed out with a report saying so; a second handler call is dropped.
    void validateAU(const au::ComponentManifest& audioUnit, std::function<void(Outcome)> completion);

private:
    ComponentLookup lookup_;
    Validation validation_;
    std::chrono::milliseconds answerLimit_;
    std::ostream& out_;
    foundation::Observed<QString> statusText_{QStringLiteral("Validating...")};
};

} // namespace zindleapp
