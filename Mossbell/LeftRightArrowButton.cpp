#include "Mossbell/LeftRightArrowButton.h"

namespace mossbell {

LeftRightArrowButton::LeftRightArrowButton(std::shared_ptr<AudioParameter> param, float leftValue, QWidget* parent)
    : ParameterButton(std::move(param), defaultButtonSize, parent), leftValue_(leftValue)
{
}

LeftRightArrowButton::~LeftRightArrowButton() = default;

void LeftRightArrowButton::setLeftValue(float leftValue)
{
    leftValue_ = leftValue;
    update();
}

bool LeftRightArrowButton::isLeft() const
{
    return param()->value() == leftValue_;
}

const ImageResource& LeftRightArrowButton::currentImage() const
{
    // [left][pressed]
    static constexpr ImageAsset images[2][2] = {
        {ImageAsset::chaosButtonSmallYellowRight, ImageAsset::chaosButtonSmallYellowRightDown},
        {ImageAsset::chaosButtonSmallYellowLeft, ImageAsset::chaosButtonSmallYellowLeftDown},
    };
    return ImageResource::of(images[isLeft()][isPressed()]);
}

} // namespace mossbell
