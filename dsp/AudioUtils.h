#pragma once

namespace dsp {

/// Voicing detection and level conversion; stateless, safe on the render thread.
class AudioUtils {
public:
    AudioUtils() = delete;

    /// True when the block looks noise-like: its best normalised autocorrelation over
    /// periods of 0.2 ms to 50 ms stays below threshold. Quiet blocks (energy below 0.01)
    /// count as voiced so they never switch the carrier to noise.
    static bool isUnVoiced(const float* samples, int n, float sampleRate, float threshold);

    /// 10^(dB / 20).
    static float decibelToScale(float decibels);
};

} // namespace dsp
