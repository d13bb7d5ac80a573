#include "OstrelShaders/MetalShaderRenderer.h"

#include "platform/shaderview/ShaderLibrary.h"

#include <random>

namespace ostrelshaders {

using shaderview::ShaderView;

MetalShaderRenderer::MetalShaderRenderer(ShaderView& view, QString name, const QString& vertxShaderName,
                                         const QString& fragmentShaderName, const RendererEnvironment& environment)
    : FullViewRenderer(view, environment), seed_(std::random_device{}()), name_(std::move(name))
{
    pipelineState_ = makeShaderPipeline(*device_, vertxShaderName, fragmentShaderName, environment.resourceBundle());
    finishConstruction(view);
}

std::unique_ptr<shaderview::RenderPipelineState> MetalShaderRenderer::makeShaderPipeline(
    shaderview::Device& device, const QString& vertexShaderName, const QString& fragmentShaderName,
    const std::filesystem::path& bundlePath)
{
    const shaderview::ShaderLibrary library = shaderview::ShaderLibrary::load(bundlePath);
    shaderview::RenderPipelineDescriptor descriptor;
    descriptor.label = QStringLiteral("Shader Pipeline");
    descriptor.vertexFunction = library.function(vertexShaderName);
    descriptor.fragmentFunction = library.function(fragmentShaderName);
    descriptor.colorPixelFormat = shaderview::PixelFormat::rgba16Float;
    return device.makeRenderPipelineState(descriptor);
}

void MetalShaderRenderer::draw(ShaderView& view)
{
    std::optional<Frame> frame = beginFrame(view);
    if (!frame)
        return;
    const std::array<float, 2> size = viewSize();
    const std::uint32_t seed = seed_;
    const float time = clock_.time();

    frame->commands->setLabel(name_ + QStringLiteral(" Command Buffer"));
    auto& encoder = *frame->encoder;
    encodeQuadSetup(encoder, *pipelineState_);
    encoder.setFragmentBytes(size.data(), sizeof size, 0);
    encoder.setFragmentBytes(&seed, sizeof seed, 1);
    encoder.setFragmentBytes(&time, sizeof time, 2);
    finishFrame(view, *frame);
}

} // namespace ostrelshaders
