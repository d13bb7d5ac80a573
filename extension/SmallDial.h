#pragma once

#include "extension/DialParts.h"

#include "platform/foundation/Observation.h"
#include "platform/ui/Stack.h"

#include <QString>

#include <memory>

namespace mossbell {
class DialLabel;
}

namespace zindle {

class Settings;

/// The colour of a small dial's knob.
enum class SmallDialColor { blue, yellow, red };

/// A small coloured knob for the continuous parameters that are not gains: the knob strip's
/// frame in a 74 x 84 point frame 16 points above the centre, which takes the drag and the
/// reset taps (DialGestures), and the value label 50 points below the centre.
///
/// The knob frame follows the parameter's value from the first show on; the knob repaints only
/// when its frame changes.
///
/// Main thread, like every view.
class SmallDial : public ui::Stack {
public:
    /// imageCount: frames of the knob strip (the skins use all 90).
    SmallDial(std::shared_ptr<Settings> settings, std::shared_ptr<mossbell::AudioParameter> param, SmallDialColor color,
              int imageCount, QWidget* parent = nullptr);
    ~SmallDial() override;

    const std::shared_ptr<mossbell::AudioParameter>& param() const { return param_; }
    SmallDialColor color() const { return color_; }
    int imageCount() const { return imageCount_; }

    /// The knob frame shown and its image name (e.g. "knobs/knob-small-yellow-44").
    int imageIndex() const { return imageIndex_.get(); }
    QString knobFrameName() const;
    bool isDragging() const { return gestures_.isDragging(); }

    ui::View* knobView() const { return knobView_; }
    /// The view carrying the drag and the reset taps: the knob.
    ui::View* gestureView() const { return knobView_; }
    mossbell::DialLabel* label() const { return label_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateImageIndex(float value);

    std::shared_ptr<Settings> settings_;
    std::shared_ptr<mossbell::AudioParameter> param_;
    SmallDialColor color_;
    int imageCount_;
    foundation::Observed<int> imageIndex_{0};
    DialGestures gestures_;
    ui::View* knobView_ = nullptr;
    mossbell::DialLabel* label_ = nullptr;
    bool shown_ = false;
    foundation::ObservationToken valueObservation_;
};

} // namespace zindle
