#pragma once

#include "OstrelShaders/FullViewRenderer.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <memory>

namespace ostrelshaders {

/// Draws the full-view quad with a vertex and a fragment function named from the module's
/// shader library, handing the fragment function its size, a seed and a clock:
///   fragment input 0   vec2   the viewport's width and height in pixels
///   fragment input 1   uint   a random seed drawn once per renderer
///   fragment input 2   float  seconds since construction, less the time paused
/// The welcome window's waveform band is this renderer named "Main" with the
/// "audioWaveformVertexShader" / "audioWaveformFragmentShader" pair. Main thread.
class MetalShaderRenderer final : public FullViewRenderer {
public:
    /// Throws RendererError::noValidDevice (no device or queue) or shaderview::ShaderError
    /// (library, function or pipeline).
    MetalShaderRenderer(shaderview::ShaderView& view, QString name, const QString& vertxShaderName,
                        const QString& fragmentShaderName, const RendererEnvironment& environment = {});

    void draw(shaderview::ShaderView& view) override;

    const QString& name() const { return name_; }
    std::uint32_t seed() const { return seed_; }
    const shaderview::RenderPipelineState& pipelineState() const { return *pipelineState_; }

    /// The pipeline of the two named functions of the library in bundlePath, labelled
    /// "Shader Pipeline", drawing into 16-bit float colour. Throws shaderview::ShaderError.
    static std::unique_ptr<shaderview::RenderPipelineState> makeShaderPipeline(shaderview::Device& device,
                                                                               const QString& vertexShaderName,
                                                                               const QString& fragmentShaderName,
                                                                               const std::filesystem::path& bundlePath);

private:
    std::uint32_t seed_;
    QString name_;
    std::unique_ptr<shaderview::RenderPipelineState> pipelineState_;
};

} // namespace ostrelshaders
