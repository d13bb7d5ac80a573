#include "platform/audiounit/ValidationProcess.h"

#include "platform/audiounit/ValidationService.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <future>
#include <optional>
#include <thread>
#include <variant>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace au {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// A validator process while it runs: its id (also its process group's) and the end of the
// pipe its messages arrive on.
struct Child {
    pid_t pid = 0;
    int messages = -1;
};

std::string errorText(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

std::string signalText(int signal)
{
    const char* description = ::sigdescr_np(signal);
    return "signal " + std::to_string(signal) + (description ? std::string(" (") + description + ")" : std::string());
}

std::string secondsText(std::chrono::milliseconds duration)
{
    const auto count = duration.count();
    std::string text = std::to_string(count / 1000);
    if (count % 1000 != 0) {
        std::string fraction = std::to_string(1000 + count % 1000).substr(1);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text += "." + fraction;
    }
    return text + " s";
}

// Starts the validator program in a process group of its own, its messages on a pipe at the
// service's descriptor and its standard output on our standard error (an effect's chatter
// must not mix with a report printed on standard output). The child is bound to the calling
// thread (it stops when the thread ends). Returns the child or the error number.
std::variant<Child, int> spawnValidator(const ComponentManifest& manifest, const ChildValidationOptions& options)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return errno;
    // Kept clear of the service's descriptor, so the move below really clears close-on-exec.
    const int writeEnd = ::fcntl(pipe[1], F_DUPFD_CLOEXEC, validation_service::reportDescriptor + 1);
    ::close(pipe[1]);
    if (writeEnd < 0) {
        const int error = errno;
        ::close(pipe[0]);
        return error;
    }

    const std::string program = options.validatorProgram.string();
    std::vector<std::string> arguments{program};
    for (std::string& argument : validation_service::arguments(manifest, options.forceValidation, long(::getpid())))
        arguments.push_back(std::move(argument));
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, writeEnd, validation_service::reportDescriptor);
    posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);

    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(writeEnd);
    if (error != 0) {
        ::close(pipe[0]);
        return error;
    }
    ::fcntl(pipe[0], F_SETFL, O_NONBLOCK);
    return Child{pid, pipe[0]};
}

// Reads what is there; false once the pipe is closed.
bool drain(int descriptor, validation_service::MessageReader& reader)
{
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count > 0) {
            reader.add(std::string_view(buffer, std::size_t(count)));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        return count < 0; // 0: closed; EAGAIN: open and empty
    }
}

// How the child ended, without reaping it: while it is a zombie its process group cannot
// be taken by another process, so killing the group stays safe.
std::optional<siginfo_t> ended(pid_t pid)
{
    siginfo_t info{};
    if (::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == 0)
        return std::nullopt;
    return info;
}

ValidationReport supervise(const Child& child, const ChildValidationOptions& options, std::ostream& out)
{
    ValidationReport report;
    const auto add = [&](std::string line) {
        out << line << '\n';
        out.flush();
        report.output.push_back(std::move(line));
    };
    validation_service::MessageReader reader(add);

    const Clock::time_point deadline = Clock::now() + options.timeout;
    bool open = true;
    std::optional<siginfo_t> end;
    for (;;) {
        if (open)
            open = drain(child.messages, reader);
        if ((end = ended(child.pid))) {
            if (open)
                drain(child.messages, reader);
            break;
        }
        const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (remaining.count() <= 0)
            break;
        const auto wait = std::min(remaining, std::chrono::milliseconds(50));
        if (open) {
            pollfd watched{child.messages, POLLIN, 0};
            ::poll(&watched, 1, int(wait.count()));
        } else {
            std::this_thread::sleep_for(wait);
        }
    }

    // The group goes, with whatever the effect started; then the child is reaped.
    ::kill(-child.pid, SIGKILL);
    int status = 0;
    while (::waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    ::close(child.messages);

    if (reader.result()) {
        report.result = *reader.result();
    } else if (!end) {
        report.result = ValidationResult::timedOut;
        add("FAIL  timeout: the validation did not finish within " + secondsText(options.timeout)
            + "; the validator was stopped");
        add("Verdict: TIMED OUT");
    } else if (end->si_code == CLD_KILLED || end->si_code == CLD_DUMPED) {
        report.result = ValidationResult::failed;
        add("FAIL  process: the validator ended on " + signalText(end->si_status) + " before its verdict");
        add("Verdict: Validation probably crashed");
    } else {
        report.result = ValidationResult::failed;
        add("FAIL  process: the validator exited with status " + std::to_string(end->si_status)
            + " before its verdict");
        add("Verdict: FAILED");
    }
    return report;
}

ValidationReport startFailure(const ChildValidationOptions& options, int error, std::ostream& out)
{
    ValidationReport report{ValidationResult::failed, {}};
    report.output.push_back("FAIL  process: cannot start the validator " + options.validatorProgram.string() + ": "
                            + errorText(error));
    report.output.push_back("Verdict: FAILED");
    for (const std::string& line : report.output)
        out << line << '\n';
    out.flush();
    return report;
}

} // namespace

fs::path ChildValidationOptions::defaultValidatorProgram()
{
    std::error_code error;
    const fs::path program = fs::canonical("/proc/self/exe", error);
    return (error ? fs::path() : program.parent_path()) / "zindle-validator";
}

ValidationReport validateInChildProcess(const ComponentManifest& manifest, const ChildValidationOptions& options,
                                        std::ostream& out)
{
    const auto spawned = spawnValidator(manifest, options);
    if (const int* error = std::get_if<int>(&spawned))
        return startFailure(options, *error, out);
    return supervise(std::get<Child>(spawned), options, out);
}

Status validateInChildProcessWithResults(const ComponentManifest& manifest, const ChildValidationOptions& options,
                                         ValidationHandler handler)
{
    // The child is started by the thread that watches it, which lives until it is reaped;
    // the caller waits only for the start.
    std::promise<bool> startedPromise;
    std::future<bool> started = startedPromise.get_future();
    std::thread([manifest, options, handler = std::move(handler), startedPromise = std::move(startedPromise)]() mutable {
        const auto spawned = spawnValidator(manifest, options);
        startedPromise.set_value(std::holds_alternative<Child>(spawned));
        if (!std::holds_alternative<Child>(spawned))
            return;
        std::ostream silent(nullptr);
        ValidationReport report = supervise(std::get<Child>(spawned), options, silent);
        ValidationResults results{{validationOutputKey, std::move(report.output)}};
        try {
            handler(report.result, std::move(results));
        } catch (const std::exception& error) {
            std::cerr << "warning: a validation handler threw: " << error.what() << '\n';
        }
    }).detach();
    return started.get() ? status::ok : status::validatorUnavailable;
}

} // namespace au
