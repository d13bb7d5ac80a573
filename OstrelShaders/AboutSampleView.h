#pragma once

#include "OstrelShaders/AboutRenderer.h"
#include "platform/shaderview/ShaderView.h"

#include <memory>

namespace ostrelshaders {

/// A shader view that sets itself up with an AboutRenderer each time it is put into a parent
/// or taken out of one (made with a parent counts as put into it): the system's device,
/// 16-bit float colour and a new renderer, which restarts the animation. It never pauses.
/// When the renderer cannot be built the view shows nothing. Main thread only.
class AboutSampleView final : public shaderview::ShaderView {
public:
    explicit AboutSampleView(QWidget* parent = nullptr, RendererEnvironment environment = {});
    ~AboutSampleView() override;

    AboutRenderer* renderer() const { return renderer_.get(); }

protected:
    bool event(QEvent* event) override;

private:
    void viewDidMoveToSuperview();

    RendererEnvironment environment_;
    std::unique_ptr<AboutRenderer> renderer_;
};

} // namespace ostrelshaders
