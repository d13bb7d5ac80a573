#pragma once

#include "Tarnkit/Controls/Cell.h"

namespace tarnkit {

/// The kind of track a slider has, by raw value.
enum class SliderType : int {
    linear = 0,
    circular = 1,
};

/// The cell of a slider: the value range and the value, the bar (track) and knob rects, and
/// their drawing. Geometry is y-up in the control view's bounds (Cell.h); a vertical slider's
/// value grows upwards, a circular one's clockwise from the top.
///
/// Its rules:
/// - the value stays in minValue ... maxValue (a range whose minimum lies above its maximum
///   holds the minimum); a NaN keeps the old value;
/// - barRect: a linear bar is 4 points thick along the whole drawing rect, centred across it;
///   a circular bar is the largest square centred in the drawing rect;
/// - knobRect: a linear knob is knobThickness() long along the bar and as thick as the
///   drawing rect, its travel the bar's length less that thickness; a circular knob is a
///   circle of knobThickness() on the rim;
/// - draw: the bar, the tick marks, then the knob.
///
/// Main thread only.
class SliderCell : public Cell {
public:
    SliderCell();

    double minValue() const { return minValue_; }
    void setMinValue(double value);
    double maxValue() const { return maxValue_; }
    void setMaxValue(double value);
    double doubleValue() const { return value_; }
    /// Stores value clamped to the range; NaN changes nothing.
    void setDoubleValue(double value);

    virtual SliderType sliderType() const { return sliderType_; }
    virtual void setSliderType(SliderType type) { sliderType_ = type; }
    virtual bool isVertical() const { return vertical_; }
    virtual void setVertical(bool vertical) { vertical_ = vertical; }

    /// The knob's length along a linear bar, or its diameter on a circular one: 16 points.
    virtual double knobThickness() const;
    /// The rects in the control view's bounds; empty without a control view. flipped is the
    /// control view's flip (the styled controls are never flipped).
    virtual Rect barRect(bool flipped) const;
    virtual Rect knobRect(bool flipped) const;

    virtual void drawBar(QPainter& painter, const Rect& rect, bool flipped);
    virtual void drawKnob(QPainter& painter, const Rect& rect);
    /// No tick marks here.
    virtual void drawTickMarks(QPainter& painter);

    /// The value a press or drag at point (y-up, in the control view) asks for: where the
    /// knob's centre would sit on a linear bar, the angle about the centre on a circular one.
    double valueAt(const Point& point) const;
    /// The knob's centre for the current value, in the control view.
    Point knobCenter() const;

    Size cellSize() const override;
    void draw(QPainter& painter, const Rect& frame, QWidget& view) override;

private:
    /// The drawing rect of the control view's bounds (empty without one).
    Rect trackRect() const;
    /// The value as a fraction of the range (0 for an empty range).
    double fraction() const;

    double minValue_ = 0;
    double maxValue_ = 1;
    double value_ = 0;
    SliderType sliderType_ = SliderType::linear;
    bool vertical_ = false;
};

} // namespace tarnkit
