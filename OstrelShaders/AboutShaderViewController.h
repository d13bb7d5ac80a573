#pragma once

#include "OstrelShaders/AboutRenderer.h"
#include "OstrelShaders/ShaderViewController.h"

namespace ostrelshaders {

/// Hosts a shader view drawn by an AboutRenderer, like MetalShaderViewController. Main
/// thread only.
class AboutShaderViewController final : public ShaderViewController {
public:
    explicit AboutShaderViewController(QWidget* view, RendererEnvironment environment = {}, QObject* parent = nullptr);

    AboutRenderer* renderer() const { return static_cast<AboutRenderer*>(baseRenderer()); }

protected:
    std::unique_ptr<FullViewRenderer> makeRenderer(shaderview::ShaderView& view) override;
};

} // namespace ostrelshaders
