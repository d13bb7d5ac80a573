#include "platform/ui/Button.h"

#include <QPainter>

namespace ui {

QSizeF ButtonLabel::size() const
{
    if (image)
        return pointSize(image(1.0));
    return textSize(text, font);
}

void ButtonLabel::paint(QPainter& painter, const QRectF& rect) const
{
    if (image) {
        drawImageCentred(painter, rect, image(pixelScale(painter)));
        return;
    }
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(rect, Qt::AlignCenter, text);
}

QSizeF PlainButtonStyle::size(const ButtonLabel& label) const
{
    return label.size();
}

void PlainButtonStyle::paint(QPainter& painter, const QRectF& rect, const ButtonLabel& label, bool isPressed) const
{
    painter.save();
    if (isPressed)
        painter.setOpacity(painter.opacity() * 0.6);
    label.paint(painter, rect);
    painter.restore();
}

Button::Button(std::function<ButtonLabel()> label, std::function<void()> action,
               std::shared_ptr<const ButtonStyle> style, QWidget* parent)
    : View(parent), label_(std::move(label)), action_(std::move(action)), style_(std::move(style))
{
    setAccessibleButton(*this);
    updateNaturalSize();
    gestures().setDrag({0, [this](const DragValue& drag) { setPressed(rect().contains(drag.location.toPoint())); },
                        [this](const DragValue& drag) {
                            setPressed(false);
                            if (rect().contains(drag.location.toPoint()) && action_)
                                action_();
                        }});
}

void Button::setPressed(bool pressed)
{
    if (pressed == isPressed_)
        return;
    isPressed_ = pressed;
    update();
}

void Button::updateNaturalSize()
{
    setNaturalSize(style_->size(label_()));
}

void Button::observedChange()
{
    updateNaturalSize();
}

void Button::paint(QPainter& painter)
{
    const ButtonLabel label = label_();
    style_->paint(painter, rect(), label, isPressed_);
}

} // namespace ui
