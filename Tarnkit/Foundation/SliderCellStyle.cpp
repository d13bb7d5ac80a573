#include "Tarnkit/Foundation/SliderCellStyle.h"

#include "Tarnkit/Foundation/AssetResources.h"

namespace tarnkit {

using State = StyledControlState;

SliderCellStyle::SliderCellStyle()
{
    setBackgroundColor(clearColor());
}

const ImageTable& SliderCellStyle::barImages() const
{
    if (!barImages_) {
        barImages_ = makeImageTable({{State::defaultState, ImageAsset::tkuiSliderAlley},
                                     {State::highlighted, ImageAsset::tkuiSlider}});
    }
    return *barImages_;
}

const ImageTable& SliderCellStyle::knobImages() const
{
    if (!knobImages_) {
        knobImages_ = makeImageTable({{State::defaultState, ImageAsset::tkuiSliderHandle},
                                      {State::highlighted, ImageAsset::tkuiSliderHandleDown},
                                      {State::mixed, ImageAsset::tkuiSliderHandleMulti}});
    }
    return *knobImages_;
}

ImageRef SliderCellStyle::barImage(StyledControlState state) const
{
    return findImage(state, barImages());
}

ImageRef SliderCellStyle::knobImage(StyledControlState state) const
{
    return findImage(state, knobImages());
}

} // namespace tarnkit
