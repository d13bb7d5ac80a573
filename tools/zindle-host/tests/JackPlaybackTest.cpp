#include "PlaybackTestSupport.h"
#include "ProbeUnit.h"
#include "TempDirectory.h"

#include "tools/zindle-host/JackOutput.h"
#include "tools/zindle-host/LoopPlayer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zindlehost {
namespace {

using test::ProbeUnit;
using test::ramp;
using test::waitUntil;

std::filesystem::path findProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream directories(path ? path : "/usr/bin:/bin");
    for (std::string directory; std::getline(directories, directory, ':');) {
        const std::filesystem::path candidate = std::filesystem::path(directory) / name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// A JACK server of this test's own, under a private name (so it meets no other server and no
// other test), on the dummy driver: real time without a sound card. While it lives,
// JACK_DEFAULT_SERVER names it, for this process and the server alike.
class PrivateJackServer {
public:
    PrivateJackServer(const std::filesystem::path& jackd, const std::filesystem::path& log)
        : name_("zindle-test-" + std::to_string(getpid())), log_(log)
    {
        const char* previous = std::getenv("JACK_DEFAULT_SERVER");
        previous_ = previous ? std::optional<std::string>(previous) : std::nullopt;
        setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);

        std::vector<std::string> arguments{jackd.string(), "--no-realtime", "-d", "dummy", "-r", "48000", "-p", "256"};
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
        started_ = posix_spawn(&pid_, argv[0], &files, nullptr, argv.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&files);
    }

    ~PrivateJackServer()
    {
        if (started_ && !exited()) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (previous_)
            setenv("JACK_DEFAULT_SERVER", previous_->c_str(), 1);
        else
            unsetenv("JACK_DEFAULT_SERVER");
    }

    bool started() const { return started_; }
    bool exited()
    {
        if (!exited_ && waitpid(pid_, nullptr, WNOHANG) == pid_)
            exited_ = true;
        return exited_;
    }
    std::string log() const
    {
        std::ifstream file(log_);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

private:
    std::string name_;
    std::filesystem::path log_;
    std::optional<std::string> previous_;
    pid_t pid_ = 0;
    bool started_ = false;
    bool exited_ = false;
};

TEST(JackPlayback, ThePlayerRendersInTheServersProcessCallback)
{
    const std::filesystem::path jackd = findProgram("jackd");
    if (jackd.empty())
        GTEST_SKIP() << "no jackd here (Debian package jackd2)";
    test::TempDirectory directory;
    PrivateJackServer server(jackd, directory / "jackd.log");
    ASSERT_TRUE(server.started());

    // The server is ready once a client gets in.
    std::unique_ptr<JackOutput> output;
    ASSERT_TRUE(waitUntil([&] {
        output = JackOutput::open();
        return output || server.exited();
    }));
    ASSERT_TRUE(output) << "jackd ended:\n" << server.log();
    EXPECT_EQ(output->kind(), AudioOutput::Kind::jack);
    EXPECT_EQ(output->sampleRate(), 48000);
    EXPECT_EQ(output->blockSize(), 256u);
    const JackOutput& jack = *output;

    ProbeUnit unit;
    unit.recordCalls = false;
    const AudioData voice{22050, {ramp(1000, 1.0f)}};
    const AudioData carrier{22050, {ramp(700, -1.0f)}};
    LoopPlayer player(unit, voice, carrier, std::move(output));
    EXPECT_EQ(player.voice().sampleRate, 48000) << "the loops take the server's rate";
    player.start();
    EXPECT_EQ(unit.maximumFramesToRender(), 256u);
    EXPECT_EQ(jack.connectedPorts(), 2) << "to the dummy driver's playback ports";
    EXPECT_EQ(player.outputDescription(), "audio: JACK (system playback)");
    EXPECT_TRUE(waitUntil([&] { return player.blocksRendered() >= 20; })) << server.log();
    EXPECT_EQ(player.failedRenderCalls(), 0u);

    player.stop();
    EXPECT_FALSE(unit.renderResourcesAllocated());
    const long calls = unit.renderCalls.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(unit.renderCalls.load(), calls) << "nothing renders once stop returns";
}

} // namespace
} // namespace zindlehost
