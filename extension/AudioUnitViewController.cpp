#include "extension/AudioUnitViewController.h"

#include "extension/ExtensionResources.h"
#include "extension/MainView.h"

#include "platform/foundation/MainQueue.h"
#include "platform/ui/ViewAnchoring.h"

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

std::optional<au::ResourceCheck> AudioUnitViewController::checkResources()
{
    return zindle::checkResources();
}

void AudioUnitViewController::viewDidLoad()
{
    ui::ViewController::viewDidLoad();
    const std::shared_ptr<Settings> settings = settings_;
    auto& hosting = addChild(std::make_unique<ui::HostingController>([settings] { return new MainView(settings); }));
    QWidget* hosted = hosting.view();
    hosted->setParent(view());
    ui::anchorToAllSidesOf(*hosted, view(), QMargins());
    hostingController_ = &hosting;
    setPreferredContentSize(MainView::designSize);
}

void AudioUnitViewController::viewDidAppear()
{
    ui::ViewController::viewDidAppear();
    QWidget* window = view()->window();
    settings_->setPluginWindow(window);
    settings_->setPluginMainResponder(window->focusWidget());
}

} // namespace zindle
