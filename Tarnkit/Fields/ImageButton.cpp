#include "Tarnkit/Fields/ImageButton.h"

#include "Tarnkit/Controls/StyledButtonDrawing.h"
#include "Tarnkit/Foundation/Image.h"

namespace tarnkit {

ImageButtonCell::ImageButtonCell(ImageRef image) : ButtonCell(std::move(image))
{
}

void ImageButtonCell::drawImage(QPainter& painter, const ImageRef& image, const Rect& frame, QWidget& view)
{
    const bool alternate = isHighlighted() && (highlightsBy() & cellStyleMask::contents) && alternateImage_;
    const ImageRef& shown = alternate ? alternateImage_ : image;
    if (!shown)
        return;
    drawStyledImage(painter, shown, scaledImageRect(fromQt(shown->size()), frame, imageScaling()), view,
                    isEnabled() ? 1.0 : 0.5);
}

ImageButton::ImageButton(ImageRef image, ImageRef alternateImage, QWidget* parent)
    : Button(std::make_unique<ImageButtonCell>(std::move(image)), parent)
{
    imageButtonCell().setAlternateImage(std::move(alternateImage));
    setTitle(QString());
    setButtonType(ButtonType::momentaryChange);
    setBezelStyle(BezelStyle::regularSquare);
    setBordered(false);
    setImagePosition(ImagePosition::imageOnly);
    setImageScaling(ImageScaling::none);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ImageButton::sizeToFit()
{
    resize(sizeHint());
}

} // namespace tarnkit
