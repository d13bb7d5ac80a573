#pragma once

#include <filesystem>

#include <signal.h>

namespace zindlehost {

/// While it lives, an interrupt (SIGINT, Ctrl-C) or SIGTERM first removes the file at path and
/// then ends the process as that signal does (the shell reports 130 or 143), so an interrupted
/// command leaves no half-written file behind. A signal the process ignores (SIGINT of a
/// background job) stays ignored; the dispositions in place before the first guard come back
/// when the last one goes. At most maximumGuards files are guarded at once; a guard beyond
/// that removes nothing.
///
/// Main thread. The handler unlinks on the main thread; another thread that takes the signal
/// hands it there.
class RemoveOnSignal {
public:
    static constexpr int maximumGuards = 4;

    explicit RemoveOnSignal(const std::filesystem::path& path);
    ~RemoveOnSignal();

    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;

    /// Whether a signal would remove the file (false only beyond maximumGuards).
    bool isArmed() const { return slot_ >= 0; }

    /// Holds SIGINT and SIGTERM back while it lives: a file made and guarded inside it never
    /// exists unguarded, whichever thread takes the signal (another thread hands it to the
    /// main thread, where it waits). A held signal arrives when the hold ends. Main thread.
    class HoldSignals {
    public:
        HoldSignals();
        ~HoldSignals();
        HoldSignals(const HoldSignals&) = delete;
        HoldSignals& operator=(const HoldSignals&) = delete;

    private:
        sigset_t previous_{};
    };

private:
    int slot_ = -1;
};

} // namespace zindlehost
