#pragma once

#include "Tarnkit/Fields/SliderCell.h"
#include "Tarnkit/Foundation/SliderCellStyle.h"
#include "Tarnkit/Foundation/StyledView.h"

namespace tarnkit {

/// The styled slider's cell: a linear, horizontal bar and knob drawn from the bar and knob
/// images of its class's SliderCellStyle for the state (default, plus disabled, plus pressed
/// while enabled: only 1, 3 and 9 occur). No tick marks and no focus ring.
///
/// - knobThickness: the bar image's width (the base's knob travel is the bar less that);
/// - barRect: the base's x and width less 2 points a side, the bar image's height, centred
///   vertically in the drawing rect;
/// - knobRect: the knob image's size centred on the base knob's centre along the bar (its left
///   edge kept within 0 ... max(bar width − 12, 1)) and on the bar across it;
/// - drawBar: the track image over the bar, then the fill image from the bar's left edge to
///   the knob's centre (never less than nothing), at half opacity while disabled;
/// - drawKnob: the knob image, at half opacity while disabled.
///
/// Main thread only.
class StyledSliderCell : public SliderCell, public StyledView {
public:
    StyledSliderCell() = default;

    /// The style every StyledSliderCell shares, made on first use: a default SliderCellStyle
    /// over a clear background.
    static SliderCellStyle& classStyle();
    SliderCellStyle& style() const override;

    StyledControlState controlState() const override;

    /// Always linear and horizontal; the setters still store what they are given.
    SliderType sliderType() const override { return SliderType::linear; }
    bool isVertical() const override { return false; }

    double knobThickness() const override;
    Rect barRect(bool flipped) const override;
    Rect knobRect(bool flipped) const override;
    /// Where drawBar puts the fill image for the bar rect: from its left edge to the knob's
    /// centre, empty when the knob's centre lies left of the bar.
    Rect fillRect(const Rect& barRect, bool flipped) const;
    void drawBar(QPainter& painter, const Rect& rect, bool flipped) override;
    void drawKnob(QPainter& painter, const Rect& rect) override;
    void drawTickMarks(QPainter& painter) override;

    Rect focusRingMaskBounds(const Rect& frame, const QWidget& view) const override;
    BackgroundStyle interiorBackgroundStyle() const override;
};

} // namespace tarnkit
