#include "platform/audiounit/ComponentRegistry.h"

#include "platform/audiounit/Error.h"
#include "platform/foundation/Bundle.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string_view>

namespace au {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view pathVariable = "ZINDLE_COMPONENT_PATH";
const fs::path componentsBelowRoot = fs::path("lib") / "zindle" / "Components";

// The tree the running program lives in: its main bundle is <root>/share/zindle.
std::optional<fs::path> programTreeRoot()
{
    const fs::path& mainBundle = foundation::Bundle::main().bundlePath();
    if (mainBundle.filename() == "zindle" && mainBundle.parent_path().filename() == "share")
        return mainBundle.parent_path().parent_path();
    return std::nullopt;
}

fs::path normalised(const fs::path& path)
{
    std::error_code error;
    fs::path result = fs::weakly_canonical(path, error);
    return error ? path.lexically_normal() : result;
}

bool matches(FourCharCode wanted, FourCharCode code) { return wanted == 0 || wanted == code; }

void warn(const std::string& message) { std::cerr << "warning: " << message << '\n'; }

// The bundles of one directory, by name.
std::vector<fs::path> bundlesIn(const fs::path& directory)
{
    std::vector<fs::path> bundles;
    std::error_code error;
    // Error codes, not exceptions: an unreadable directory ends its own scan, nothing more.
    for (fs::directory_iterator entry(directory, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code kindError;
        if (entry->path().extension() == ".component" && entry->is_directory(kindError))
            bundles.push_back(entry->path());
    }
    std::sort(bundles.begin(), bundles.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return bundles;
}

} // namespace

ComponentRegistry::ComponentRegistry() : ComponentRegistry(defaultSearchPaths()) {}

ComponentRegistry::ComponentRegistry(std::vector<fs::path> searchPaths)
{
    for (const fs::path& path : searchPaths) {
        const fs::path directory = normalised(path);
        if (std::find(searchPaths_.begin(), searchPaths_.end(), directory) == searchPaths_.end())
            searchPaths_.push_back(directory);
    }
    for (const fs::path& directory : searchPaths_) {
        for (const fs::path& bundle : bundlesIn(directory)) {
            try {
                std::vector<ComponentManifest> found = readComponentManifests(bundle);
                components_.insert(components_.end(), std::make_move_iterator(found.begin()),
                                   std::make_move_iterator(found.end()));
            } catch (const std::exception& error) {
                warn(std::string(error.what()) + "; skipped");
            }
        }
    }
}

std::vector<fs::path> ComponentRegistry::defaultSearchPaths()
{
    std::vector<fs::path> paths;
    if (const char* variable = std::getenv(pathVariable.data())) {
        std::string_view rest(variable);
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            const std::string_view entry = rest.substr(0, colon);
            if (!entry.empty())
                paths.emplace_back(entry);
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    if (const std::optional<fs::path> root = programTreeRoot())
        paths.push_back(*root / componentsBelowRoot);
    if (const char* home = std::getenv("HOME"); home && *home)
        paths.push_back(fs::path(home) / ".local" / componentsBelowRoot);
    return paths;
}

std::vector<ComponentManifest> ComponentRegistry::componentsMatching(const ComponentDescription& description) const
{
    std::vector<ComponentManifest> found;
    for (const ComponentManifest& manifest : components_) {
        const ComponentDescription& codes = manifest.description;
        if (matches(description.componentType, codes.componentType)
            && matches(description.componentSubType, codes.componentSubType)
            && matches(description.componentManufacturer, codes.componentManufacturer))
            found.push_back(manifest);
    }
    return found;
}

} // namespace au
