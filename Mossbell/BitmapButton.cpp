#include "Mossbell/BitmapButton.h"

#include "platform/ui/Painting.h"

#include <QPainter>

namespace mossbell {

BitmapButton::BitmapButton(QSizeF buttonSize, QWidget* parent) : ui::View(parent), buttonSize_(buttonSize)
{
    setNaturalSize(buttonSize_);
    ui::setAccessibleButton(*this);
    gestures().setDrag({0,
                        [this](const ui::DragValue&) {
                            if (isPressed_)
                                return;
                            setPressed(true);
                            pressBegan();
                        },
                        [this](const ui::DragValue& release) {
                            const bool counted = !cancelling_ && releaseCounts(release.location);
                            setPressed(false);
                            pressEnded(counted, release);
                        }});
}

BitmapButton::~BitmapButton() = default;

void BitmapButton::updateNaturalSize()
{
    setNaturalSize(contentSize());
}

QRectF BitmapButton::contentRect() const
{
    const QSizeF size = contentSize();
    return QRectF(QRectF(rect()).center() - QPointF(size.width() / 2, size.height() / 2), size);
}

bool BitmapButton::releaseCounts(QPointF location) const
{
    // Not QRectF::contains, which takes the right and bottom edges in as well.
    const QPointF local = location - contentRect().topLeft();
    return local.x() >= 0 && local.y() >= 0 && local.x() < buttonSize_.width() && local.y() < buttonSize_.height();
}

void BitmapButton::setPressed(bool pressed)
{
    isPressed_ = pressed;
    updateNaturalSize();
    update();
}

void BitmapButton::observedChange()
{
    updateNaturalSize();
}

void BitmapButton::cancelPress()
{
    cancelling_ = true;
    gestures().cancel();
    cancelling_ = false;
}

void BitmapButton::hideEvent(QHideEvent* event)
{
    // A view taken away mid-press still ends its gesture, but that is no click.
    cancelPress();
    ui::View::hideEvent(event);
}

void BitmapButton::paint(QPainter& painter)
{
    const QRectF content = contentRect();
    ui::drawImageCentred(painter, content, currentImage().image(ui::pixelScale(painter)));
    if (const auto label = currentLabel()) {
        painter.setFont(mossFont(label->font, label->fontSize));
        painter.setPen(label->color);
        painter.drawText(content.translated(0, label->offset), Qt::AlignCenter | Qt::TextDontClip, label->text);
    }
}

} // namespace mossbell
