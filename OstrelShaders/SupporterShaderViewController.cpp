#include "OstrelShaders/SupporterShaderViewController.h"

namespace ostrelshaders {

SupporterShaderViewController::SupporterShaderViewController(QWidget* view, QString rendererName,
                                                             RendererEnvironment environment, QObject* parent)
    : ShaderViewController(view, std::move(environment), parent), rendererName_(std::move(rendererName))
{
}

std::unique_ptr<FullViewRenderer> SupporterShaderViewController::makeRenderer(shaderview::ShaderView& view)
{
    return std::make_unique<SupporterShaderRenderer>(view, rendererName_, environment());
}

void SupporterShaderViewController::rendererDidLoad()
{
    if (switchOnStateToSetOnAppear_ && renderer())
        renderer()->switchOnState() = *switchOnStateToSetOnAppear_;
}

void SupporterShaderViewController::setInitialButtonStates(bool on1, bool on2, bool on3, bool on4, bool on5, bool on6)
{
    const SupporterShaderRenderer::SwitchArray states{on1 ? 1.0f : 0.0f, on2 ? 1.0f : 0.0f, on3 ? 1.0f : 0.0f,
                                                      on4 ? 1.0f : 0.0f, on5 ? 1.0f : 0.0f, on6 ? 1.0f : 0.0f};
    if (SupporterShaderRenderer* current = renderer())
        current->switchOnState() = states;
    else
        switchOnStateToSetOnAppear_ = states;
}

void SupporterShaderViewController::switchOn(int index)
{
    SupporterShaderRenderer* current = renderer();
    if (!current || !SupporterShaderRenderer::isSwitchIndex(index))
        return;
    float& on = current->switchOnState()[std::size_t(index)];
    if (on == 1.0f)
        return;
    on = 1.0f;
    current->recordSwitchOn(index);
}

void SupporterShaderViewController::switchOff(int index)
{
    SupporterShaderRenderer* current = renderer();
    if (!current || !SupporterShaderRenderer::isSwitchIndex(index))
        return;
    current->switchOnState()[std::size_t(index)] = 0.0f;
}

void SupporterShaderViewController::switchDown(int index)
{
    SupporterShaderRenderer* current = renderer();
    if (current && SupporterShaderRenderer::isSwitchIndex(index))
        current->switchDownState()[std::size_t(index)] = 1.0f;
}

void SupporterShaderViewController::switchUp(int index)
{
    SupporterShaderRenderer* current = renderer();
    if (current && SupporterShaderRenderer::isSwitchIndex(index))
        current->switchDownState()[std::size_t(index)] = 0.0f;
}

} // namespace ostrelshaders
