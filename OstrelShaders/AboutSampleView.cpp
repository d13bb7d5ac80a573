#include "OstrelShaders/AboutSampleView.h"

#include "platform/shaderview/MainThread.h"

#include <QEvent>

namespace ostrelshaders {

AboutSampleView::AboutSampleView(QWidget* parent, RendererEnvironment environment)
    : ShaderView(nullptr, parent), environment_(std::move(environment))
{
    if (parent)
        viewDidMoveToSuperview();
}

AboutSampleView::~AboutSampleView()
{
    setDelegate(nullptr);
}

bool AboutSampleView::event(QEvent* event)
{
    const bool handled = ShaderView::event(event);
    if (event->type() == QEvent::ParentChange)
        viewDidMoveToSuperview();
    return handled;
}

void AboutSampleView::viewDidMoveToSuperview()
{
    shaderview::requireMainThread("OstrelShaders/AboutSampleView", __LINE__);
    setDelegate(nullptr);
    renderer_.reset();
    setDevice(environment_.systemDefaultDevice());
    setColorPixelFormat(shaderview::PixelFormat::rgba16Float);
    try {
        renderer_ = std::make_unique<AboutRenderer>(*this, environment_);
    } catch (const std::exception&) {
        // Shows nothing; there is nobody to tell.
    }
    setDelegate(renderer_.get());
}

} // namespace ostrelshaders
