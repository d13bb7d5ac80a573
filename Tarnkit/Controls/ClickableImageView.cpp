#include "Tarnkit/Controls/ClickableImageView.h"

namespace tarnkit {

ClickableImageView::ClickableImageView(QWidget* parent) : ClickableImageView(nullptr, parent)
{
}

ClickableImageView::ClickableImageView(ImageRef image, QWidget* parent)
    : Control(std::make_unique<Cell>(std::move(image)), parent),
      clickRecognizer_(new ClickGestureRecognizer(this, [this](GestureRecognizer&) { clicked_.send({}); }))
{
}

void ClickableImageView::setImage(ImageRef image)
{
    cell().setImage(std::move(image));
    invalidateIntrinsicContentSize();
    update();
}

} // namespace tarnkit
