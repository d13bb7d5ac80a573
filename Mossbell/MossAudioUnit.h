#pragma once

#include "platform/audiounit/AudioUnit.h"

#include <cstdint>

namespace mossbell {

/// An Audio Unit that the framework can drive: the framework routes every parameter value to
/// it through setParameter and reaches its parameter tree through the Audio Unit itself.
class MossAudioUnit : public au::AudioUnit {
public:
    using au::AudioUnit::AudioUnit;

    /// Hands a parameter value to the unit's render side. Called on the main thread (user
    /// interface, presets, the first push of every value) and on whichever thread the host
    /// sets a tree parameter on; never on the render thread.
    virtual void setParameter(std::uint64_t address, float value) = 0;
};

} // namespace mossbell
