#pragma once

#include "Tarnkit/Controls/Button.h"

namespace tarnkit {

/// A button cell with an alternate image: shown in place of the image while the cell is
/// highlighted and highlights by its contents (a momentaryChange button's press).
class ImageButtonCell : public ButtonCell {
public:
    explicit ImageButtonCell(ImageRef image = nullptr);

    const ImageRef& alternateImage() const { return alternateImage_; }
    void setAlternateImage(ImageRef image) { alternateImage_ = std::move(image); }

    void drawImage(QPainter& painter, const ImageRef& image, const Rect& frame, QWidget& view) override;

private:
    ImageRef alternateImage_;
};

/// A borderless image button, as a header's action buttons are: image only, drawn at its own
/// size (image scaling none), of type momentaryChange (the alternate image shows while it is
/// pressed), with an empty title and no target or action until its owner sets them
/// (ControlAction.h). Its size fits the image and stays fixed. Main thread only.
class ImageButton : public Button {
    Q_OBJECT
public:
    ImageButton(ImageRef image, ImageRef alternateImage, QWidget* parent = nullptr);

    ImageButtonCell& imageButtonCell() const { return static_cast<ImageButtonCell&>(cell()); }
    /// Resizes the button to its size hint.
    void sizeToFit();
};

} // namespace tarnkit
