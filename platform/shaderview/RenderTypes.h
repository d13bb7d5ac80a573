#pragma once

#include <QSize>

#include <array>

namespace shaderview {

/// Colour formats a shader view draws into.
enum class PixelFormat {
    rgba8Unorm,
    rgba16Float, // the views' default: extended range, 16-bit float per channel
};

/// The area of the target a draw covers, in pixels, origin at the top left.
struct Viewport {
    double originX = 0;
    double originY = 0;
    double width = 0;
    double height = 0;
    double znear = 0;
    double zfar = 1;

    bool operator==(const Viewport&) const = default;
};

enum class PrimitiveType {
    triangle,
    triangleStrip,
};

/// Where one frame of a shader view goes. Valid only while the view asks its delegate to
/// draw; the backend fields name the target of the drawing surface.
struct RenderPassDescriptor {
    QSize size;                                  // pixels
    PixelFormat pixelFormat = PixelFormat::rgba16Float;
    std::array<float, 4> clearColor{0, 0, 0, 1}; // what the target holds before the frame
    unsigned framebuffer = 0;                    // backend: the surface's framebuffer
    unsigned vertexArray = 0;                    // backend: the surface's vertex array
};

/// The picture a frame ends up in; presenting it shows the frame.
struct Drawable {
    QSize size;
};

} // namespace shaderview
