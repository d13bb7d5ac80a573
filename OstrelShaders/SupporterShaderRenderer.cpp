#include "OstrelShaders/SupporterShaderRenderer.h"

#include "OstrelShaders/MetalShaderRenderer.h"

#include <QGuiApplication>
#include <QScreen>

namespace ostrelshaders {

using shaderview::ShaderView;

static_assert(SupporterShaderRenderer::animationBufferSize == 24);

SupporterShaderRenderer::SupporterShaderRenderer(ShaderView& view, QString name, const RendererEnvironment& environment)
    : FullViewRenderer(view, environment), name_(std::move(name))
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    scale_ = screen ? float(screen->devicePixelRatio()) : 1.0f;
    pipelineState_ = MetalShaderRenderer::makeShaderPipeline(*device_, QStringLiteral("supporterVertexShader"),
                                                             QStringLiteral("supporterFragmentShader"),
                                                             environment.resourceBundle());
    finishConstruction(view);
}

void SupporterShaderRenderer::recordSwitchOn(int index)
{
    if (!isSwitchIndex(index))
        return;
    for (int slot = switchCount - 1; slot > 0; --slot) {
        switchHistory_[std::size_t(slot)] = switchHistory_[std::size_t(slot - 1)];
        switchHistoryTime_[std::size_t(slot)] = switchHistoryTime_[std::size_t(slot - 1)];
    }
    switchHistoryTime_[0] = clock_.time();
    switchHistory_[0] = float(index);
}

void SupporterShaderRenderer::draw(ShaderView& view)
{
    std::optional<Frame> frame = beginFrame(view);
    if (!frame)
        return;
    const std::array<float, 2> size = viewSize();
    const float time = clock_.time();

    frame->commands->setLabel(name_ + QStringLiteral(" Command Buffer"));
    auto& encoder = *frame->encoder;
    encodeQuadSetup(encoder, *pipelineState_);
    encoder.setFragmentBytes(size.data(), sizeof size, 0);
    encoder.setFragmentBytes(&time, sizeof time, 1);
    encoder.setFragmentBytes(&scale_, sizeof scale_, 2);

    // This frame's copies of the switch arrays; they go with the frame.
    const SwitchArray* arrays[] = {&switchOnState_, &switchDownState_, &switchHistory_, &switchHistoryTime_};
    std::unique_ptr<shaderview::Buffer> buffers[4];
    for (int i = 0; i < 4; ++i) {
        buffers[i] = device_->makeBuffer(arrays[i]->data(), sizeof(SwitchArray));
        encoder.setFragmentBuffer(buffers[i].get(), 0, 3 + i);
    }
    finishFrame(view, *frame);
}

} // namespace ostrelshaders
