#pragma once

#include "tools/zindle-host/EffectInstance.h"
#include "tools/zindle-host/LoopPlayer.h"
#include "tools/zindle-host/ParameterArguments.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zindlehost {

/// What `zindle-host show` was asked to do.
struct ShowOptions {
    std::filesystem::path voice;               // empty: the example voice
    std::filesystem::path carrier;             // empty: the example carrier
    std::vector<ParameterAssignment> settings; // applied in this order
};

/// The examples of the main bundle, share/zindle/examples/voice.wav and carrier.wav.
std::filesystem::path exampleVoicePath();
std::filesystem::path exampleCarrierPath();

/// Everything `zindle-host show` needs besides its window: the installed effect with the
/// settings applied, and a LoopPlayer that plays the voice against the carrier through it,
/// to the running JACK server or silently in real time. The window shows the view the
/// effect's principal makes (effect().principal()) and runs the event loop, on which the
/// effect's model polls its meters, between start() and stop().
///
/// Main thread, with a Qt application object (the effect's model lives on the main thread).
class ShowSession {
public:
    /// The block size when no JACK server sets one.
    static constexpr au::FrameCount silentBlockSize = 512;

    /// Reads the voice and the carrier (their own files, else the examples), opens the
    /// installed effect, applies the settings in order as a host does, opens the audio output
    /// (JACK, else silence at the voice's rate) and resamples both files to its rate. Nothing
    /// plays yet. Throws HostError: inputFile for a missing, unreadable or unsupported file,
    /// usage for an unknown parameter or a bad value, effect when the effect is missing or does
    /// not load.
    explicit ShowSession(const ShowOptions& options);
    /// Stops before the effect goes.
    ~ShowSession();

    ShowSession(const ShowSession&) = delete;
    ShowSession& operator=(const ShowSession&) = delete;

    /// Starts the endless playback. Throws HostError (effect) when the effect refuses to
    /// render at the session's rate, (failed) when the output does not start. Nothing when
    /// playing.
    void start();
    /// Stops the playback; the effect is then idle (its meters fall back). Nothing when
    /// stopped.
    void stop();
    bool isPlaying() const { return player_->isPlaying(); }

    EffectInstance& effect() { return *effect_; }
    LoopPlayer& player() { return *player_; }
    const LoopPlayer& player() const { return *player_; }
    /// The line to tell the user where the sound goes, final once started: "audio: JACK
    /// (system playback)", "audio: none, rendering silently in real time", ...
    std::string outputDescription() const { return player_->outputDescription(); }

    const std::filesystem::path& voicePath() const { return voicePath_; }
    const std::filesystem::path& carrierPath() const { return carrierPath_; }

private:
    std::filesystem::path voicePath_;
    std::filesystem::path carrierPath_;
    std::unique_ptr<EffectInstance> effect_;
    std::unique_ptr<LoopPlayer> player_; // after the effect: it goes first
};

} // namespace zindlehost
