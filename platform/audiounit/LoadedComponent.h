#pragma once

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/ComponentManifest.h"
#include "platform/audiounit/ExtensionEntry.h"
#include "platform/audiounit/ViewController.h"

#include <memory>

namespace au {

/// An effect library loaded into the host process, and the factory of its principals.
///
/// The library is opened with RTLD_NOW | RTLD_LOCAL (every symbol resolved up front, none
/// offered to later libraries) and is never unloaded while anything made from it lives: each
/// principal and unit handed out holds the LoadedComponent, which holds the library. The
/// library is also opened RTLD_NODELETE: an effect's objects can escape the handles given
/// here (a parameter tree taken from its unit, a task it queued on the main thread), and
/// their code must stay mapped until the process ends.
///
/// Threads: load() and instantiate() on any thread. Principals are made and destroyed on the
/// main thread, since their models live there: from another thread createPrincipal() waits
/// for the main thread (whose event loop must run), and the last release of a principal off
/// the main thread hands its destruction to the main queue.
class LoadedComponent : public std::enable_shared_from_this<LoadedComponent> {
public:
    /// Opens manifest's library and finds its entry. Throws au::Error with a message naming
    /// the component and the fault: the library file is missing, it "is truncated or not a
    /// shared library" (not a complete ELF shared object for this machine, checked before the
    /// dynamic loader sees it), the dynamic loader refused it (with the loader's text), or it
    /// has no entry "auExtensionCreatePrincipal".
    static std::shared_ptr<LoadedComponent> load(const ComponentManifest& manifest);
    /// The checks load() makes before the dynamic loader runs any of the library's code: the
    /// file exists and is a complete ELF shared object for this machine. Throws as load().
    static void checkLibrary(const ComponentManifest& manifest);

    ~LoadedComponent();
    LoadedComponent(const LoadedComponent&) = delete;
    LoadedComponent& operator=(const LoadedComponent&) = delete;

    const ComponentManifest& manifest() const { return manifest_; }

    /// A new principal from the library's entry; it keeps the library loaded. Throws au::Error
    /// when the entry throws or returns nothing.
    std::shared_ptr<ViewController> createPrincipal();

    /// A new principal's Audio Unit for the manifest's description; the unit keeps its
    /// principal (and so the library) alive. Throws au::Error with the effect's reason when
    /// the principal cannot be made or refuses to create the unit. The principal may need the
    /// main thread to create the unit: a caller off the main thread needs the main thread's
    /// event loop running; a caller on it does the work inline.
    std::shared_ptr<AudioUnit> instantiate();

private:
    LoadedComponent(ComponentManifest manifest, void* handle, ExtensionEntry entry);

    ComponentManifest manifest_;
    void* handle_;
    ExtensionEntry entry_;
};

} // namespace au
