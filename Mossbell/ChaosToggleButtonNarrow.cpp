#include "Mossbell/ChaosToggleButtonNarrow.h"

namespace mossbell {

ChaosToggleButtonNarrow::ChaosToggleButtonNarrow(std::shared_ptr<AudioParameter> param, std::optional<QString> title,
                                                 QWidget* parent)
    : ParameterButton(std::move(param), defaultButtonSize, parent), buttonText_(std::move(title))
{
}

ChaosToggleButtonNarrow::~ChaosToggleButtonNarrow() = default;

bool ChaosToggleButtonNarrow::isOn() const
{
    return param()->value() == 1.0f;
}

const ImageResource& ChaosToggleButtonNarrow::currentImage() const
{
    // [on][pressed]
    static constexpr ImageAsset images[2][2] = {
        {ImageAsset::chaosButtonNarrowGreyOff, ImageAsset::chaosButtonNarrowGreyOffDown},
        {ImageAsset::chaosButtonNarrowGreyOnYellow, ImageAsset::chaosButtonNarrowGreyOnYellowDown},
    };
    return ImageResource::of(images[isOn()][isPressed()]);
}

std::optional<BitmapButtonLabel> ChaosToggleButtonNarrow::currentLabel() const
{
    if (!buttonText_)
        return std::nullopt;
    const ColorAsset color = isPressed() ? ColorAsset::chaosToggleTextPressed : ColorAsset::chaosToggleText;
    return BitmapButtonLabel{*buttonText_, MossFont::dosisMedium, 13, -2, ColorResource::of(color).value()};
}

} // namespace mossbell
