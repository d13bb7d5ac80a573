#pragma once

#include "platform/audiounit/ViewController.h"

// The one symbol a loadable effect exports. An effect library defines the entry with exactly
// this declaration in one source file:
//
//     #include "platform/audiounit/ExtensionEntry.h"
//     au::ViewController* auExtensionCreatePrincipal()
//     {
//         return new MyViewController;
//     }
//
// and builds with hidden visibility (everything else stays inside the library, so its copies
// of static libraries never interpose with the host's). The declaration below carries the C
// linkage and the default visibility, so the definition needs neither.
//
// The entry returns a new principal that the caller owns (it deletes it through the virtual
// destructor, before it releases the library), or throws what its constructor throws. The
// host calls it on the main thread (see au::LoadedComponent).

#define AU_EXTENSION_EXPORT __attribute__((visibility("default")))

extern "C" AU_EXTENSION_EXPORT au::ViewController* auExtensionCreatePrincipal();

namespace au {

/// The entry's type and the name a host looks up with dlsym.
using ExtensionEntry = ViewController* (*)();
inline constexpr const char* extensionEntryName = "auExtensionCreatePrincipal";

} // namespace au
