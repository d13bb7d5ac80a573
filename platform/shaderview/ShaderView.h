#pragma once

#include "platform/shaderview/Device.h"
#include "platform/shaderview/RenderTypes.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

namespace shaderview {

class ShaderView;

/// What a shader view asks of the object that draws it. The view does not own its delegate:
/// whoever sets one clears it (or drops the view) before the delegate goes. Main thread.
class ShaderViewDelegate {
public:
    /// The drawable's size changed (pixels); called before the next frame at that size.
    virtual void drawableSizeWillChange(ShaderView& view, QSize size) = 0;
    /// Draw one frame: the view's render pass and drawable are current during this call.
    virtual void draw(ShaderView& view) = 0;

protected:
    ~ShaderViewDelegate() = default;
};

/// A view whose content a delegate draws with shader functions, 60 frames a second while not
/// paused and once more whenever asked (setNeedsDisplay(), a resize).
///
/// The frames come from a drawing surface that the device makes (a QOpenGLWidget with an
/// OpenGL 3.3 core context for the GL device); a view without a device, or whose device draws
/// nowhere, is a plain widget that shows nothing, so it is safe on any Qt platform. Its
/// drawable always follows its size, in device pixels. Main thread only.
class ShaderView : public QWidget {
public:
    explicit ShaderView(std::shared_ptr<Device> device, QWidget* parent = nullptr);
    ~ShaderView() override;

    Device* device() const { return device_.get(); }
    const std::shared_ptr<Device>& sharedDevice() const { return device_; }
    /// Replaces the device and its drawing surface.
    void setDevice(std::shared_ptr<Device> device);

    ShaderViewDelegate* delegate() const { return delegate_; }
    void setDelegate(ShaderViewDelegate* delegate) { delegate_ = delegate; }

    PixelFormat colorPixelFormat() const { return colorPixelFormat_; }
    /// Takes effect at once; a surface that has drawn already is made anew.
    void setColorPixelFormat(PixelFormat format);
    std::array<float, 4> clearColor() const { return clearColor_; }
    void setClearColor(const std::array<float, 4>& color) { clearColor_ = color; }

    int preferredFramesPerSecond() const { return framesPerSecond_; }
    void setPreferredFramesPerSecond(int framesPerSecond);

    bool isPaused() const { return paused_; }
    /// A paused view draws only when asked to.
    void setPaused(bool paused);
    /// Asks for one frame soon, paused or not.
    void setNeedsDisplay();

    /// The size of the frames in pixels: the view's size times its device pixel ratio.
    QSize drawableSize() const;

    /// Only while the delegate draws; null otherwise.
    const RenderPassDescriptor* currentRenderPassDescriptor() const { return currentPass_ ? &*currentPass_ : nullptr; }
    const Drawable* currentDrawable() const { return currentDrawable_ ? &*currentDrawable_ : nullptr; }

    /// Draws a frame now and returns it (8 bits a channel); null when the view has no drawing
    /// surface or is not on screen.
    QImage grabFrame();

    QWidget* drawingSurface() const { return surface_; }

    /// Milliseconds to wait before frame number frameIndex + 1: whole milliseconds that add
    /// up to exactly one second per framesPerSecond frames (16, 17, 17, ... at 60).
    static int frameInterval(long long frameIndex, int framesPerSecond);

    /// For drawing surfaces: run one frame into pass.
    void drawFrame(const RenderPassDescriptor& pass);
    /// For drawing surfaces: the pixel size may have changed (resize, device pixel ratio).
    void updateDrawableSize();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void rebuildSurface();
    void updateTimer();
    void scheduleNextFrame();

    std::shared_ptr<Device> device_;
    QPointer<QWidget> surface_;
    ShaderViewDelegate* delegate_ = nullptr;
    PixelFormat colorPixelFormat_ = PixelFormat::rgba16Float;
    std::array<float, 4> clearColor_{0, 0, 0, 1};
    int framesPerSecond_ = 60;
    bool paused_ = false;
    QTimer frameTimer_;
    long long frameIndex_ = 0;
    QSize reportedDrawableSize_;
    std::optional<RenderPassDescriptor> currentPass_;
    std::optional<Drawable> currentDrawable_;
};

} // namespace shaderview
