#include "platform/audiounit/LoadedComponent.h"

#include "platform/audiounit/Error.h"
#include "platform/audiounit/SharedObjectFile.h"
#include "platform/foundation/MainQueue.h"

#include <QCoreApplication>

#include <dlfcn.h>

#include <exception>
#include <optional>
#include <system_error>

namespace au {

namespace fs = std::filesystem;

namespace {

std::string componentText(const ComponentManifest& manifest)
{
    return "component \"" + manifest.name + "\" (" + manifest.codesText() + ")";
}

// What an exception from the effect says, whatever it is.
std::string reasonOf(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "an exception that is not a std::exception";
    }
}

// Off the main thread the principal's destruction is handed to the main queue, where its
// model lives; inline when there is no main event loop that could run it.
void destroyOnMainThread(ViewController* principal, std::shared_ptr<LoadedComponent> library)
{
    if (foundation::mainQueue::isMainThread() || !QCoreApplication::instance()) {
        delete principal;
        return;
    }
    foundation::mainQueue::async([principal, library = std::move(library)] { delete principal; });
}

} // namespace

LoadedComponent::LoadedComponent(ComponentManifest manifest, void* handle, ExtensionEntry entry)
    : manifest_(std::move(manifest)), handle_(handle), entry_(entry)
{
}

LoadedComponent::~LoadedComponent()
{
    // RTLD_NODELETE keeps the code mapped; this only drops our reference.
    dlclose(handle_);
}

void LoadedComponent::checkLibrary(const ComponentManifest& manifest)
{
    const std::string failure = componentText(manifest) + " cannot be loaded: ";
    const fs::path& library = manifest.libraryPath;
    std::error_code error;
    if (!fs::is_regular_file(library, error))
        throw Error(failure + "its library " + library.string() + " does not exist");
    // Before dlopen: the loader would map a file cut short and fault on its missing pages.
    if (const std::optional<std::string> fault = sharedObjectFault(library))
        throw Error(failure + "its library " + library.string() + " is truncated or not a shared library (" + *fault
                    + ")");
}

std::shared_ptr<LoadedComponent> LoadedComponent::load(const ComponentManifest& manifest)
{
    checkLibrary(manifest);
    const std::string failure = componentText(manifest) + " cannot be loaded: ";
    const fs::path& library = manifest.libraryPath;

    dlerror();
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
        const char* text = dlerror();
        throw Error(failure + (text ? text : "the dynamic loader refused " + library.string()));
    }
    // The entry must be the library's own, not one a library it depends on happens to export.
    std::error_code ownError;
    void* symbol = dlsym(handle, extensionEntryName);
    Dl_info origin{};
    const bool own = symbol && dladdr(symbol, &origin) != 0 && origin.dli_fname
                     && fs::equivalent(origin.dli_fname, library, ownError);
    if (!own) {
        dlclose(handle);
        throw Error(failure + "its library " + library.string() + " has no entry " + extensionEntryName);
    }
    return std::shared_ptr<LoadedComponent>(
        new LoadedComponent(manifest, handle, reinterpret_cast<ExtensionEntry>(symbol)));
}

std::shared_ptr<ViewController> LoadedComponent::createPrincipal()
{
    ViewController* principal = nullptr;
    try {
        foundation::mainQueue::sync([&] { principal = entry_(); });
    } catch (...) {
        throw Error(componentText(manifest_) + " could not make its principal: " + reasonOf(std::current_exception()));
    }
    if (!principal)
        throw Error(componentText(manifest_) + " could not make its principal: its entry returned nothing");
    return std::shared_ptr<ViewController>(
        principal, [library = shared_from_this()](ViewController* made) { destroyOnMainThread(made, library); });
}

std::shared_ptr<AudioUnit> LoadedComponent::instantiate()
{
    // Members go in reverse order: our reference to the unit first, then the principal that
    // made it (and may hold it too), then the library.
    struct Instance {
        std::shared_ptr<ViewController> principal;
        std::shared_ptr<AudioUnit> unit;
    };
    auto instance = std::make_shared<Instance>();
    instance->principal = createPrincipal();
    try {
        instance->unit = instance->principal->createAudioUnit(manifest_.description);
    } catch (...) {
        throw Error(componentText(manifest_) + " could not create its Audio Unit: "
                    + reasonOf(std::current_exception()));
    }
    if (!instance->unit)
        throw Error(componentText(manifest_) + " could not create its Audio Unit: its principal returned none");
    AudioUnit* unit = instance->unit.get();
    return std::shared_ptr<AudioUnit>(std::move(instance), unit);
}

} // namespace au
