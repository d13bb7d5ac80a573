#pragma once

#include "OstrelShaders/FullViewRenderer.h"

#include <array>
#include <memory>

namespace ostrelshaders {

/// Draws the row of six switches: the full-view quad with "supporterVertexShader" /
/// "supporterFragmentShader", handing the fragment function
///   fragment input 0   vec2      the viewport's width and height in pixels
///   fragment input 1   float     seconds since construction, less the time paused
///   fragment input 2   float     the main screen's scale (pixels per point)
///   fragment input 3   float[6]  which switches are on (1) or off (0)
///   fragment input 4   float[6]  which switches are held down (1) or released (0)
///   fragment input 5   float[6]  the last six switches turned on, newest first; -1 = none
///   fragment input 6   float[6]  the clock time of each of those events
/// Inputs 3 to 6 travel in four 24-byte buffers made anew each frame. Main thread.
class SupporterShaderRenderer final : public FullViewRenderer {
public:
    static constexpr int switchCount = 6;
    using SwitchArray = std::array<float, switchCount>;

    /// Throws RendererError::noValidDevice (no device or queue) or shaderview::ShaderError.
    SupporterShaderRenderer(shaderview::ShaderView& view, QString name, const RendererEnvironment& environment = {});

    void draw(shaderview::ShaderView& view) override;

    /// Pushes one switch-on event onto the history, at the current clock time. An index
    /// outside 0 to 5 records nothing.
    void recordSwitchOn(int index);

    SwitchArray& switchOnState() { return switchOnState_; }
    SwitchArray& switchDownState() { return switchDownState_; }
    const SwitchArray& switchOnState() const { return switchOnState_; }
    const SwitchArray& switchDownState() const { return switchDownState_; }
    const SwitchArray& switchHistory() const { return switchHistory_; }
    const SwitchArray& switchHistoryTime() const { return switchHistoryTime_; }

    const QString& name() const { return name_; }
    float scale() const { return scale_; }
    static constexpr long long animationBufferSize = sizeof(SwitchArray);

    static bool isSwitchIndex(int index) { return index >= 0 && index < switchCount; }

private:
    SwitchArray switchOnState_{};
    SwitchArray switchDownState_{};
    SwitchArray switchHistory_{-1, -1, -1, -1, -1, -1};
    SwitchArray switchHistoryTime_{};
    QString name_;
    float scale_ = 1.0f;
    std::unique_ptr<shaderview::RenderPipelineState> pipelineState_;
};

} // namespace ostrelshaders
