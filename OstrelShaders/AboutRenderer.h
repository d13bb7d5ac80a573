#pragma once

#include "OstrelShaders/FullViewRenderer.h"

#include <memory>

namespace ostrelshaders {

/// Draws the about animation: the full-view quad with "aboutVertexShader" /
/// "aboutFragmentShader" over the module's logo and noise artwork:
///   fragment input 0     vec2   the viewport's width and height in pixels
///   fragment input 1     float  seconds since construction, less the time paused
///   fragment texture 0   the logo ("aboutLogo"), texture 1 the noise ("aboutNoise")
/// Its pipeline draws into the view's own colour format. Main thread.
class AboutRenderer final : public FullViewRenderer {
public:
    static inline const QString logoAssetName = QStringLiteral("aboutLogo");
    static inline const QString noiseAssetName = QStringLiteral("aboutNoise");

    /// Throws RendererError::noValidDevice (no device or queue), or shaderview::ShaderError
    /// from the pipeline or a texture. The artwork is loaded at the scale of the view's window
    /// (1 when it is in none).
    explicit AboutRenderer(shaderview::ShaderView& view, const RendererEnvironment& environment = {});

    void draw(shaderview::ShaderView& view) override;

    void willPause() { pause(); }
    void willResume() { resume(); }

    const shaderview::RenderPipelineState& pipelineState() const { return *pipelineState_; }
    const shaderview::Texture& logoTexture() const { return *logoTexture_; }
    const shaderview::Texture& noiseTexture() const { return *noiseTexture_; }

    /// "About View Pipeline": the about functions of the library in bundlePath for the
    /// view's colour format. A library that cannot be read leaves both functions unset, so
    /// the pipeline fails (shaderview::ShaderError).
    static std::unique_ptr<shaderview::RenderPipelineState> makePipeline(shaderview::ShaderView& metalKitView,
                                                                         const std::filesystem::path& bundlePath);

private:
    std::unique_ptr<shaderview::RenderPipelineState> pipelineState_;
    std::unique_ptr<shaderview::Texture> logoTexture_;
    std::unique_ptr<shaderview::Texture> noiseTexture_;
};

} // namespace ostrelshaders
