#pragma once

#include "extension/DialParts.h"
#include "extension/Settings.h"

#include "platform/foundation/Observation.h"
#include "platform/ui/Stack.h"

#include <QString>

#include <functional>
#include <memory>

namespace mossbell {
class DialLabel;
}

namespace zindle {

/// The artwork set of a large dial.
enum class LargeDialStyle { modern, retro };

/// One of the model's three meter levels (0 to 100) as a large dial reads it: the level's
/// getter and its observer on Settings.
struct LevelBinding {
    double (Settings::*level)() const;
    foundation::ObservationToken (Settings::*observe)(std::function<void(double)>);

    static constexpr LevelBinding synthIn() { return {&Settings::synthInLevel, &Settings::observeSynthInLevel}; }
    static constexpr LevelBinding voiceIn() { return {&Settings::voiceInLevel, &Settings::observeVoiceInLevel}; }
    static constexpr LevelBinding out() { return {&Settings::outLevel, &Settings::observeOutLevel}; }
};

/// The big knob of a gain with a level meter around it. Layered from the back: the "modern-area"
/// panel (modern style only, filling the space the dial is given), the knob strip's frame 17
/// (modern) or 18 (retro) points above the centre, the value label 80 points below it, and the
/// meter strip's frame 24 points above it, which takes the drag and the reset taps
/// (DialGestures).
///
/// The knob frame follows the parameter's value and the meter frame the bound level, both
/// from the first show on; each strip view repaints only when its frame changes.
///
/// Main thread, like every view.
class LargeDial : public ui::Stack {
public:
    /// dialImageCount: frames of the knob strip (the skins use all 90).
    LargeDial(std::shared_ptr<Settings> settings, std::shared_ptr<mossbell::AudioParameter> param, LevelBinding volume,
              LargeDialStyle style, int dialImageCount, QWidget* parent = nullptr);
    ~LargeDial() override;

    const std::shared_ptr<mossbell::AudioParameter>& param() const { return param_; }
    LargeDialStyle style() const { return style_; }
    int dialImageCount() const { return dialImageCount_; }

    /// The knob and meter frames shown, and their image names (e.g. "knobs/knob-big-white-00").
    int imageIndex() const { return imageIndex_.get(); }
    int meterIndex() const { return meterIndex_.get(); }
    QString knobFrameName() const;
    QString meterFrameName() const;
    bool isDragging() const { return gestures_.isDragging(); }

    /// The parts, for the skins' focus chains and for tests.
    ui::View* knobView() const { return knobView_; }
    ui::View* meterView() const { return meterView_; }
    /// The view carrying the drag and the reset taps: the meter.
    ui::View* gestureView() const { return meterView_; }
    mossbell::DialLabel* label() const { return label_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateImageIndex(float value);
    void updateMeterIndex(double level);

    std::shared_ptr<Settings> settings_;
    std::shared_ptr<mossbell::AudioParameter> param_;
    LevelBinding volume_;
    LargeDialStyle style_;
    int dialImageCount_;
    foundation::Observed<int> imageIndex_{0};
    foundation::Observed<int> meterIndex_{0};
    DialGestures gestures_;
    ui::View* knobView_ = nullptr;
    ui::View* meterView_ = nullptr;
    mossbell::DialLabel* label_ = nullptr;
    bool shown_ = false;
    foundation::ObservationToken valueObservation_;
    foundation::ObservationToken volumeObservation_;
};

} // namespace zindle
