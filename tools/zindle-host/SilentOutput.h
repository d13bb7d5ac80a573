#pragma once

#include "tools/zindle-host/AudioOutput.h"

#include <array>
#include <atomic>
#include <thread>
#include <vector>

namespace zindlehost {

/// An output to nowhere that keeps the pace of a sound card: a thread of its own renders one
/// block per block period, each against its deadline on the monotonic clock (see BlockPacer),
/// and discards it, so everything that watches the rendering (the effect's meters) moves in
/// real time.
class SilentOutput final : public AudioOutput {
public:
    SilentOutput(double sampleRate, au::FrameCount blockSize);
    ~SilentOutput() override;

    SilentOutput(const SilentOutput&) = delete;
    SilentOutput& operator=(const SilentOutput&) = delete;

    Kind kind() const override { return Kind::silent; }
    double sampleRate() const override { return sampleRate_; }
    au::FrameCount blockSize() const override { return blockSize_; }
    std::string description() const override;

    void start(Source& source) override;
    void stop() override;

private:
    // The clock's own thread.
    void run(Source& source);

    double sampleRate_;
    au::FrameCount blockSize_;
    std::array<std::vector<float>, channelCount> buffers_;
    std::atomic<bool> running_{false};
    std::thread thread_;
};

} // namespace zindlehost
