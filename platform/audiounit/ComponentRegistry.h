#pragma once

#include "platform/audiounit/ComponentDescription.h"
#include "platform/audiounit/ComponentManifest.h"

#include <filesystem>
#include <vector>

namespace au {

/// The installed effects a host can find: every "*.component/Info.json" in the search paths.
///
/// Default search paths, in order (later ones never hide earlier ones' components, they only
/// follow them):
///   1. each directory of ZINDLE_COMPONENT_PATH (colon-separated, empty entries skipped);
///   2. <root>/lib/zindle/Components, where <root> is the tree the running program lives in
///      (the build tree, or the install prefix: <root>/bin/<program>);
///   3. ~/.local/lib/zindle/Components.
/// A directory that does not exist is skipped; one listed twice is searched once.
///
/// A bundle whose information file cannot be read or declares a malformed component is
/// skipped with a warning on standard error; the scan never throws for it.
///
/// Scans once, at construction; immutable afterwards, so it may be shared between threads.
/// Make a new registry to see bundles installed since.
class ComponentRegistry {
public:
    /// Scans the default search paths.
    ComponentRegistry();
    /// Scans exactly these directories, in this order.
    explicit ComponentRegistry(std::vector<std::filesystem::path> searchPaths);

    /// The default search paths for the running process (directories that may not exist).
    static std::vector<std::filesystem::path> defaultSearchPaths();

    const std::vector<std::filesystem::path>& searchPaths() const { return searchPaths_; }

    /// Every component found, in a stable order: by search path, then by bundle directory
    /// name, then in the order of the bundle's information file.
    const std::vector<ComponentManifest>& components() const { return components_; }

    /// The components whose codes match description, in the order of components(). A code of
    /// 0 in description matches any code.
    std::vector<ComponentManifest> componentsMatching(const ComponentDescription& description) const;

private:
    std::vector<std::filesystem::path> searchPaths_;
    std::vector<ComponentManifest> components_;
};

} // namespace au
