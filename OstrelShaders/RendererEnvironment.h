#pragma once

#include "OstrelShaders/ModuleBundle.h"
#include "OstrelShaders/ShaderClock.h"
#include "platform/shaderview/Device.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace ostrelshaders {

/// What the module's controllers and renderers take from the system, in one place so tests
/// can hand in a device that draws nowhere, a clock they move by hand, or a bundle of their
/// own shaders.
struct RendererEnvironment {
    std::function<std::shared_ptr<shaderview::Device>()> systemDefaultDevice = [] {
        return shaderview::Device::systemDefault();
    };
    ShaderClock::Source clock = ShaderClock::systemSource();
    /// The bundle holding the shader library and the artwork.
    std::function<std::filesystem::path()> resourceBundle = [] { return moduleBundle().bundlePath(); };
};

} // namespace ostrelshaders
