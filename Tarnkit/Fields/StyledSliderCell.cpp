#include "Tarnkit/Fields/StyledSliderCell.h"

#include "Tarnkit/Foundation/Image.h"

#include <algorithm>
#include <cmath>

namespace tarnkit {

namespace {

constexpr double barSideInset = 2;
constexpr double knobEndRoom = 12;

double opacity(const Cell& cell)
{
    return cell.isEnabled() ? 1.0 : 0.5;
}

} // namespace

SliderCellStyle& StyledSliderCell::classStyle()
{
    // Made once and kept for the whole run: every styled slider draws from it.
    static SliderCellStyle* const style = new SliderCellStyle();
    return *style;
}

SliderCellStyle& StyledSliderCell::style() const
{
    return classStyle();
}

StyledControlState StyledSliderCell::controlState() const
{
    StyledControlState state = StyledControlState::defaultState;
    if (!isEnabled())
        state.formUnion(StyledControlState::disabled);
    else if (isHighlighted())
        state.formUnion(StyledControlState::highlighted);
    return state;
}

double StyledSliderCell::knobThickness() const
{
    if (const ImageRef bar = style().barImage(controlState()); bar && !isVertical())
        return bar->size().width();
    return SliderCell::knobThickness();
}

Rect StyledSliderCell::barRect(bool flipped) const
{
    const Rect r = SliderCell::barRect(flipped);
    const ImageRef bar = style().barImage(controlState());
    if (!controlView() || !bar)
        return r;
    const Rect d = drawingRect(bounds(*controlView()));
    const double h = bar->size().height();
    const double y = std::round(d.midY() - h * 0.5);
    const Rect rough = Rect(r.x(), y, r.width(), h).integral();
    return Rect(rough.x() + barSideInset, rough.y(), rough.width() - 2 * barSideInset, rough.height()).integral();
}

Rect StyledSliderCell::knobRect(bool flipped) const
{
    const Rect k = SliderCell::knobRect(flipped);
    const ImageRef knob = style().knobImage(controlState());
    if (!knob)
        return k;
    const double w = knob->size().width();
    const double h = knob->size().height();
    const Rect b = barRect(flipped);
    const double limit = std::max(b.width() - knobEndRoom, 1.0);
    const double x = std::clamp(std::round(k.midX() - w * 0.5), 0.0, limit);
    const Rect r = Rect(x, 0, w, h).integral();
    const double y = std::round(b.midY() - r.height() * 0.5);
    return Rect(r.x(), y, r.width(), r.height()).integral();
}

Rect StyledSliderCell::fillRect(const Rect& rect, bool flipped) const
{
    // A knob left of the bar's start would make a negative width: no fill then.
    const double width = std::max(knobRect(flipped).midX() - rect.minX(), 0.0);
    return Rect(rect.x(), rect.y(), width, rect.height()).integral();
}

void StyledSliderCell::drawBar(QPainter& painter, const Rect& rect, bool flipped)
{
    const SliderCellStyle& s = style();
    const ImageTable& images = s.barImages();
    const auto track = images.find(StyledControlState::defaultState);
    const QWidget* view = controlView();
    if (track == images.end() || !track->second || !view)
        return;
    const double alpha = opacity(*this);
    drawStyledImage(painter, track->second, rect, *view, alpha);
    const auto fill = images.find(StyledControlState::highlighted);
    if (fill == images.end() || !fill->second)
        return;
    drawStyledImage(painter, fill->second, fillRect(rect, flipped), *view, alpha);
}

void StyledSliderCell::drawKnob(QPainter& painter, const Rect& rect)
{
    const QWidget* view = controlView();
    if (!view)
        return;
    drawStyledImage(painter, style().knobImage(controlState()), rect, *view, opacity(*this));
}

void StyledSliderCell::drawTickMarks(QPainter&)
{
}

Rect StyledSliderCell::focusRingMaskBounds(const Rect& frame, const QWidget&) const
{
    return (isBezeled() || isBordered()) ? frame : drawingRect(frame);
}

BackgroundStyle StyledSliderCell::interiorBackgroundStyle() const
{
    return style().interiorBackgroundStyle();
}

} // namespace tarnkit
