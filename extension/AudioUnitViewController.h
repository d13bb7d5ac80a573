#pragma once

#include "extension/Settings.h"
#include "extension/ZindleAudioUnit.h"

#include "platform/audiounit/ViewController.h"

#include <memory>

namespace zindle {

/// The plug-in's principal object: the factory of its Audio Unit and the owner of the model
/// that the Audio Unit and the plug-in views share. One model per view controller, made with
/// it, so a view can show the defaults before any Audio Unit exists.
///
/// Threads: made on any thread; the model is only touched on the main thread.
class AudioUnitViewController final : public au::ViewController {
public:
    AudioUnitViewController();
    ~AudioUnitViewController() override;

    /// Creates a ZindleAudioUnit, keeps it (releasing any earlier one), configures the model
    /// with it (parameter tree, first push of every value, poll timer, value provider, update
    /// check) and installs the tree's callbacks. The work runs on the main thread: inline when
    /// called there, else the caller waits for it. An error creating the unit is thrown and
    /// nothing is kept. Any thread.
    std::shared_ptr<au::AudioUnit> createAudioUnit(const au::ComponentDescription& description) override;

    const std::shared_ptr<Settings>& settings() const { return settings_; }
    /// The unit it created last; null before the first. Main thread.
    const std::shared_ptr<ZindleAudioUnit>& audioUnit() const { return audioUnit_; }

private:
    std::shared_ptr<ZindleAudioUnit> audioUnit_;
    std::shared_ptr<Settings> settings_;
};

} // namespace zindle
