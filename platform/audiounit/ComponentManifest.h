#pragma once

#include "platform/audiounit/ComponentDescription.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace au {

/// One effect as a bundle's information file declares it. A plug-in bundle is a directory
/// "<Name>.component" holding "Info.json" and the effect's shared library:
///
///     {
///         "CFBundleIdentifier": "com.vart.zindle.component",
///         "CFBundleShortVersionString": "1.0.0",
///         "AudioComponents": [
///             { "type": "aufx", "subtype": "voco", "manufacturer": "Vart",
///               "name": "Vart: Zindle", "version": 65536, "library": "Zindle.so" }
///         ]
///     }
///
/// Codes are four ASCII characters; "version" is an unsigned 32-bit integer (major << 16 |
/// minor << 8 | patch); "library" is a file name inside the bundle directory. A bundle may
/// declare several components.
struct ComponentManifest {
    ComponentDescription description;
    std::string name;
    std::uint32_t version = 0;
    /// The bundle's "CFBundleIdentifier" and "CFBundleShortVersionString".
    std::string bundleIdentifier;
    std::string bundleVersion;
    std::filesystem::path bundlePath;
    /// Inside bundlePath; the file need not exist (loading then says so).
    std::filesystem::path libraryPath;

    /// "aufx voco Vart" style text of the codes, for messages and reports.
    std::string codesText() const;
    /// "1.2.3" from version.
    std::string versionText() const;
};

/// "aufx voco Vart": the three codes as text, for messages and reports.
std::string codesText(const ComponentDescription& description);

/// The components the bundle at bundlePath declares, in the file's order. Throws au::Error
/// naming the bundle and the first fault when the information file is missing, is not JSON,
/// or an entry lacks a field or has a field of the wrong form.
std::vector<ComponentManifest> readComponentManifests(const std::filesystem::path& bundlePath);

} // namespace au
