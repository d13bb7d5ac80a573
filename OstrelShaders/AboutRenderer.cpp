#include "OstrelShaders/AboutRenderer.h"

#include "platform/shaderview/ShaderError.h"
#include "platform/shaderview/ShaderLibrary.h"
#include "platform/shaderview/TextureLoader.h"

#include <QWindow>

namespace ostrelshaders {

using shaderview::ShaderView;

namespace {

double windowScale(const ShaderView& view)
{
    const QWindow* window = view.window()->windowHandle();
    return window ? window->devicePixelRatio() : 1.0;
}

} // namespace

AboutRenderer::AboutRenderer(ShaderView& view, const RendererEnvironment& environment)
    : FullViewRenderer(view, environment)
{
    const std::filesystem::path bundle = environment.resourceBundle();
    pipelineState_ = makePipeline(view, bundle);
    const double scale = windowScale(view);
    shaderview::TextureLoader loader(*device_);
    logoTexture_ = loader.newTexture(logoAssetName, scale, bundle);
    noiseTexture_ = loader.newTexture(noiseAssetName, scale, bundle);
    finishConstruction(view);
}

std::unique_ptr<shaderview::RenderPipelineState> AboutRenderer::makePipeline(ShaderView& metalKitView,
                                                                             const std::filesystem::path& bundlePath)
{
    shaderview::Device* device = metalKitView.device();
    if (!device)
        throw shaderview::ShaderError("the view has no device for the about pipeline");
    shaderview::RenderPipelineDescriptor descriptor;
    descriptor.label = QStringLiteral("About View Pipeline");
    descriptor.colorPixelFormat = metalKitView.colorPixelFormat();
    try {
        const auto library = shaderview::ShaderLibrary::load(bundlePath);
        descriptor.vertexFunction = library.function(QStringLiteral("aboutVertexShader"));
        descriptor.fragmentFunction = library.function(QStringLiteral("aboutFragmentShader"));
    } catch (const shaderview::ShaderError&) {
        // Shows up as the pipeline's error below.
    }
    return device->makeRenderPipelineState(descriptor);
}

void AboutRenderer::draw(ShaderView& view)
{
    std::optional<Frame> frame = beginFrame(view);
    if (!frame)
        return;
    const std::array<float, 2> size = viewSize();
    const float time = clock_.time();

    frame->commands->setLabel(QStringLiteral("About View Command Buffer"));
    auto& encoder = *frame->encoder;
    encoder.setLabel(QStringLiteral("About View Render Encoder"));
    encodeQuadSetup(encoder, *pipelineState_);
    encoder.setFragmentBytes(size.data(), sizeof size, 0);
    encoder.setFragmentBytes(&time, sizeof time, 1);
    encoder.setFragmentTexture(logoTexture_.get(), 0);
    encoder.setFragmentTexture(noiseTexture_.get(), 1);
    finishFrame(view, *frame);
}

} // namespace ostrelshaders
