#pragma once

#include "platform/ui/Stack.h"

#include <array>
#include <memory>

namespace zindle {

class LargeDial;
class Settings;
class SmallDial;

/// The modern skin: every parameter but the two modes has a control. A row of three large
/// dials (voice in with the freeze button over its lower right part, synth in, output) over a
/// row of three panels: the voice modes with the unvoiced level and threshold, the quality, and
/// the formant shift with the compress, crush, high-pass and low-pass switches. 608 points wide.
/// The controls bind to the model's parameters; the skin has no logic of its own. Main thread.
class ModernView : public ui::Stack {
public:
    explicit ModernView(std::shared_ptr<Settings> settings, QWidget* parent = nullptr);
    ~ModernView() override;

    /// The voice, synth and output dials, left to right.
    LargeDial* voiceInputDial() const { return voiceInputDial_; }
    LargeDial* synthInputDial() const { return synthInputDial_; }
    LargeDial* outputDial() const { return outputDial_; }
    QWidget* freezeButton() const { return freezeButton_; }
    /// valueIndex 0 to 3.
    QWidget* voiceModeButton(int index) const { return voiceModeButtons_[std::size_t(index)]; }
    SmallDial* unvoicedLevelDial() const { return unvoicedLevelDial_; }
    SmallDial* thresholdDial() const { return thresholdDial_; }
    SmallDial* qualityDial() const { return qualityDial_; }
    SmallDial* shiftDial() const { return shiftDial_; }
    /// Compress, crush, high pass, low pass, top to bottom.
    QWidget* toggleButton(int index) const { return toggleButtons_[std::size_t(index)]; }

private:
    LargeDial* voiceInputDial_ = nullptr;
    LargeDial* synthInputDial_ = nullptr;
    LargeDial* outputDial_ = nullptr;
    QWidget* freezeButton_ = nullptr;
    std::array<QWidget*, 4> voiceModeButtons_{};
    SmallDial* unvoicedLevelDial_ = nullptr;
    SmallDial* thresholdDial_ = nullptr;
    SmallDial* qualityDial_ = nullptr;
    SmallDial* shiftDial_ = nullptr;
    std::array<QWidget*, 4> toggleButtons_{};
};

} // namespace zindle
