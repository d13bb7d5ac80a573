#pragma once

#include "OstrelShaders/MetalShaderViewController.h"
#include "OstrelShaders/RendererEnvironment.h"

#include <QWidget>

#include <memory>

namespace ostrelshaders {

/// The welcome window's animated waveform band as a view a layout can hold: a plain view,
/// 300 x 300 points to start with and flexible both ways, whose MetalShaderViewController draws
/// "audioWaveformVertexShader" and "audioWaveformFragmentShader" with the renderer name "Main".
/// The controller builds its shader view when this view is shown and drops it when it is
/// hidden. Pointer presses pass through to the views behind and around it. Main thread only.
class ContentViewShader : public QWidget {
public:
    explicit ContentViewShader(RendererEnvironment environment = {}, QWidget* parent = nullptr);
    ~ContentViewShader() override;

    MetalShaderViewController& controller() { return *controller_; }

    /// What the layout does when it changes the view: asks for a fresh frame when the shader
    /// view exists (before the view first appears there is none, and nothing happens).
    void updateController();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<MetalShaderViewController> controller_;
};

} // namespace ostrelshaders
