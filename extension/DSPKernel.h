#pragma once

#include "extension/ParameterAddress.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

namespace dsp {
class LPCVocoderProcessor;
}

namespace zindle {

/// The render-side state of the effect: the last value of every parameter, the vocoder while
/// render resources are allocated, three peak meters, and what the user interface polls.
///
/// Threads. The vocoder is touched only by the render thread and by initialize / deallocate,
/// which the Audio Unit calls while no render call can run. A parameter set from any other
/// thread is stored in the value mirror and marked pending; the render thread applies the
/// pending values at the start of its next render call. Towards the user interface the kernel
/// publishes through atomics only: the changed-parameter mask (parameters that render events
/// changed) and the meters-ready flag with the three readings. Nothing here takes a lock.
class DSPKernel {
public:
    static constexpr std::size_t parameterCount = ParameterAddress::count;
    static constexpr std::int32_t meterInterval = 3200; // frames between meter publications
    static constexpr float meterFloorDb = -60.0f;

    /// The parameters as the render side uses them, converted from the mirror's raw values.
    struct Parameters {
        float quality = 0.0f;
        float whiteNoiseLevel = 0.0f;
        float whiteNoiseThreshold = 0.0f;
        float outputGain = 0.0f;
        float voiceInputGain = 0.0f;
        float synthInputGain = 0.0f;
        std::int32_t voiceMode = 0;
        float formantShift = 0.0f;
        bool highPassFilter = false;
        bool lowPassFilter = false;
        bool freeze = false;
        bool crush = false;
        bool compress = false;
    };

    struct MeterState {
        std::array<float, 3> peaks{}; // synth input, voice input, output
        float decay = 0.9f;           // applied once per processed segment
        float voiceScale = 1.0f;      // the voice input gain, linear
        float synthScale = 1.0f;      // the synth input gain, linear
    };

    enum Meter { synthInputMeter = 0, voiceInputMeter = 1, outputMeter = 2 };

    DSPKernel();
    ~DSPKernel();

    DSPKernel(const DSPKernel&) = delete;
    DSPKernel& operator=(const DSPKernel&) = delete;

    // --- Allocation (main thread, while no render call runs) ---

    /// Creates the vocoder for sampleRate, hands it every stored parameter (pending ones
    /// included) and the fixed settings, and starts fresh meters.
    void initialize(bool voiceOnlyOutput, double sampleRate, float wetMix, float dryMix, float compressorRatio,
                    float compressorThreshold, float compressorAttackMs, float compressorReleaseMs);
    /// Destroys the vocoder; parameters, mirror and meters stay.
    void releaseVocoder();

    // --- Parameters ---

    /// notify false: any thread but the render thread (user interface, the host's parameter
    /// thread). The value goes to the mirror and is marked pending; the render thread applies it.
    /// notify true: render thread only, for a parameter render event. The value takes effect at
    /// once and the address's bit is raised in the changed-parameter mask.
    /// Addresses above 14 are ignored.
    void setParameter(std::uint64_t address, float value, bool notify);

    /// Render thread: applies the values set from other threads since the last call, in
    /// address order.
    void applyPendingParameters();

    /// Any thread: the last value set for an address, before conversion; 0 above 14.
    float parameterValue(std::uint64_t address) const;

    // --- Rendering (render thread) ---

    /// One segment. inputs[0] is the mono voice (the vocoder may process it in place),
    /// inputs[1] the mono side chain (the carrier); outputs are one block per output channel;
    /// every block holds frameCount samples and none is null. Without a vocoder, in bypass, or
    /// with fewer than two inputs, inputs are copied to outputs channel by channel.
    void process(float* const* inputs, std::size_t inputCount, float* const* outputs, std::size_t outputCount,
                 std::uint32_t frameCount);

    // --- Shared with the user interface and the host ---

    /// Main thread (the 60 Hz poll): takes and clears the changed-parameter mask.
    std::uint32_t takeChangedMask() { return changedMask_.exchange(0, std::memory_order_acq_rel); }
    /// Main thread: takes and clears the meters-ready flag; when it was set, meterDb() holds
    /// the readings that came with it.
    bool takeMetersReady() { return metersReady_.exchange(0, std::memory_order_acq_rel) != 0; }
    /// Readings in dB: synth input, voice input, output.
    std::array<float, 3> meterDb() const;

    /// Any thread; the render thread reads it on every segment.
    bool bypass() const { return bypass_.load(std::memory_order_relaxed); }
    void setBypass(bool on) { bypass_.store(on, std::memory_order_relaxed); }

    /// Main thread sets it before allocation; the render block checks every request against it.
    std::uint32_t maxFramesToRender() const { return maxFramesToRender_.load(std::memory_order_relaxed); }
    void setMaxFramesToRender(std::uint32_t frames) { maxFramesToRender_.store(frames, std::memory_order_relaxed); }

    // --- Render-side state, for the render thread and for tests ---

    double sampleRate() const { return sampleRate_; }
    const Parameters& parameters() const { return parameters_; }
    const dsp::LPCVocoderProcessor* vocoder() const { return vocoder_.get(); }
    const std::optional<MeterState>& meters() const { return meters_; }

private:
    void apply(std::uint64_t address, float value);
    void copyThrough(float* const* inputs, std::size_t inputCount, float* const* outputs, std::size_t outputCount,
                     std::uint32_t frameCount);
    void updateMeters(const float* synthIn, const float* voiceIn, const float* out, std::uint32_t frameCount);

    std::unique_ptr<dsp::LPCVocoderProcessor> vocoder_;
    std::optional<MeterState> meters_;
    double sampleRate_ = 31250.0;
    Parameters parameters_;
    std::int32_t meterFrameCounter_ = 0;
    // The raw value each address last took effect with: a value the vocoder already has is not
    // applied again (crush and the formant shift would restart their filters for nothing).
    std::array<float, parameterCount> appliedValues_{};

    std::array<std::atomic<float>, parameterCount> paramValues_{};
    std::atomic<std::uint32_t> pendingMask_{0};
    std::atomic<std::uint32_t> changedMask_{0};
    std::array<std::atomic<float>, 3> meterDb_{};
    std::atomic<std::uint32_t> metersReady_{0};
    std::atomic<bool> bypass_{false};
    std::atomic<std::uint32_t> maxFramesToRender_{1024};
};

} // namespace zindle
