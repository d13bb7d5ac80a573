#pragma once

#include "OstrelShaders/MetalShaderRenderer.h"
#include "OstrelShaders/ShaderViewController.h"

namespace ostrelshaders {

/// Hosts a shader view drawn by a MetalShaderRenderer with the named shader pair, e.g. the
/// welcome window's waveform band ("Main", "audioWaveformVertexShader",
/// "audioWaveformFragmentShader"). Main thread only.
class MetalShaderViewController final : public ShaderViewController {
public:
    MetalShaderViewController(QWidget* view, QString rendererName, QString vertxShaderName, QString fragmentShaderName,
                              RendererEnvironment environment = {}, QObject* parent = nullptr);

    /// Null before the view appears, after it disappears, or when the renderer failed.
    MetalShaderRenderer* renderer() const { return static_cast<MetalShaderRenderer*>(baseRenderer()); }

    const QString& rendererName() const { return rendererName_; }
    const QString& vertxShaderName() const { return vertxShaderName_; }
    const QString& fragmentShaderName() const { return fragmentShaderName_; }

protected:
    std::unique_ptr<FullViewRenderer> makeRenderer(shaderview::ShaderView& view) override;

private:
    QString rendererName_;
    QString vertxShaderName_;
    QString fragmentShaderName_;
};

} // namespace ostrelshaders
