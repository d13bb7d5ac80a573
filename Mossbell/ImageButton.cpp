#include "Mossbell/ImageButton.h"

namespace mossbell {

ImageButton::ImageButton(const ImageResource& image, const ImageResource& downImage,
                         std::function<void(bool)> onPressed, QWidget* parent)
    : BitmapButton(defaultButtonSize, parent), image_(image), downImage_(downImage), onPressed_(std::move(onPressed))
{
    updateNaturalSize();
}

ImageButton::~ImageButton() = default;

const ImageResource& ImageButton::currentImage() const
{
    return isPressed() ? downImage_ : image_;
}

void ImageButton::pressEnded(bool counted, const ui::DragValue& release)
{
    if (counted && onPressed_)
        onPressed_(release.modifiers.testFlag(ui::optionModifier));
}

} // namespace mossbell
