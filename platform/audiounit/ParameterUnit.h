#pragma once

#include <cstdint>

namespace au {

/// A parameter's place in the tree and in the effect's render state.
using ParameterAddress = std::uint64_t;
/// A parameter value as hosts and effects exchange it.
using AUValue = float;

/// What a parameter's value measures; hosts choose their display and editing from it. The
/// codes are the ones hosts store in their sessions, so they never change.
enum class ParameterUnit : std::uint32_t {
    generic = 0,
    indexed = 1,
    boolean = 2,
    percent = 3,
    seconds = 4,
    sampleFrames = 5,
    phase = 6,
    rate = 7,
    hertz = 8,
    cents = 9,
    relativeSemiTones = 10,
    midiNoteNumber = 11,
    midiController = 12,
    decibels = 13,
    linearGain = 14,
    degrees = 15,
    equalPowerCrossfade = 16,
    mixerFaderCurve1 = 17,
    pan = 18,
    meters = 19,
    absoluteCents = 20,
    octaves = 21,
    bpm = 22,
    beats = 23,
    milliseconds = 24,
    ratio = 25,
    customUnit = 26,
};

/// Bits of Parameter::flags(): what a host may do with a parameter and how to show it.
namespace parameterFlag {
inline constexpr std::uint32_t isWritable = 0x8000'0000;
inline constexpr std::uint32_t isReadable = 0x4000'0000;
/// Changing it changes other parameters (the host re-reads the tree).
inline constexpr std::uint32_t isGlobalMeta = 0x1000'0000;
inline constexpr std::uint32_t isElementMeta = 0x0800'0000;
/// The host may ramp it smoothly in automation.
inline constexpr std::uint32_t canRamp = 0x0200'0000;
/// Only ever changed by the effect (a meter).
inline constexpr std::uint32_t meterReadOnly = 0x0000'8000;
inline constexpr std::uint32_t displayLogarithmic = 0x0040'0000;
/// The parameter has a name for every value (Parameter::valueStrings()).
inline constexpr std::uint32_t valuesHaveStrings = 0x0020'0000;
/// It belongs to a clump of parameters that change together.
inline constexpr std::uint32_t hasClump = 0x0010'0000;
} // namespace parameterFlag

/// The phase of a change as a host records it in automation: a gesture is touch, values,
/// release; a single edit is one value.
enum class AutomationEventType : std::uint32_t {
    value = 0,
    touch = 1,
    release = 2,
};

} // namespace au
