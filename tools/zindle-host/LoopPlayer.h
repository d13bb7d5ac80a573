#pragma once

#include "tools/zindle-host/AudioData.h"
#include "tools/zindle-host/AudioOutput.h"
#include "tools/zindle-host/InputFeeder.h"

#include "platform/audiounit/AudioUnit.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zindlehost {

/// Plays a voice against a carrier through an effect, live and endlessly, for someone who
/// turns its controls and watches its meters: the voice on input bus 0 and the carrier on
/// input bus 1, each looping at its own length, rendered block by block on the output's
/// real-time thread. The effect's output goes to the output's two channels (a mono effect to
/// both).
///
/// The render thread allocates nothing, takes no lock and makes no system call: every buffer
/// is made before the output starts, and what the render thread tells others goes through
/// atomics. Blocks longer than the output's block size (a JACK server whose period grew) are
/// rendered in several calls.
///
/// Threads: construction, start, stop and destruction on the main thread, where the effect is
/// configured; the counters from any thread.
class LoopPlayer final : private AudioOutput::Source {
public:
    /// Takes voice and carrier as loops, resampled once, here, to the output's rate. unit must
    /// outlive the player and be left to it while it plays. Throws HostError (inputFile) when a
    /// loop cannot be resampled to that rate.
    LoopPlayer(au::AudioUnit& unit, const AudioData& voice, const AudioData& carrier,
               std::unique_ptr<AudioOutput> output);
    /// Stops.
    ~LoopPlayer();

    LoopPlayer(const LoopPlayer&) = delete;
    LoopPlayer& operator=(const LoopPlayer&) = delete;

    /// Sets the effect's buses to the loops' rate and shapes, allocates its render resources for
    /// the output's block size and starts the output. Throws HostError (effect) when the effect
    /// refuses, or what the output throws; nothing plays then and the effect is left
    /// deallocated. Nothing when playing.
    void start();
    /// Stops the output (its real-time thread has finished with the effect when this returns)
    /// and deallocates the effect's render resources. Nothing when stopped.
    void stop();
    bool isPlaying() const { return playing_; }

    const AudioOutput& output() const { return *output_; }
    /// Where the sound goes, as the user is told: "audio: ...".
    std::string outputDescription() const { return output_->description(); }
    double sampleRate() const { return output_->sampleRate(); }
    /// The loops as they play, at the output's rate.
    const AudioData& voice() const { return voice_; }
    const AudioData& carrier() const { return carrier_; }

    /// What the render thread did since the player was made. Any thread.
    std::uint64_t blocksRendered() const { return blocks_.load(std::memory_order_acquire); }
    std::uint64_t framesRendered() const { return frames_.load(std::memory_order_relaxed); }
    /// Render calls the effect refused; their frames went out silent.
    std::uint64_t failedRenderCalls() const { return failures_.load(std::memory_order_relaxed); }

private:
    // The output's real-time thread.
    void render(float* const* channels, au::FrameCount frames) noexcept override;

    au::AudioUnit& unit_;
    std::unique_ptr<AudioOutput> output_;
    AudioData voice_;
    AudioData carrier_;
    au::FrameCount maxFrames_;
    InputFeeder feeder_;
    bool playing_ = false;

    // Render thread only while playing.
    std::vector<std::vector<float>> effectOutput_;
    std::vector<au::AudioBuffer> outputBuffers_;
    std::int64_t sampleTime_ = 0;

    std::atomic<std::uint64_t> blocks_{0};
    std::atomic<std::uint64_t> frames_{0};
    std::atomic<std::uint64_t> failures_{0};
};

} // namespace zindlehost
