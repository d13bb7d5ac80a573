#pragma once

#include "platform/shaderview/RenderTypes.h"
#include "platform/shaderview/ShaderLibrary.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <memory>
#include <optional>

class QWidget;

namespace shaderview {

class ShaderView;
class CommandBuffer;

/// Bytes in the device's memory (the quad's vertices, the switch arrays of a frame).
class Buffer {
public:
    virtual ~Buffer() = default;
    virtual std::size_t length() const = 0;
    /// The bytes as they were given: a buffer is written once, at creation.
    virtual const std::byte* contents() const = 0;
};

/// An image in the device's memory, sampled in linear light (its pixels are sRGB-encoded).
class Texture {
public:
    virtual ~Texture() = default;
    virtual QSize size() const = 0; // pixels
};

/// A vertex and a fragment function compiled and linked for one colour format.
class RenderPipelineState {
public:
    virtual ~RenderPipelineState() = default;
    virtual QString label() const = 0;
    virtual PixelFormat colorPixelFormat() const = 0;
};

struct RenderPipelineDescriptor {
    QString label;
    std::optional<ShaderFunction> vertexFunction;   // unset makes the pipeline fail
    std::optional<ShaderFunction> fragmentFunction; // unset makes the pipeline fail
    PixelFormat colorPixelFormat = PixelFormat::rgba16Float;
};

/// Hands out command buffers, one per frame.
class CommandQueue {
public:
    virtual ~CommandQueue() = default;
    /// Empty when the device cannot record commands now.
    virtual std::unique_ptr<CommandBuffer> makeCommandBuffer() = 0;
};

/// The graphics device the shader views draw with. A view without a device shows nothing.
/// Main thread only.
class Device {
public:
    virtual ~Device() = default;

    /// The machine's device for shader views, shared by every view: empty when the process
    /// has no GL (Qt's offscreen or minimal platform, no display, no OpenGL 3.3 core).
    /// Call prepareApplication() before the QApplication is made.
    static std::shared_ptr<Device> systemDefault();

    virtual QString name() const = 0;

    /// Empty when the device cannot take commands.
    virtual std::unique_ptr<CommandQueue> makeCommandQueue() = 0;

    /// Compiles and links; throws ShaderError (an unset function, a compile or link error).
    virtual std::unique_ptr<RenderPipelineState> makeRenderPipelineState(const RenderPipelineDescriptor& descriptor) = 0;

    /// A copy of length bytes; empty when the device cannot allocate it.
    virtual std::unique_ptr<Buffer> makeBuffer(const void* bytes, std::size_t length) = 0;

    /// The image's pixels at its own size; throws ShaderError when it cannot be made.
    virtual std::unique_ptr<Texture> makeTexture(const QImage& image) = 0;

    /// The widget that shows a shader view's frames, made child of view; null for a device
    /// that draws nowhere (tests).
    virtual QWidget* makeDrawingSurface(ShaderView& view) = 0;
};

/// Call before the QApplication is made: shader views share their GL objects between the
/// contexts Qt makes for them, which Qt allows only when told so up front.
void prepareApplication();

} // namespace shaderview
