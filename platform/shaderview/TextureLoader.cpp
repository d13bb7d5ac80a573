#include "platform/shaderview/TextureLoader.h"

#include "platform/assets/AssetCatalog.h"
#include "platform/shaderview/ShaderError.h"

namespace shaderview {

std::unique_ptr<Texture> TextureLoader::newTexture(const QString& name, double scale, const std::filesystem::path& bundlePath)
{
    const QImage image = assets::AssetCatalog(bundlePath).image(name, scale);
    if (image.isNull())
        throw ShaderError("no image named \"" + name.toStdString() + "\" in " + bundlePath.string());
    return device_.makeTexture(image);
}

} // namespace shaderview
