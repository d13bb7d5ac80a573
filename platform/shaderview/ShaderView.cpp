#include "platform/shaderview/ShaderView.h"

#include "platform/shaderview/MainThread.h"

#include <QOpenGLWidget>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace shaderview {

namespace {
constexpr std::string_view source = "platform/shaderview/ShaderView";
}

ShaderView::ShaderView(std::shared_ptr<Device> device, QWidget* parent) : QWidget(parent), device_(std::move(device))
{
    // QTimer counts whole milliseconds; frameInterval() spreads the remainder so 60 frames
    // take one second, and a precise timer keeps each interval to the millisecond.
    frameTimer_.setTimerType(Qt::PreciseTimer);
    frameTimer_.setSingleShot(true);
    QObject::connect(&frameTimer_, &QTimer::timeout, this, [this] {
        if (surface_)
            surface_->update();
        scheduleNextFrame();
    });
    rebuildSurface();
}

ShaderView::~ShaderView()
{
    // The surface draws through us: it goes first, with no delegate left to call.
    delegate_ = nullptr;
    delete surface_.data();
}

void ShaderView::setDevice(std::shared_ptr<Device> device)
{
    requireMainThread(source, __LINE__);
    device_ = std::move(device);
    rebuildSurface();
}

void ShaderView::setColorPixelFormat(PixelFormat format)
{
    if (format == colorPixelFormat_)
        return;
    colorPixelFormat_ = format;
    rebuildSurface();
}

void ShaderView::rebuildSurface()
{
    delete surface_.data();
    surface_ = device_ ? device_->makeDrawingSurface(*this) : nullptr;
    if (surface_) {
        surface_->setGeometry(rect());
        surface_->show();
    }
    updateTimer();
}

void ShaderView::setPreferredFramesPerSecond(int framesPerSecond)
{
    framesPerSecond_ = std::max(1, framesPerSecond);
    frameIndex_ = 0;
    updateTimer();
}

void ShaderView::setPaused(bool paused)
{
    requireMainThread(source, __LINE__);
    paused_ = paused;
    updateTimer();
}

void ShaderView::setNeedsDisplay()
{
    if (surface_)
        surface_->update();
}

QSize ShaderView::drawableSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
}

int ShaderView::frameInterval(long long frameIndex, int framesPerSecond)
{
    const long long fps = std::max(1, framesPerSecond);
    const long long index = frameIndex % fps;
    return int((1000 * (index + 1)) / fps - (1000 * index) / fps);
}

void ShaderView::updateTimer()
{
    const bool running = surface_ && !paused_ && isVisible();
    if (running && !frameTimer_.isActive())
        scheduleNextFrame();
    else if (!running)
        frameTimer_.stop();
}

void ShaderView::scheduleNextFrame()
{
    if (!surface_ || paused_ || !isVisible())
        return;
    frameTimer_.start(frameInterval(frameIndex_++, framesPerSecond_));
}

void ShaderView::drawFrame(const RenderPassDescriptor& pass)
{
    requireMainThread(source, __LINE__);
    updateDrawableSize();
    if (!delegate_)
        return;
    currentPass_ = pass;
    currentDrawable_ = Drawable{pass.size};
    delegate_->draw(*this);
    currentPass_.reset();
    currentDrawable_.reset();
}

void ShaderView::updateDrawableSize()
{
    const QSize size = drawableSize();
    if (size == reportedDrawableSize_)
        return;
    reportedDrawableSize_ = size;
    if (delegate_)
        delegate_->drawableSizeWillChange(*this, size);
}

QImage ShaderView::grabFrame()
{
    auto* gl = qobject_cast<QOpenGLWidget*>(surface_.data());
    // A GL surface grabbed before it is on screen makes a context outside the shared group.
    if (!gl || !gl->isVisible())
        return {};
    return gl->grabFramebuffer();
}

void ShaderView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (surface_)
        surface_->setGeometry(rect());
    updateDrawableSize();
}

void ShaderView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateTimer();
}

void ShaderView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    updateTimer();
}

} // namespace shaderview
