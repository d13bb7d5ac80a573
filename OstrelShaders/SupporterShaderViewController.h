#pragma once

#include "OstrelShaders/ShaderViewController.h"
#include "OstrelShaders/SupporterShaderRenderer.h"

#include <optional>

namespace ostrelshaders {

/// Hosts a shader view drawn by a SupporterShaderRenderer and turns its six switches on and
/// off, presses and releases them. Switch operations act on the current renderer only (none
/// before the view appears, after it disappears, or when the renderer failed), except the
/// initial on-states, which are kept for the next renderer while there is none. An index
/// outside 0 to 5 changes nothing. Main thread only.
class SupporterShaderViewController final : public ShaderViewController {
public:
    SupporterShaderViewController(QWidget* view, QString rendererName, RendererEnvironment environment = {},
                                  QObject* parent = nullptr);

    SupporterShaderRenderer* renderer() const { return static_cast<SupporterShaderRenderer*>(baseRenderer()); }
    const QString& rendererName() const { return rendererName_; }
    const std::optional<SupporterShaderRenderer::SwitchArray>& switchOnStateToSetOnAppear() const
    {
        return switchOnStateToSetOnAppear_;
    }

    void setInitialButtonStates(bool on1, bool on2, bool on3, bool on4, bool on5, bool on6);
    /// Turning a switch on is recorded in the renderer's history; turning it on again is not.
    void switchOn(int index);
    void switchOff(int index);
    void switchDown(int index);
    void switchUp(int index);

protected:
    std::unique_ptr<FullViewRenderer> makeRenderer(shaderview::ShaderView& view) override;
    void rendererDidLoad() override;

private:
    QString rendererName_;
    std::optional<SupporterShaderRenderer::SwitchArray> switchOnStateToSetOnAppear_;
};

} // namespace ostrelshaders
