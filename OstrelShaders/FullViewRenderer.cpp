#include "OstrelShaders/FullViewRenderer.h"

#include "OstrelShaders/QuadVertexBuffer.h"
#include "platform/shaderview/MainThread.h"
#include "platform/shaderview/ShaderError.h"

namespace ostrelshaders {

using shaderview::ShaderView;

namespace {
constexpr std::string_view source = "OstrelShaders/FullViewRenderer";

shaderview::Viewport viewportOf(QSize size)
{
    return {0, 0, double(size.width()), double(size.height()), 0, 1};
}
} // namespace

FullViewRenderer::FullViewRenderer(ShaderView& view, const RendererEnvironment& environment)
    : device_(view.sharedDevice()), clock_(environment.clock)
{
    shaderview::requireMainThread(source, __LINE__);
    if (!device_)
        throw RendererError::noValidDevice();
    commandQueue_ = device_->makeCommandQueue();
    if (!commandQueue_)
        throw RendererError::noValidDevice();
}

void FullViewRenderer::finishConstruction(const ShaderView& view)
{
    auto [buffer, count] = makeQuadVertexBuffer(*device_);
    if (!buffer)
        throw shaderview::ShaderError("the device cannot hold the full-view quad");
    vertexBuffer_ = std::move(buffer);
    vertexCount_ = count;
    viewport_ = viewportOf(view.drawableSize());
    clock_.start();
}

void FullViewRenderer::drawableSizeWillChange(ShaderView&, QSize size)
{
    shaderview::requireMainThread(source, __LINE__);
    viewport_ = viewportOf(size);
}

std::array<float, 2> FullViewRenderer::viewSize() const
{
    return {float(viewport_.width), float(viewport_.height)};
}

std::optional<FullViewRenderer::Frame> FullViewRenderer::beginFrame(ShaderView& view)
{
    shaderview::requireMainThread(source, __LINE__);
    const shaderview::RenderPassDescriptor* pass = view.currentRenderPassDescriptor();
    if (!pass)
        return std::nullopt;
    Frame frame;
    frame.commands = commandQueue_->makeCommandBuffer();
    if (!frame.commands)
        return std::nullopt;
    frame.encoder = frame.commands->makeRenderCommandEncoder(*pass);
    if (!frame.encoder)
        return std::nullopt;
    return frame;
}

void FullViewRenderer::encodeQuadSetup(shaderview::RenderCommandEncoder& encoder,
                                       const shaderview::RenderPipelineState& pipeline) const
{
    encoder.setRenderPipelineState(pipeline);
    encoder.setViewport(viewport_);
    encoder.setVertexBuffer(vertexBuffer_.get(), 0, 0);
}

void FullViewRenderer::finishFrame(ShaderView& view, Frame& frame) const
{
    frame.encoder->drawPrimitives(shaderview::PrimitiveType::triangleStrip, 0, vertexCount_);
    frame.encoder->endEncoding();
    if (const shaderview::Drawable* drawable = view.currentDrawable())
        frame.commands->present(*drawable);
    frame.commands->commit();
}

} // namespace ostrelshaders
