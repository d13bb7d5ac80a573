#pragma once

#include "Mossbell/BitmapButton.h"

#include <functional>

namespace mossbell {

/// A momentary button of the caller's two images, shown unframed at their own size. Its hit
/// area is 48 x 56 points from the image's top-left corner, whatever the image's size. A
/// release there calls the action, with true when Option is held at the release.
///
/// Main thread, like every view.
class ImageButton : public BitmapButton {
public:
    static constexpr QSizeF defaultButtonSize{48, 56};

    ImageButton(const ImageResource& image, const ImageResource& downImage, std::function<void(bool)> onPressed,
                QWidget* parent = nullptr);
    ~ImageButton() override;

    const ImageResource& image() const { return image_; }
    const ImageResource& downImage() const { return downImage_; }

    const ImageResource& currentImage() const override;

protected:
    QSizeF contentSize() const override { return currentImage().size(); }
    void pressEnded(bool counted, const ui::DragValue& release) override;

private:
    // Copies: they share their pictures, and the caller's need not outlive the button.
    ImageResource image_;
    ImageResource downImage_;
    std::function<void(bool)> onPressed_;
};

} // namespace mossbell
