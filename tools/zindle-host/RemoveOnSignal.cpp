#include "tools/zindle-host/RemoveOnSignal.h"

#include <array>
#include <atomic>
#include <climits>
#include <cstring>

#include <pthread.h>
#include <unistd.h>

namespace zindlehost {

namespace {

constexpr std::array<int, 2> cleanedSignals{SIGINT, SIGTERM};

// What the handler may read: fixed storage, never freed, so a signal that races a guard's end
// reads a stale name at worst (and the guards end only once their file is renamed or gone).
struct Slot {
    std::atomic<bool> armed{false};
    char path[PATH_MAX] = {};
};
std::array<Slot, RemoveOnSignal::maximumGuards> slots;

int guardCount = 0; // main thread: the guards and holds that need the handlers
pthread_t mainThread{}; // the thread that makes the guards, set before the handlers are
std::array<struct sigaction, cleanedSignals.size()> previousActions{};
std::array<bool, cleanedSignals.size()> installed{};

extern "C" void removeFilesAndEnd(int signalNumber)
{
    // The signal may land on any thread that does not block it, also while the main thread
    // holds it to make a file and its guard: handed on, it waits there until the guard stands.
    if (!pthread_equal(pthread_self(), mainThread)) {
        pthread_kill(mainThread, signalNumber);
        return;
    }
    for (Slot& slot : slots) {
        if (slot.armed.load(std::memory_order_acquire))
            unlink(slot.path);
    }
    // End as the signal would have: the default action, taken once this handler returns (the
    // signal is blocked until then).
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    sigaction(signalNumber, &defaultAction, nullptr);
    raise(signalNumber);
}

void installHandlers()
{
    mainThread = pthread_self();
    struct sigaction action = {};
    action.sa_handler = removeFilesAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : cleanedSignals)
        sigaddset(&action.sa_mask, signalNumber);
    for (std::size_t i = 0; i < cleanedSignals.size(); ++i) {
        sigaction(cleanedSignals[i], nullptr, &previousActions[i]);
        installed[i] = previousActions[i].sa_handler != SIG_IGN;
        if (installed[i])
            sigaction(cleanedSignals[i], &action, nullptr);
    }
}

void restoreHandlers()
{
    for (std::size_t i = 0; i < cleanedSignals.size(); ++i) {
        if (installed[i])
            sigaction(cleanedSignals[i], &previousActions[i], nullptr);
        installed[i] = false;
    }
}

// Main thread: the handlers stand while a guard or a hold needs them.
void takeHandlers()
{
    if (guardCount++ == 0)
        installHandlers();
}

void releaseHandlers()
{
    if (--guardCount == 0)
        restoreHandlers();
}

} // namespace

RemoveOnSignal::RemoveOnSignal(const std::filesystem::path& path)
{
    const std::string& text = path.native();
    if (text.size() >= PATH_MAX)
        return; // no system call takes such a path: nothing was made there to remove
    for (int i = 0; i < maximumGuards; ++i) {
        Slot& slot = slots[static_cast<std::size_t>(i)];
        if (slot.armed.load(std::memory_order_relaxed))
            continue;
        std::memcpy(slot.path, text.c_str(), text.size() + 1);
        slot.armed.store(true, std::memory_order_release);
        slot_ = i;
        break;
    }
    if (slot_ >= 0)
        takeHandlers();
}

RemoveOnSignal::~RemoveOnSignal()
{
    if (slot_ < 0)
        return;
    slots[static_cast<std::size_t>(slot_)].armed.store(false, std::memory_order_release);
    releaseHandlers();
}

RemoveOnSignal::HoldSignals::HoldSignals()
{
    // Handlers first: a signal that another thread takes meanwhile is handed to this one.
    takeHandlers();
    sigset_t held;
    sigemptyset(&held);
    for (const int signalNumber : cleanedSignals)
        sigaddset(&held, signalNumber);
    pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

RemoveOnSignal::HoldSignals::~HoldSignals()
{
    // A held signal arrives here, while the handlers still stand.
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    releaseHandlers();
}

} // namespace zindlehost
