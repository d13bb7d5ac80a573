#pragma once

#include "tools/zindle-host/AudioData.h"

#include <cstddef>
#include <string>

namespace zindlehost {

/// Resamples a loop (a signal that repeats) to rate with libsamplerate. The loop is resampled
/// as the endless signal it stands for, so the seam between its end and its start stays as
/// smooth as any other place; the result holds one period at the new rate (its length rounded
/// to whole frames). Throws HostError (inputFile) for rates libsamplerate cannot bridge
/// (a ratio beyond 256), naming the loop by its role ("carrier").
AudioData resampleLoop(const AudioData& loop, double rate, const std::string& role);

/// Repeats audio from its start until it is frames long, or cuts it there.
AudioData loopToLength(const AudioData& audio, std::size_t frames);

/// The carrier as the effect's side chain takes it: looped or cut to frames at rate. When its
/// own rate differs, the endless loop is resampled as a whole, so a period that is no whole
/// number of frames at rate neither jumps at the seams nor drifts. Throws as resampleLoop.
AudioData fitCarrier(const AudioData& carrier, double rate, std::size_t frames);

/// One period of the loop at rate: the loop itself, sample for sample, when it already has
/// that rate, else resampleLoop. Throws as resampleLoop.
AudioData loopAtRate(const AudioData& loop, double rate, const std::string& role);

} // namespace zindlehost
