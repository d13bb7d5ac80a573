#pragma once

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/ComponentDescription.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class ViewController;
}

namespace au {

/// What an effect found when it checked the resources its model and view read.
struct ResourceCheck {
    /// What was checked, in words ("Mossbell_Mossbell.bundle: 15 colours, 329 images, 3 fonts").
    std::string checked;
    /// One line per fault, naming the broken or missing file; empty when all of it is sound.
    std::vector<std::string> faults;
};

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

    /// Reads the resources the effect's model and view will read (its resource bundles with
    /// their fonts, images and colour tables, found as they will be found), so that a damaged
    /// installation is found before the view is opened: a validator asks. Nothing for an effect
    /// that reads none. Never ends the process, whatever it finds. Main thread.
    virtual std::optional<ResourceCheck> checkResources() { return std::nullopt; }
};

} // namespace au
