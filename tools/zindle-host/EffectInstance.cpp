#include "tools/zindle-host/EffectInstance.h"

#include "tools/zindle-host/HostError.h"

#include "platform/audiounit/Error.h"
#include "platform/audiounit/HostTime.h"

#include <QCoreApplication>
#include <QEvent>

#include <exception>
#include <string>

namespace zindlehost {

au::ComponentManifest findInstalledEffect(const au::ComponentRegistry& registry,
                                          const au::ComponentDescription& description)
{
    const auto matches = registry.componentsMatching(description);
    if (!matches.empty())
        return matches.front();
    std::string searched;
    for (const auto& path : registry.searchPaths())
        searched += (searched.empty() ? "" : ", ") + path.string();
    throw HostError(ExitCode::effect, "the effect " + au::codesText(description) + " is not installed (searched "
                                          + (searched.empty() ? "nothing" : searched) + ")");
}

std::shared_ptr<au::LoadedComponent> loadEffect(const au::ComponentManifest& manifest)
{
    try {
        return au::LoadedComponent::load(manifest);
    } catch (const au::Error& error) {
        throw HostError(ExitCode::effect, error.what());
    }
}

void checkEffectLibrary(const au::ComponentManifest& manifest)
{
    try {
        au::LoadedComponent::checkLibrary(manifest);
    } catch (const au::Error& error) {
        throw HostError(ExitCode::effect, error.what());
    }
}

EffectInstance::EffectInstance(const au::ComponentManifest& manifest) : component_(loadEffect(manifest))
{
    try {
        principal_ = component_->createPrincipal();
    } catch (const au::Error& error) {
        throw HostError(ExitCode::effect, error.what());
    }
    const std::string failure = "the effect " + manifest.name + " could not create its Audio Unit: ";
    try {
        unit_ = principal_->createAudioUnit(manifest.description);
    } catch (const std::exception& error) {
        throw HostError(ExitCode::effect, failure + error.what());
    } catch (...) {
        throw HostError(ExitCode::effect, failure + "an exception that is not a std::exception");
    }
    if (!unit_)
        throw HostError(ExitCode::effect, failure + "its principal returned none");
    tree_ = unit_->parameterTree();
    if (!tree_)
        throw HostError(ExitCode::effect, "the effect " + manifest.name + " has no parameter tree");
    // The host's own token: its sets carry it as originator, so it never hears them back. What
    // it does hear (the effect moving parameters itself, as presets do) needs nothing from an
    // offline render.
    token_ = tree_->tokenByAddingParameterObserver([](const au::ParameterTree::AutomationEvent&) {});
    letMainThreadTurn();
}

EffectInstance::~EffectInstance()
{
    if (tree_)
        tree_->removeParameterObserver(token_);
}

void EffectInstance::setParameter(au::Parameter& parameter, au::AUValue value)
{
    parameter.setValue(value, token_, au::currentHostTime(), au::AutomationEventType::value);
    letMainThreadTurn();
}

void EffectInstance::letMainThreadTurn()
{
    // Only the calls queued for the application object: the effect's main-queue work. Its
    // timers and network requests stay asleep, so an offline render neither polls nor fetches.
    if (QCoreApplication* application = QCoreApplication::instance())
        QCoreApplication::sendPostedEvents(application, QEvent::MetaCall);
}

} // namespace zindlehost
