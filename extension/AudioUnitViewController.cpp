#include "extension/AudioUnitViewController.h"

#include "platform/foundation/MainQueue.h"

namespace zindle {

AudioUnitViewController::AudioUnitViewController() : settings_(std::make_shared<Settings>()) {}

AudioUnitViewController::~AudioUnitViewController() = default;

std::shared_ptr<au::AudioUnit> AudioUnitViewController::createAudioUnit(const au::ComponentDescription& description)
{
    std::shared_ptr<ZindleAudioUnit> unit;
    // The model and its timer live on the main thread; sync runs inline there, so a host that
    // asks on the main thread does not wait on itself. An exception reaches the caller.
    foundation::mainQueue::sync([&] {
        unit = std::make_shared<ZindleAudioUnit>(description);
        audioUnit_ = unit;
        settings_->configureAudioUnit(unit);
        settings_->setupParameterTreeListeners();
    });
    return unit;
}

} // namespace zindle
