#include "Tarnkit/Fields/SliderCell.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/SliderCell";
constexpr double linearBarThickness = 4;

// max(lo, min(v, hi)): a range upside down yields lo instead of undefined behaviour.
double clampToRange(double value, double lo, double hi)
{
    return std::max(lo, std::min(value, hi));
}

} // namespace

SliderCell::SliderCell()
{
    requireMainThread(source, __LINE__);
}

void SliderCell::setMinValue(double value)
{
    if (std::isnan(value))
        return;
    minValue_ = value;
    value_ = clampToRange(value_, minValue_, maxValue_);
}

void SliderCell::setMaxValue(double value)
{
    if (std::isnan(value))
        return;
    maxValue_ = value;
    value_ = clampToRange(value_, minValue_, maxValue_);
}

void SliderCell::setDoubleValue(double value)
{
    if (std::isnan(value))
        return;
    value_ = clampToRange(value, minValue_, maxValue_);
}

double SliderCell::fraction() const
{
    const double range = maxValue_ - minValue_;
    return range > 0 ? (value_ - minValue_) / range : 0;
}

double SliderCell::knobThickness() const
{
    return 16;
}

Rect SliderCell::trackRect() const
{
    const QWidget* view = controlView();
    return view ? drawingRect(bounds(*view)) : Rect();
}

Rect SliderCell::barRect(bool) const
{
    const Rect track = trackRect();
    if (!controlView())
        return {};
    if (sliderType() == SliderType::circular) {
        const double side = std::min(track.width(), track.height());
        return centred({side, side}, track);
    }
    if (isVertical())
        return Rect(track.x(), track.y(), linearBarThickness, track.height()).centerX(track, 1);
    return Rect(track.x(), track.y(), track.width(), linearBarThickness).centerY(track, 1);
}

Point SliderCell::knobCenter() const
{
    const Rect track = trackRect();
    const double t = knobThickness();
    if (sliderType() == SliderType::circular) {
        const Rect bar = barRect(false);
        const double radius = std::max(bar.width() * 0.5 - t * 0.5, 0.0);
        const double angle = fraction() * 2 * std::numbers::pi; // clockwise from the top
        return {bar.midX() + radius * std::sin(angle), bar.midY() + radius * std::cos(angle)};
    }
    if (isVertical())
        return {track.midX(), track.minY() + t * 0.5 + fraction() * std::max(track.height() - t, 0.0)};
    return {track.minX() + t * 0.5 + fraction() * std::max(track.width() - t, 0.0), track.midY()};
}

Rect SliderCell::knobRect(bool) const
{
    if (!controlView())
        return {};
    const Rect track = trackRect();
    const double t = knobThickness();
    const Point centre = knobCenter();
    if (sliderType() == SliderType::circular)
        return Rect(centre.x - t * 0.5, centre.y - t * 0.5, t, t);
    if (isVertical())
        return Rect(track.x(), centre.y - t * 0.5, track.width(), t);
    return Rect(centre.x - t * 0.5, track.y(), t, track.height());
}

double SliderCell::valueAt(const Point& point) const
{
    const Rect track = trackRect();
    const double t = knobThickness();
    double f = 0;
    if (sliderType() == SliderType::circular) {
        const Rect bar = barRect(false);
        const double angle = std::atan2(point.x - bar.midX(), point.y - bar.midY());
        f = (angle < 0 ? angle + 2 * std::numbers::pi : angle) / (2 * std::numbers::pi);
    } else if (isVertical()) {
        const double travel = track.height() - t;
        f = travel > 0 ? (point.y - track.minY() - t * 0.5) / travel : 0;
    } else {
        const double travel = track.width() - t;
        f = travel > 0 ? (point.x - track.minX() - t * 0.5) / travel : 0;
    }
    return minValue_ + std::clamp(f, 0.0, 1.0) * (maxValue_ - minValue_);
}

Size SliderCell::cellSize() const
{
    const double t = knobThickness();
    if (sliderType() == SliderType::circular)
        return {28, 28};
    return isVertical() ? Size{20, 2 * t} : Size{2 * t, 20};
}

void SliderCell::drawBar(QPainter& painter, const Rect& rect, bool)
{
    const QWidget* view = controlView();
    if (!view || !(rect.width() > 0 && rect.height() > 0))
        return;
    QColor groove = *controlTextColor();
    groove.setAlphaF(isEnabled() ? 0.3f : 0.15f);
    const QRectF target = viewFlip(*view).map(rect);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (sliderType() == SliderType::circular) {
        painter.setPen(QPen(groove, 2));
        painter.drawEllipse(target.adjusted(1, 1, -1, -1));
    } else {
        const double radius = std::min(target.width(), target.height()) * 0.5;
        painter.setPen(Qt::NoPen);
        painter.setBrush(groove);
        painter.drawRoundedRect(target, radius, radius);
    }
    painter.restore();
}

void SliderCell::drawKnob(QPainter& painter, const Rect& rect)
{
    const QWidget* view = controlView();
    if (!view || !(rect.width() > 0 && rect.height() > 0))
        return;
    QColor face = *controlTextColor();
    if (!isEnabled())
        face.setAlphaF(face.alphaF() * 0.5f);
    const QRectF target = viewFlip(*view).map(rect);
    const double side = std::min(target.width(), target.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isHighlighted() ? face.darker(130) : face);
    painter.drawEllipse(QRectF(target.center().x() - side * 0.5, target.center().y() - side * 0.5, side, side));
    painter.restore();
}

void SliderCell::drawTickMarks(QPainter&)
{
}

void SliderCell::draw(QPainter& painter, const Rect&, QWidget&)
{
    requireMainThread(source, __LINE__);
    drawBar(painter, barRect(false), false);
    drawTickMarks(painter);
    drawKnob(painter, knobRect(false));
}

} // namespace tarnkit
