#pragma once

#include "tools/zindle-host/AudioData.h"

namespace zindlehost {

/// The example carrier: a mono A minor seventh chord of band-limited sawtooth voices, two
/// slightly detuned voices per note, peaking at -6 dBFS. Every partial completes a whole number
/// of cycles in the given length, so the file loops without a seam.
AudioData makeCarrierChord(double sampleRate, double seconds);

} // namespace zindlehost
