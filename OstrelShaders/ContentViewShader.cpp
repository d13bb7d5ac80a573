#include "OstrelShaders/ContentViewShader.h"

#include "platform/shaderview/MainThread.h"

namespace ostrelshaders {

ContentViewShader::ContentViewShader(RendererEnvironment environment, QWidget* parent) : QWidget(parent)
{
    shaderview::requireMainThread("OstrelShaders/ContentViewShader", __LINE__);
    resize(300, 300); // only the starting size: the layout holding the view sizes it
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    controller_ = std::make_unique<MetalShaderViewController>(this, QStringLiteral("Main"),
                                                              QStringLiteral("audioWaveformVertexShader"),
                                                              QStringLiteral("audioWaveformFragmentShader"),
                                                              std::move(environment));
}

// The controller goes first, while the shader view it removes is still a child here.
ContentViewShader::~ContentViewShader() = default;

void ContentViewShader::updateController()
{
    shaderview::requireMainThread("OstrelShaders/ContentViewShader", __LINE__);
    if (auto* view = controller_->metalKitView())
        view->setNeedsDisplay();
}

void ContentViewShader::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateController();
}

} // namespace ostrelshaders
