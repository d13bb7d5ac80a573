#pragma once

#include "OstrelShaders/RendererEnvironment.h"
#include "OstrelShaders/RendererError.h"
#include "OstrelShaders/ShaderClock.h"
#include "platform/shaderview/CommandBuffer.h"
#include "platform/shaderview/ShaderView.h"

#include <array>
#include <memory>

namespace ostrelshaders {

/// What the module's three renderers share: the view's device and a command queue of it,
/// the full-view quad, the viewport that follows the drawable, and the pausable clock.
/// A renderer is its view's delegate and lives as long as its owner keeps it. Main thread.
class FullViewRenderer : public shaderview::ShaderViewDelegate {
public:
    using RendererError = ostrelshaders::RendererError;

    virtual ~FullViewRenderer() = default;
    FullViewRenderer(const FullViewRenderer&) = delete;
    FullViewRenderer& operator=(const FullViewRenderer&) = delete;

    void drawableSizeWillChange(shaderview::ShaderView& view, QSize size) override;

    /// The viewport's width and height in pixels.
    std::array<float, 2> viewSize() const;
    const shaderview::Viewport& viewport() const { return viewport_; }

    /// The window lost the keyboard: the animation stops where it is.
    void pause() { clock_.pause(); }
    /// The window is key again: the animation goes on from where it stopped.
    void resume() { clock_.resume(); }
    const ShaderClock& clock() const { return clock_; }

    shaderview::Device& device() const { return *device_; }
    int vertexCount() const { return vertexCount_; }

protected:
    /// Takes the view's device and a new command queue of it; throws
    /// RendererError::noValidDevice when either is missing.
    FullViewRenderer(shaderview::ShaderView& view, const RendererEnvironment& environment);

    /// The last steps of construction, after the pipeline: the quad (ShaderError when the
    /// device cannot allocate it), the viewport from the view's drawable, and the clock's start.
    void finishConstruction(const shaderview::ShaderView& view);

    /// One frame's command buffer and encoder; empty (nothing to draw this frame) without a
    /// render pass, a command buffer or an encoder.
    struct Frame {
        std::unique_ptr<shaderview::CommandBuffer> commands;
        std::unique_ptr<shaderview::RenderCommandEncoder> encoder;
    };
    std::optional<Frame> beginFrame(shaderview::ShaderView& view);
    /// Pipeline, viewport and the quad at vertex buffer 0.
    void encodeQuadSetup(shaderview::RenderCommandEncoder& encoder, const shaderview::RenderPipelineState& pipeline) const;
    /// Draws the quad, ends encoding, presents the view's drawable when it has one, commits.
    void finishFrame(shaderview::ShaderView& view, Frame& frame) const;

    std::shared_ptr<shaderview::Device> device_;
    std::unique_ptr<shaderview::CommandQueue> commandQueue_;
    std::unique_ptr<shaderview::Buffer> vertexBuffer_;
    int vertexCount_ = 0;
    shaderview::Viewport viewport_;
    ShaderClock clock_;
};

} // namespace ostrelshaders
