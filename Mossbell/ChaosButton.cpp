#include "Mossbell/ChaosButton.h"

namespace mossbell {

ChaosButton::ChaosButton(QString title, ChaosButtonColor buttonColor, std::function<void()> onPressed,
                         QWidget* parent)
    : BitmapButton(defaultButtonSize, parent), color_(buttonColor), buttonText_(std::move(title)),
      onPressed_(std::move(onPressed))
{
}

ChaosButton::~ChaosButton() = default;

const ImageResource& ChaosButton::currentImage() const
{
    // Yellow is the only colour drawn.
    return ImageResource::of(isPressed() ? ImageAsset::chaosButtonYellowDown : ImageAsset::chaosButtonYellow);
}

std::optional<BitmapButtonLabel> ChaosButton::currentLabel() const
{
    return BitmapButtonLabel{buttonText_, MossFont::dosisMedium, 13, -4,
                             ColorResource::of(ColorAsset::chaosYellowText).value()};
}

void ChaosButton::pressEnded(bool counted, const ui::DragValue&)
{
    if (counted && onPressed_)
        onPressed_();
}

} // namespace mossbell
