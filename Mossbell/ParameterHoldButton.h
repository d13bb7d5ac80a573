#pragma once

#include "Mossbell/AudioParameter.h"
#include "Mossbell/BitmapButton.h"

#include <memory>

namespace mossbell {

/// A momentary switch bound to a parameter (the freeze key): the parameter is 1 while the
/// button is held and 0 again at the release, wherever that is. A hold is one host gesture:
/// touch at 0 (at 1 when the value is 1 already), the value 1, then the value 0 and the
/// release at 0, all with the source ui.
/// The image follows the parameter, not the press: pressedImage while the value is exactly 1
/// (held, or set by the host), image otherwise, each at its own size.
///
/// Main thread, like every view.
class ParameterHoldButton : public BitmapButton {
public:
    ParameterHoldButton(std::shared_ptr<AudioParameter> param, const ImageResource& image,
                        const ImageResource& pressedImage, QWidget* parent = nullptr);
    ~ParameterHoldButton() override;

    /// The bound parameter object.
    const std::shared_ptr<AudioParameter>& param() const { return param_; }
    /// Binds another parameter object; the button shows it from the next paint on. A hold under
    /// way lets go of the parameter it held first.
    void setParam(std::shared_ptr<AudioParameter> param);

    const ImageResource& image() const { return image_; }
    const ImageResource& pressedImage() const { return pressedImage_; }
    /// From the first report of a hold to its end.
    bool isGestureActive() const { return isPressed(); }

    const ImageResource& currentImage() const override;

protected:
    QSizeF contentSize() const override { return currentImage().size(); }
    void pressBegan() override;
    void pressEnded(bool counted, const ui::DragValue& release) override;

private:
    std::shared_ptr<AudioParameter> param_;
    // Copies: they share their pictures, and the caller's need not outlive the button.
    ImageResource image_;
    ImageResource pressedImage_;
};

} // namespace mossbell
