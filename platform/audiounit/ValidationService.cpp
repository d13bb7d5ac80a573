#include "platform/audiounit/ValidationService.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <iostream>
#include <streambuf>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace au::validation_service {

namespace {

// The order of the arguments.
enum Argument {
    force,
    runner,
    bundlePath,
    libraryPath,
    type,
    subtype,
    manufacturer,
    version,
    name,
    bundleIdentifier,
    bundleVersion,
    argumentCount
};

// Writes everything, whatever the interruptions; gives up quietly when the runner is gone.
void writeAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        bytes.remove_prefix(std::size_t(written));
    }
}

// A stream whose every line leaves at once as a report message: a crash a moment later
// loses none of the lines before it.
class MessageWriter final : public std::streambuf {
public:
    explicit MessageWriter(int descriptor) : descriptor_(descriptor) {}

    void result(ValidationResult value)
    {
        writeAll(descriptor_, "R " + std::to_string(static_cast<std::uint32_t>(value)) + "\n");
    }

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        if (traits_type::to_char_type(c) == '\n') {
            writeAll(descriptor_, "L " + line_ + "\n");
            line_.clear();
        } else {
            line_ += traits_type::to_char_type(c);
        }
        return c;
    }

private:
    int descriptor_;
    std::string line_;
};

std::optional<FourCharCode> codeFrom(const std::string& text)
{
    if (text.size() != 4)
        return std::nullopt;
    FourCharCode code = 0;
    for (const char c : text)
        code = (code << 8) | FourCharCode(std::uint8_t(c));
    return code;
}

template <typename Number>
std::optional<Number> numberFrom(const std::string& text)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::vector<std::string> arguments(const ComponentManifest& manifest, bool forceValidation, long runnerProcess)
{
    std::vector<std::string> list(argumentCount);
    list[force] = forceValidation ? "force" : "reuse";
    list[runner] = std::to_string(runnerProcess);
    list[bundlePath] = manifest.bundlePath.string();
    list[libraryPath] = manifest.libraryPath.string();
    list[type] = fourCharString(manifest.description.componentType);
    list[subtype] = fourCharString(manifest.description.componentSubType);
    list[manufacturer] = fourCharString(manifest.description.componentManufacturer);
    list[version] = std::to_string(manifest.version);
    list[name] = manifest.name;
    list[bundleIdentifier] = manifest.bundleIdentifier;
    list[bundleVersion] = manifest.bundleVersion;
    return list;
}

void MessageReader::add(std::string_view bytes)
{
    pending_.append(bytes);
    std::size_t start = 0;
    for (std::size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1)
        take(std::string_view(pending_).substr(start, end - start));
    pending_.erase(0, start);
}

void MessageReader::take(std::string_view message)
{
    if (message.starts_with("L ")) {
        line_(std::string(message.substr(2)));
    } else if (message.starts_with("R ") && !result_) {
        if (const auto value = numberFrom<std::uint32_t>(std::string(message.substr(2))))
            result_ = static_cast<ValidationResult>(*value);
    }
}

int run(const std::vector<std::string>& list)
{
    // Not to be left behind: the runner ends this process when it is done with it, and the
    // kernel does when the runner itself goes away.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    std::signal(SIGPIPE, SIG_IGN);
    // A crashing effect is a finding, not a core file in someone's working directory.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    // Programs the effect may start do not get the runner's channel.
    ::fcntl(reportDescriptor, F_SETFD, FD_CLOEXEC);

    const auto fail = [](const std::string& why) {
        std::cerr << "zindle-validator: " << why
                  << " (this program is run by the validation runner, which names the component)\n";
        return 2;
    };
    if (list.size() != argumentCount)
        return fail("expected " + std::to_string(int(argumentCount)) + " arguments, got " + std::to_string(list.size()));
    const auto runnerProcess = numberFrom<long>(list[runner]);
    if (!runnerProcess)
        return fail("bad runner process '" + list[runner] + "'");
    if (::getppid() != *runnerProcess)
        return 0; // the runner went away before this process could watch it

    ComponentManifest manifest;
    const auto typeCode = codeFrom(list[type]);
    const auto subtypeCode = codeFrom(list[subtype]);
    const auto manufacturerCode = codeFrom(list[manufacturer]);
    const auto versionNumber = numberFrom<std::uint32_t>(list[version]);
    if (!typeCode || !subtypeCode || !manufacturerCode || !versionNumber)
        return fail("bad component codes or version");
    manifest.description = {*typeCode, *subtypeCode, *manufacturerCode};
    manifest.version = *versionNumber;
    manifest.bundlePath = list[bundlePath];
    manifest.libraryPath = list[libraryPath];
    manifest.name = list[name];
    manifest.bundleIdentifier = list[bundleIdentifier];
    manifest.bundleVersion = list[bundleVersion];

    ValidationOptions options;
    options.forceValidation = list[force] == "force";
    MessageWriter messages(reportDescriptor);
    std::ostream out(&messages);
    const ValidationReport report = validateComponent(manifest, options, out);
    out.flush();
    messages.result(report.result);
    return 0;
}

} // namespace au::validation_service
