#pragma once

#include "dsp/LPCVocoderProcessor.h"

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

} // namespace dsp::test
