#include "Zindle/ContentViewModel.h"

#include "platform/audiounit/ComponentRegistry.h"
#include "platform/audiounit/ValidationProcess.h"
#include "platform/foundation/MainQueue.h"

#include <QStringList>
#include <QTextBoundaryFinder>
#include <QTimer>

#include <any>
#include <atomic>

namespace zindleapp {

namespace {

constexpr std::string_view source = "Zindle/ContentViewModel";

const QString effectType = QStringLiteral("aufx");
const QString effectSubtype = QStringLiteral("voco");
const QString effectManufacturer = QStringLiteral("Vart");

int graphemeCount(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

// The report text of a validation's results: the "Output" lines joined by line feeds.
QString reportText(const std::optional<au::ValidationResults>& results)
{
    if (results) {
        const auto output = results->find(au::validationOutputKey);
        if (output != results->end()) {
            if (const auto* lines = std::any_cast<std::vector<std::string>>(&output->second)) {
                QStringList joined;
                for (const std::string& line : *lines)
                    joined << QString::fromStdString(line);
                return joined.join(QLatin1Char('\n'));
            }
        }
    }
    return QStringLiteral("Validation probably crashed");
}

// The wait for one validation. It ends once, on the main thread, with the first of: the
// handler's answer, a refused start (which wins even over an answer that came during the
// refusing call), the time limit. Only the first answer is printed: a later one is dropped
// before it touches anything.
class Continuation {
public:
    explicit Continuation(std::function<void(ContentViewModel::Outcome)> completion)
        : completion_(std::move(completion))
    {
    }

    /// True for the first answer only: the handler's, or the time limit's. Any thread.
    bool claimAnswer() { return !answered_.exchange(true); }
    /// No answer counts any more (a refused start). Any thread.
    void closeAnswers() { answered_ = true; }

    /// Main thread: the first call hands the outcome on, later ones do nothing.
    void resume(ContentViewModel::Outcome outcome)
    {
        if (resumed_)
            return;
        resumed_ = true;
        completion_(std::move(outcome));
    }

private:
    std::atomic<bool> answered_{false};
    bool resumed_ = false; // main thread
    std::function<void(ContentViewModel::Outcome)> completion_;
};

} // namespace

ContentViewModel::ComponentLookup ContentViewModel::installedComponents()
{
    return [](const au::ComponentDescription& description) {
        return au::ComponentRegistry().componentsMatching(description);
    };
}

ContentViewModel::Validation ContentViewModel::validationInChildProcess(std::chrono::milliseconds timeout)
{
    return [timeout](const au::ComponentManifest& manifest, au::ValidationHandler handler) {
        au::ChildValidationOptions options;
        options.forceValidation = true;
        options.timeout = timeout;
        return au::validateInChildProcessWithResults(manifest, options, std::move(handler));
    };
}

ContentViewModel::ContentViewModel()
    : ContentViewModel(installedComponents(), validationInChildProcess(au::defaultChildValidationTimeout),
                       au::defaultChildValidationTimeout + answerMargin)
{
}

ContentViewModel::ContentViewModel(ComponentLookup lookup, Validation validation, std::chrono::milliseconds answerLimit,
                                   std::ostream& out)
    : lookup_(std::move(lookup)), validation_(std::move(validation)), answerLimit_(answerLimit), out_(out)
{
}

std::uint32_t ContentViewModel::fourCharCode(const QString& text)
{
    if (graphemeCount(text) != 4)
        return 0;
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() != 4)
        return 0;
    std::uint32_t code = 0;
    for (const char byte : bytes)
        code = (code << 8) | std::uint8_t(byte);
    return code;
}

std::optional<au::ComponentManifest> ContentViewModel::findComponent(const QString& type, const QString& subtype,
                                                                     const QString& manufacturer) const
{
    const au::ComponentDescription description{fourCharCode(type), fourCharCode(subtype), fourCharCode(manufacturer)};
    std::vector<au::ComponentManifest> found = lookup_(description);
    if (found.empty())
        return std::nullopt;
    return std::move(found.front());
}

void ContentViewModel::validate(std::function<void()> done)
{
    if (!foundation::mainQueue::isMainThread()) {
        foundation::mainQueue::async([self = shared_from_this(), done = std::move(done)]() mutable {
            self->validate(std::move(done));
        });
        return;
    }
    const std::optional<au::ComponentManifest> component = findComponent(effectType, effectSubtype, effectManufacturer);
    if (!component) {
        setStatusText(QStringLiteral("Failed to find component with type: ") + effectType
                      + QStringLiteral(", subtype: ") + effectSubtype + QStringLiteral(", manufacturer: ")
                      + effectManufacturer + QStringLiteral(")"));
        if (done)
            done();
        return;
    }
    validateAU(*component, [weak = weak_from_this(), done = std::move(done)](const Outcome& outcome) {
        if (const auto self = weak.lock()) {
            self->setStatusText(outcome.first == au::ValidationResult::passed ? QStringLiteral("Validation Passed")
                                                                               : QStringLiteral("Validation Failed"));
            self->out_ << outcome.second.toStdString() << '\n';
            self->out_.flush();
        }
        if (done)
            done();
    });
}

void ContentViewModel::validateAU(const au::ComponentManifest& audioUnit, std::function<void(Outcome)> completion)
{
    foundation::mainQueue::requireMainThread("validateAU(audioUnit:) called off the main thread", source, __LINE__);
    auto continuation = std::make_shared<Continuation>(std::move(completion));

    // The validator's thread: prints the report and hands it to the main thread; it touches no
    // model state.
    std::ostream& out = out_;
    const au::Status status = validation_(
        audioUnit, [continuation, &out](au::ValidationResult result, std::optional<au::ValidationResults> results) {
            if (!continuation->claimAnswer())
                return;
            QString report = reportText(results);
            out << report.toStdString() << '\n';
            out.flush();
            foundation::mainQueue::async([continuation, outcome = Outcome{result, std::move(report)}]() mutable {
                continuation->resume(std::move(outcome));
            });
        });

    if (status != au::status::ok) {
        continuation->closeAnswers();
        continuation->resume(
            {au::ValidationResult::failed, QStringLiteral("The validation could not be started (status %1).").arg(status)});
        return;
    }
    QTimer::singleShot(answerLimit_, [continuation, limit = answerLimit_] {
        if (continuation->claimAnswer())
            continuation->resume({au::ValidationResult::timedOut,
                                  QStringLiteral("The validation did not answer within %1 s.").arg(limit.count() / 1000.0)});
    });
}

} // namespace zindleapp
