#pragma once

#include "extension/ParameterAddress.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace zindle {

/// One value that a mode preset loads.
struct PresetValue {
    std::uint64_t address;
    float value;
};

/// What choosing the Retro skin (mainMode 0) loads, in this order.
inline constexpr std::array<PresetValue, 10> retroSkinPreset{{
    {ParameterAddress::retroMode, 2.0f}, // Talkbox
    {ParameterAddress::voiceMode, 0.0f}, // Voiced
    {ParameterAddress::whiteNoiseLevel, -20.0f},
    {ParameterAddress::whiteNoiseThreshold, 0.3f},
    {ParameterAddress::quality, 30.0f},
    {ParameterAddress::formantShift, -200.0f},
    {ParameterAddress::crush, 1.0f},
    {ParameterAddress::compress, 1.0f},
    {ParameterAddress::lowPassFilter, 1.0f},
    {ParameterAddress::highPassFilter, 1.0f},
}};

/// One row of the retro voicings: a parameter and its value for each voicing.
struct VoicingRow {
    std::uint64_t address;
    std::array<float, 3> values; // Nuvo (0), Tazmania (1), Talkbox (2)
};

/// What choosing a retro voicing (retroMode 0, 1 or 2) loads while the Retro skin is on, row by row.
inline constexpr std::array<VoicingRow, 9> retroVoicingPreset{{
    {ParameterAddress::voiceMode, {3.0f, 1.0f, 0.0f}}, // Auto Voice, Unvoiced, Voiced
    {ParameterAddress::whiteNoiseLevel, {-20.0f, -20.0f, -20.0f}},
    {ParameterAddress::whiteNoiseThreshold, {0.3f, 0.3f, 0.3f}},
    {ParameterAddress::quality, {30.0f, 30.0f, 30.0f}},
    {ParameterAddress::formantShift, {0.0f, 0.0f, -200.0f}},
    {ParameterAddress::crush, {1.0f, 1.0f, 1.0f}},
    {ParameterAddress::compress, {1.0f, 1.0f, 1.0f}},
    {ParameterAddress::lowPassFilter, {0.0f, 0.0f, 1.0f}},
    {ParameterAddress::highPassFilter, {0.0f, 0.0f, 1.0f}},
}};

/// The values to load, in order, when the parameter at address was routed with value: the Retro
/// skin for mainMode 0; the voicing for retroMode 0, 1 or 2 when mainMode (read only then)
/// is 0; nothing otherwise. Comparisons are exact.
std::vector<PresetValue> modePresetValues(std::uint64_t address, float value, const std::function<float()>& mainMode);

} // namespace zindle
