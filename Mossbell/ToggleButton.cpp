#include "Mossbell/ToggleButton.h"

namespace mossbell {

ToggleButton::ToggleButton(std::shared_ptr<AudioParameter> param, QColor buttonTextColor,
                           std::optional<QString> nameOverride, qreal buttonFontSize, QWidget* parent)
    : ParameterButton(std::move(param), defaultButtonSize, parent), nameOverride_(std::move(nameOverride)),
      buttonFontSize_(buttonFontSize), buttonTextColor_(buttonTextColor)
{
}

ToggleButton::~ToggleButton() = default;

void ToggleButton::setNameOverride(std::optional<QString> nameOverride)
{
    nameOverride_ = std::move(nameOverride);
    update();
}

bool ToggleButton::isOn() const
{
    return param()->value() == 1.0f;
}

const ImageResource& ToggleButton::currentImage() const
{
    // [on][pressed]
    static constexpr ImageAsset images[2][2] = {
        {ImageAsset::modernButton, ImageAsset::modernButtonDown},
        {ImageAsset::modernButtonOn, ImageAsset::modernButtonOnDown},
    };
    return ImageResource::of(images[isOn()][isPressed()]);
}

std::optional<BitmapButtonLabel> ToggleButton::currentLabel() const
{
    const QString text = nameOverride_ ? *nameOverride_ : QString::fromStdString(param()->name()).toUpper();
    const QColor color = isOn() ? buttonTextColor_ : ColorResource::of(ColorAsset::buttonText).value();
    return BitmapButtonLabel{text, MossFont::zindle, buttonFontSize_, 2, color};
}

} // namespace mossbell
