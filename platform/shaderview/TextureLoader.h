#pragma once

#include "platform/shaderview/Device.h"

#include <QString>

#include <filesystem>
#include <memory>

namespace shaderview {

/// Makes textures from the named images of a module's resource bundle (its asset catalogue),
/// at the pixel scale of the window they will be shown in. Main thread.
class TextureLoader {
public:
    explicit TextureLoader(Device& device) : device_(device) {}

    /// The image name at scale (2x artwork for scales above 1); throws ShaderError when the
    /// bundle has no such image or the device cannot make the texture.
    std::unique_ptr<Texture> newTexture(const QString& name, double scale, const std::filesystem::path& bundlePath);

private:
    Device& device_;
};

} // namespace shaderview
