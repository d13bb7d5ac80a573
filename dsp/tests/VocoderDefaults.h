#pragma once

#include "dsp/LPCVocoderProcessor.h"

#include <cstdint>

namespace dsp::test {

/// The owner's defaults, shared by the tests and benchmarks: every gain at 0 dB, quality 48,
/// noise at -20 dB above 0.3, mode 0, no shift, all switches off, the effect's compressor
/// settings with compression off.
inline void configureDefaults(LPCVocoderProcessor& vocoder)
{
    vocoder.setQuality(48.0f);
    vocoder.setWhiteNoiseLevel(-20.0f);
    vocoder.setWhiteNoiseThreshold(0.3f);
    vocoder.setOutputGain(0.0f);
    vocoder.setVoiceInGain(0.0f);
    vocoder.setSynthInGain(0.0f);
    vocoder.setVoiceMode(0);
    vocoder.setFormantShift(0.0f);
    vocoder.setHighPassFilter(false);
    vocoder.setLowPassFilter(false);
    vocoder.setDownsampleTo31Khz(false);
    vocoder.set16Bit(false);
    vocoder.setCompressorSettings(0.2f, -14.0f, 0.4f, 50.0f);
    vocoder.setCompressEnabled(false);
}

/// What a test case switches on top of the defaults: both filters go together, and crush sets
/// both of its switches, as the owner does.
struct VocoderSettings {
    float quality = 48.0f;
    int mode = 0;
    float cents = 0.0f;
    bool crush = false;
    bool filters = false;
    bool compress = false;
    std::uint32_t noiseSeed = 1;
};

inline void configure(LPCVocoderProcessor& vocoder, const VocoderSettings& settings)
{
    configureDefaults(vocoder);
    vocoder.seedNoise(settings.noiseSeed);
    vocoder.setQuality(settings.quality);
    vocoder.setVoiceMode(settings.mode);
    vocoder.setFormantShift(settings.cents);
    vocoder.setDownsampleTo31Khz(settings.crush);
    vocoder.set16Bit(settings.crush);
    vocoder.setHighPassFilter(settings.filters);
    vocoder.setLowPassFilter(settings.filters);
    vocoder.setCompressEnabled(settings.compress);
}

} // namespace dsp::test
