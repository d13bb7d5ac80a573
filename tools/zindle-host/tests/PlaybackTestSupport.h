#pragma once

#include "tools/zindle-host/AudioOutput.h"

#include <array>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

// Support for the tests of live playback.
namespace zindlehost::test {

/// An output whose real-time thread is the test's own: each pull() asks the source for one
/// block and keeps it, so the played signal can be compared sample for sample.
class SteppedOutput final : public AudioOutput {
public:
    SteppedOutput(double sampleRate, au::FrameCount blockSize) : sampleRate_(sampleRate), blockSize_(blockSize) {}

    Kind kind() const override { return Kind::silent; }
    double sampleRate() const override { return sampleRate_; }
    au::FrameCount blockSize() const override { return blockSize_; }
    std::string description() const override { return "audio: stepped by the test"; }
    void start(Source& source) override { source_ = &source; }
    void stop() override { source_ = nullptr; }

    bool running() const { return source_ != nullptr; }

    /// One block of frames frames (any length, as a server whose period changed asks).
    void pull(au::FrameCount frames)
    {
        std::array<std::vector<float>, channelCount> block;
        float* channels[channelCount];
        for (std::size_t c = 0; c < channelCount; ++c) {
            block[c].assign(frames, 99.0f);
            channels[c] = block[c].data();
        }
        source_->render(channels, frames);
        for (std::size_t c = 0; c < channelCount; ++c)
            played[c].insert(played[c].end(), block[c].begin(), block[c].end());
    }

    std::array<std::vector<float>, channelCount> played;

private:
    double sampleRate_;
    au::FrameCount blockSize_;
    Source* source_ = nullptr;
};

/// Waits until condition holds, looking every millisecond, calling idle (when given) between
/// looks; false when the deadline passes first. The deadline is generous: the tests assert
/// what happens, never how fast.
inline bool waitUntil(const std::function<bool()>& condition, const std::function<void()>& idle = {},
                      std::chrono::seconds deadline = std::chrono::seconds(30))
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        if (idle)
            idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace zindlehost::test
