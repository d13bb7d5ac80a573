#include "Tarnkit/Components/SegmentedButtonStyle.h"

#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/Foundation/TKColors.h"

namespace tarnkit {

namespace {

// The tabs are no catalogue members: each is made once here, from its image resource.
struct Tabs {
    ImageRef normal = ImageResource::tkuiWindowTab().makeImage();
    ImageRef down = ImageResource::tkuiWindowTabDown().makeImage();
    ImageRef selected = ImageResource::tkuiWindowTabSelected().makeImage();
};

const Tabs& tabs()
{
    static const Tabs made;
    return made;
}

} // namespace

SegmentedButtonStyle::SegmentedButtonStyle(bool isSelected)
    : ImageBackedButtonStyle({.padding = QMarginsF(16, 6, 16, 6), .height = {}}), isSelected_(isSelected)
{
}

ImageBackedButtonStyle::Appearance SegmentedButtonStyle::appearance(bool isPressed) const
{
    const QFont& font = *Styles::BaseStyles::headerFont(); // the system font, 12 points, medium
    if (isPressed)
        return {font, *TKColors::grey50(), tabs().down};
    if (isSelected_)
        return {font, *TKColors::grey85(), tabs().selected};
    return {font, *TKColors::grey70(), tabs().normal};
}

} // namespace tarnkit
