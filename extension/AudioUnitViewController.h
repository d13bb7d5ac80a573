#pragma once

#include "extension/Settings.h"
#include "extension/ZindleAudioUnit.h"

#include "platform/audiounit/ViewController.h"
#include "platform/ui/ViewController.h"

#include <memory>

namespace zindle {

/// The plug-in's principal object: the factory of its Audio Unit, the controller of its view
/// and the owner of the model that the Audio Unit and the view share. One model per view
/// controller, made with it, so the view can show the defaults before any Audio Unit exists.
///
/// Threads: made on any thread; the model and the view are only touched on the main thread.
class AudioUnitViewController final : public au::ViewController, public ui::ViewController {
public:
    AudioUnitViewController();
    ~AudioUnitViewController() override;

    /// Creates a ZindleAudioUnit, keeps it (releasing any earlier one), configures the model
    /// with it (parameter tree, first push of every value, poll timer, value provider, update
    /// check) and installs the tree's callbacks. The work runs on the main thread: inline when
    /// called there, else the caller waits for it. An error creating the unit is thrown and
    /// nothing is kept. Any thread.
    std::shared_ptr<au::AudioUnit> createAudioUnit(const au::ComponentDescription& description) override;

    /// This controller: its view hosts the main view, preferring 640 x 480. Main thread.
    ui::ViewController* userInterface() override { return this; }
    /// The framework's and the extension's resources (see zindle::checkResources). Main thread.
    std::optional<au::ResourceCheck> checkResources() override;
    /// The controller hosting the main view, once the view is loaded.
    ui::ViewController* hostingController() const { return hostingController_; }

    const std::shared_ptr<Settings>& settings() const { return settings_; }
    /// The unit it created last; null before the first. Main thread.
    const std::shared_ptr<ZindleAudioUnit>& audioUnit() const { return audioUnit_; }

protected:
    /// Hosts the main view with the model, filling this view.
    void viewDidLoad() override;
    /// Tells the model the view's window and that window's focus widget.
    void viewDidAppear() override;

private:
    std::shared_ptr<ZindleAudioUnit> audioUnit_;
    ui::ViewController* hostingController_ = nullptr;
    std::shared_ptr<Settings> settings_;
};

} // namespace zindle
