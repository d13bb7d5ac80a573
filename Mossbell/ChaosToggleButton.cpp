#include "Mossbell/ChaosToggleButton.h"

namespace mossbell {

ChaosToggleButton::ChaosToggleButton(std::shared_ptr<AudioParameter> param, int valueIndex,
                                     ChaosButtonColor buttonColor, QWidget* parent)
    : ParameterButton(std::move(param), defaultButtonSize, parent), valueIndex_(valueIndex), color_(buttonColor)
{
}

ChaosToggleButton::~ChaosToggleButton() = default;

bool ChaosToggleButton::isOn() const
{
    return valueIsIndex(param()->value(), valueIndex_);
}

const ImageResource& ChaosToggleButton::currentImage() const
{
    // [on][pressed]; the yellow light serves every colour.
    static constexpr ImageAsset images[2][2] = {
        {ImageAsset::chaosButtonGreyOff, ImageAsset::chaosButtonGreyOffDown},
        {ImageAsset::chaosButtonGreyOnYellow, ImageAsset::chaosButtonGreyOnYellowDown},
    };
    return ImageResource::of(images[isOn()][isPressed()]);
}

std::optional<BitmapButtonLabel> ChaosToggleButton::currentLabel() const
{
    const ColorAsset color = isPressed() ? ColorAsset::chaosToggleTextPressed : ColorAsset::chaosToggleText;
    return BitmapButtonLabel{valueStringLabel(*param(), valueIndex_), MossFont::dosisMedium, 13, -6,
                             ColorResource::of(color).value()};
}

} // namespace mossbell
