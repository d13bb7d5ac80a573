#pragma once

#include "platform/shaderview/Device.h"

#include <QString>

#include <cstddef>
#include <memory>

namespace shaderview {

/// Records the draws of one render pass. GL runs each call as it comes; the order of calls
/// is what matters: state first, then the draw.
class RenderCommandEncoder {
public:
    virtual ~RenderCommandEncoder() = default;
    virtual void setLabel(const QString& label) = 0;
    virtual void setRenderPipelineState(const RenderPipelineState& pipeline) = 0;
    virtual void setViewport(const Viewport& viewport) = 0;
    virtual void setVertexBuffer(const Buffer* buffer, std::size_t offset, int index) = 0;
    /// Small values copied now (no buffer object), for fragment input index.
    virtual void setFragmentBytes(const void* bytes, std::size_t length, int index) = 0;
    virtual void setFragmentBuffer(const Buffer* buffer, std::size_t offset, int index) = 0;
    virtual void setFragmentTexture(const Texture* texture, int index) = 0;
    virtual void drawPrimitives(PrimitiveType type, int vertexStart, int vertexCount) = 0;
    virtual void endEncoding() = 0;
};

/// One frame's commands.
class CommandBuffer {
public:
    virtual ~CommandBuffer() = default;
    virtual void setLabel(const QString& label) = 0;
    virtual QString label() const = 0;
    /// Empty when the pass cannot be drawn into now (e.g. outside the view's drawing).
    virtual std::unique_ptr<RenderCommandEncoder> makeRenderCommandEncoder(const RenderPassDescriptor& pass) = 0;
    virtual void present(const Drawable& drawable) = 0;
    virtual void commit() = 0;
};

} // namespace shaderview
