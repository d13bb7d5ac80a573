#pragma once

#include "Mossbell/AssetTable.h"
#include "Mossbell/LabelDisplayOptions.h"
#include "Mossbell/LabelFormatter.h"
#include "Mossbell/MossFont.h"

#include "platform/ui/Stack.h"

#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>

namespace mossbell {

class AudioParameter;
class DialLabel;
class KnobControl;

/// How one kind of the framework's dials looks and turns.
struct DialLook {
    DialStrip strip;           ///< the image strip, one frame per knob position
    QSizeF imageFrame;         ///< points: the frame the knob's image is centred in
    qreal imageOffset;         ///< points the knob moves down from the centre (negative: up)
    qreal labelOffset;         ///< points the label moves down from the centre
    ColorAsset nameColor;      ///< colour of the label's name line
    MossFont font;             ///< typeface of the label
    qreal knobMinDrag;         ///< points of travel before a drag begins
    float knobDragScaleFactor; ///< change of the 0 to 1 position per point of travel
};

/// What the framework's dials (ChaosDial, MediumDial, TinyDial) have in common: a knob showing
/// a strip of the framework's resource bundle with a value label over its lower part, both
/// bound to one parameter, layered in a centred stack and moved apart vertically by the
/// offsets of their look.
///
/// Main thread, like every view.
class FrameworkDial : public ui::Stack {
public:
    ~FrameworkDial() override;

    const std::shared_ptr<AudioParameter>& param() const { return param_; }
    const LabelDisplayOptions& labelDisplayOptions() const { return labelDisplayOptions_; }
    /// The formatter the dial was given; none means the label prints one decimal place.
    const std::shared_ptr<const LabelFormatter>& formatter() const { return formatter_; }
    const std::function<void()>& onEditingEnded() const { return onEditingEnded_; }
    const DialLook& look() const { return look_; }

    /// The strip's frame count.
    int imageCount() const;
    /// The image name of frame i of the strip, e.g. "knobs/dial-medium-red-01".
    QString frameName(int frame) const { return dialFrameName(look_.strip, frame); }

    KnobControl& knob() const { return *knob_; }
    DialLabel& label() const { return *label_; }

protected:
    FrameworkDial(const DialLook& look, std::shared_ptr<AudioParameter> param, LabelDisplayOptions labelDisplayOptions,
                  std::shared_ptr<const LabelFormatter> formatter, std::function<void()> onEditingEnded,
                  QWidget* parent);

private:
    DialLook look_;
    std::shared_ptr<AudioParameter> param_;
    LabelDisplayOptions labelDisplayOptions_;
    std::shared_ptr<const LabelFormatter> formatter_;
    std::function<void()> onEditingEnded_;
    KnobControl* knob_;
    DialLabel* label_;
};

} // namespace mossbell
