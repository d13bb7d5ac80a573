#include "OstrelShaders/MetalShaderViewController.h"

namespace ostrelshaders {

MetalShaderViewController::MetalShaderViewController(QWidget* view, QString rendererName, QString vertxShaderName,
                                                     QString fragmentShaderName, RendererEnvironment environment,
                                                     QObject* parent)
    : ShaderViewController(view, std::move(environment), parent), rendererName_(std::move(rendererName)),
      vertxShaderName_(std::move(vertxShaderName)), fragmentShaderName_(std::move(fragmentShaderName))
{
}

std::unique_ptr<FullViewRenderer> MetalShaderViewController::makeRenderer(shaderview::ShaderView& view)
{
    return std::make_unique<MetalShaderRenderer>(view, rendererName_, vertxShaderName_, fragmentShaderName_, environment());
}

} // namespace ostrelshaders
