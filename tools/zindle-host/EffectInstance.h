#pragma once

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/ComponentDescription.h"
#include "platform/audiounit/ComponentManifest.h"
#include "platform/audiounit/ComponentRegistry.h"
#include "platform/audiounit/LoadedComponent.h"
#include "platform/audiounit/ParameterTree.h"
#include "platform/audiounit/ViewController.h"

#include <cstddef>
#include <memory>

namespace zindlehost {

/// The effect this host drives: type "aufx", subtype "voco", manufacturer "Vart".
inline constexpr au::ComponentDescription zindleEffect{au::componentType::effect, au::fourCharCode("voco"),
                                                       au::fourCharCode("Vart")};

/// The most channels of a voice or carrier file: the effect's voice bus and side chain each
/// fold at most two.
inline constexpr std::size_t maxInputChannels = 2;

/// The installed manifest of description: the first the registry finds. Throws HostError
/// (effect) naming the search paths when there is none.
au::ComponentManifest findInstalledEffect(const au::ComponentRegistry& registry,
                                          const au::ComponentDescription& description);

/// The component's library, opened (see au::LoadedComponent::load). Throws HostError
/// (effect) with the loader's reason when it does not load.
std::shared_ptr<au::LoadedComponent> loadEffect(const au::ComponentManifest& manifest);

/// The checks of loadEffect that run none of the library's code (the file is there and is a
/// whole shared object), with the same HostError.
void checkEffectLibrary(const au::ComponentManifest& manifest);

/// One instance of an installed effect, opened the way a host opens it: the registry's
/// manifest, the component's library, a principal and its Audio Unit. The principal is also
/// what makes the effect's view. The host registers as an
/// observer of the parameter tree, and sets parameters through the tree with its own token as
/// the originator, so the effect's model routes them (presets included) as it would a host's.
///
/// Main thread: the effect's principal and model live there.
class EffectInstance {
public:
    /// Throws HostError (effect) when the component does not load, refuses to make its unit or
    /// the unit has no parameter tree.
    explicit EffectInstance(const au::ComponentManifest& manifest);
    ~EffectInstance();

    EffectInstance(const EffectInstance&) = delete;
    EffectInstance& operator=(const EffectInstance&) = delete;

    const au::ComponentManifest& manifest() const { return component_->manifest(); }
    /// The effect's principal, which made the unit.
    au::ViewController& principal() { return *principal_; }
    au::AudioUnit& unit() { return *unit_; }
    const au::ParameterTree& parameterTree() const { return *tree_; }

    /// A value change as a host makes it (an edit or a step of its automation lane), after which
    /// the main thread takes its turn. Not on the render thread, and never while a render call
    /// is under way.
    void setParameter(au::Parameter& parameter, au::AUValue value);

private:
    /// What a host's event loop does between two edits: the effect's model takes a host's
    /// change on its main queue, and the next edit may depend on it (a retro voicing loads its
    /// preset only once the model holds the Retro mode).
    void letMainThreadTurn();

    std::shared_ptr<au::LoadedComponent> component_;
    std::shared_ptr<au::ViewController> principal_;
    std::shared_ptr<au::AudioUnit> unit_;
    std::shared_ptr<au::ParameterTree> tree_;
    au::ParameterTree::ObserverToken token_ = nullptr;
};

} // namespace zindlehost
