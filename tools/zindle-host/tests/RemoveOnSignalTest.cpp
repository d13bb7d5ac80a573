#include "tools/zindle-host/RemoveOnSignal.h"

#include "TempDirectory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <optional>
#include <thread>

#include <csignal>
#include <unistd.h>

namespace zindlehost {
namespace {

// A signal sent to the process goes to any thread that does not block it. While the main
// thread holds signals to make a file and its guard, another thread takes it: the file must
// still go, once the guard stands, and the process end by the signal.
TEST(RemoveOnSignal, ASignalTakenByAnotherThreadWhileTheFileIsMadeStillRemovesIt)
{
    GTEST_FLAG_SET(death_test_style, "fast"); // the child forks off here: it sees this directory
    const test::TempDirectory directory;
    const std::filesystem::path file = directory / "half-written.wav";
    EXPECT_EXIT(
        {
            std::atomic<bool> started{false};
            std::thread other([&started] {
                started = true;
                for (;;)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            });
            while (!started)
                std::this_thread::yield();
            std::optional<RemoveOnSignal> guard;
            {
                const RemoveOnSignal::HoldSignals held;
                std::ofstream(file) << "partial";
                kill(getpid(), SIGTERM); // only the other thread can take it now
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                guard.emplace(file);
            }
            std::this_thread::sleep_for(std::chrono::seconds(5));
            other.detach();
            std::exit(0);
        },
        testing::KilledBySignal(SIGTERM), "");
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace zindlehost
