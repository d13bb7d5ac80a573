#include "Tarnkit/Foundation/CheckBoxCellStyle.h"

#include "Tarnkit/Foundation/AssetResources.h"

namespace tarnkit {

using State = StyledControlState;

CheckBoxCellStyle::CheckBoxCellStyle()
{
    setHighlightedTextColor(textColor());
    setHighlightedBackgroundColor(textBackgroundColor());
    setSelectedBackgroundColor(textBackgroundColor());
    // A selected box (in a selected row) looks pressed.
    setButtonImages(makeImageTable({{State::defaultState, ImageAsset::tkuiCheckbox},
                                    {State::on, ImageAsset::tkuiCheckboxOn},
                                    {State::mixed, ImageAsset::tkuiCheckboxMixed},
                                    {State::highlighted, ImageAsset::tkuiCheckboxDown},
                                    {State::on | State::highlighted, ImageAsset::tkuiCheckboxOnDown},
                                    {State::mixed | State::highlighted, ImageAsset::tkuiCheckboxMixedDown},
                                    {State::selected, ImageAsset::tkuiCheckboxDown},
                                    {State::on | State::selected, ImageAsset::tkuiCheckboxOnDown},
                                    {State::mixed | State::selected, ImageAsset::tkuiCheckboxMixedDown}}));
}

const ImageTable& CheckBoxCellStyle::buttonImages() const
{
    if (!buttonImages_)
        buttonImages_.emplace();
    return *buttonImages_;
}

ImageRef CheckBoxCellStyle::image(StyledControlState state) const
{
    return findImage(state, buttonImages());
}

FavouriteCheckBoxCellStyle::FavouriteCheckBoxCellStyle()
{
    setButtonImages(makeImageTable({{State::defaultState, ImageAsset::organiserIconStarEmpty},
                                    {State::on, ImageAsset::organiserIconStar}}));
}

} // namespace tarnkit
