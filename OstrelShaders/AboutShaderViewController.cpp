#include "OstrelShaders/AboutShaderViewController.h"

namespace ostrelshaders {

AboutShaderViewController::AboutShaderViewController(QWidget* view, RendererEnvironment environment, QObject* parent)
    : ShaderViewController(view, std::move(environment), parent)
{
}

std::unique_ptr<FullViewRenderer> AboutShaderViewController::makeRenderer(shaderview::ShaderView& view)
{
    return std::make_unique<AboutRenderer>(view, environment());
}

} // namespace ostrelshaders
