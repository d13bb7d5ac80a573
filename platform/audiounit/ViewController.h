#pragma once

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/ComponentDescription.h"

#include <memory>

namespace ui {
class ViewController;
}

namespace au {

/// The principal object of a loaded effect: the host makes one per instance it wants, through
/// the library's single entry point, and asks it for the Audio Unit and for its view. (The
/// view side is only declared here, so that the effect side stays free of the toolkit.)
class ViewController {
public:
    virtual ~ViewController() = default;

    /// Creates the effect's Audio Unit for description; throws au::Error when it cannot.
    /// Called by the host on any thread.
    virtual std::shared_ptr<AudioUnit> createAudioUnit(const ComponentDescription& description) = 0;

    /// The effect's user interface: the controller of its plug-in view, or null for an effect
    /// without one. Lives as long as the principal. Main thread.
    virtual ui::ViewController* userInterface() { return nullptr; }
};

} // namespace au
