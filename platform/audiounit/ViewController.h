#pragma once

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/ComponentDescription.h"

#include <memory>

namespace au {

/// The principal object of a loaded effect: the host makes one per instance it wants, through
/// the library's single entry point, and asks it for the Audio Unit.
class ViewController {
public:
    virtual ~ViewController() = default;

    /// Creates the effect's Audio Unit for description; throws au::Error when it cannot.
    /// Called by the host on any thread.
    virtual std::shared_ptr<AudioUnit> createAudioUnit(const ComponentDescription& description) = 0;
};

} // namespace au
