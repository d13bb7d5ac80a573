#pragma once

#include "platform/audiounit/RenderBlock.h"

#include <cstddef>
#include <memory>
#include <string>

namespace zindlehost {

/// Where live playback goes: a real-time thread that asks for stereo blocks at the session's
/// sample rate, one after another, for as long as the output runs.
class AudioOutput {
public:
    enum class Kind {
        jack,   // a running JACK server's process callback
        silent, // a thread of ours that keeps real time and discards the audio
    };

    /// What fills the blocks.
    class Source {
    public:
        /// Fills frames samples of both channels (left, right). Called on the output's
        /// real-time thread only, one call at a time: allocates nothing, takes no lock, makes
        /// no system call.
        virtual void render(float* const* channels, au::FrameCount frames) noexcept = 0;

    protected:
        ~Source() = default;
    };

    static constexpr std::size_t channelCount = 2;

    virtual ~AudioOutput() = default;

    virtual Kind kind() const = 0;
    virtual double sampleRate() const = 0;
    /// Frames the output asks for at a time, as it was when opened. A JACK server may change its
    /// period later; a source must then take blocks of any length.
    virtual au::FrameCount blockSize() const = 0;
    /// One line that tells the user where the sound goes ("audio: ..."). Final once started.
    virtual std::string description() const = 0;

    /// Starts asking source for blocks; source must outlive the run. Throws HostError when the
    /// output cannot start. Main thread.
    virtual void start(Source& source) = 0;
    /// Returns once no call of the source runs or will run. Nothing when not running. Main
    /// thread.
    virtual void stop() = 0;
};

/// The output live playback uses: the running JACK server when there is one (none is ever
/// started for us), else a silent real-time clock at fallbackRate and fallbackBlockSize. Main
/// thread.
std::unique_ptr<AudioOutput> openAudioOutput(double fallbackRate, au::FrameCount fallbackBlockSize);

} // namespace zindlehost
