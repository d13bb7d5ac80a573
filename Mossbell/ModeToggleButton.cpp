#include "Mossbell/ModeToggleButton.h"

namespace mossbell {

ModeToggleButton::ModeToggleButton(std::shared_ptr<AudioParameter> param, int valueIndex, QColor textColor,
                                   ToggleButtonStyle buttonStyle, qreal buttonFontSize, QWidget* parent)
    : ParameterButton(std::move(param), defaultButtonSize, parent), valueIndex_(valueIndex),
      buttonStyle_(buttonStyle), buttonFontSize_(buttonFontSize), buttonTextColor_(textColor)
{
}

ModeToggleButton::~ModeToggleButton() = default;

bool ModeToggleButton::isOn() const
{
    return valueIsIndex(param()->value(), valueIndex_);
}

const ImageResource& ModeToggleButton::currentImage() const
{
    // [look][on][pressed]. The retro key lit is the modern "on" key; pressed, it is the
    // retro key held down.
    static constexpr ImageAsset images[2][2][2] = {
        {{ImageAsset::modernButton, ImageAsset::modernButtonDown},
         {ImageAsset::modernButtonOn, ImageAsset::modernButtonOnDown}},
        {{ImageAsset::retroButton, ImageAsset::retroButton},
         {ImageAsset::modernButtonOn, ImageAsset::retroButtonDown}},
    };
    return ImageResource::of(images[int(buttonStyle_)][isOn()][isPressed()]);
}

std::optional<BitmapButtonLabel> ModeToggleButton::currentLabel() const
{
    QColor color = buttonTextColor_;
    if (!isOn()) {
        const ColorAsset off = buttonStyle_ == ToggleButtonStyle::retro ? ColorAsset::background : ColorAsset::buttonText;
        color = ColorResource::of(off).value();
    }
    return BitmapButtonLabel{valueStringLabel(*param(), valueIndex_), MossFont::zindle, buttonFontSize_, 2, color};
}

} // namespace mossbell
