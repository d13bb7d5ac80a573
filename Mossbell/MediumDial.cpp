#include "Mossbell/MediumDial.h"

#include <array>

namespace mossbell {

namespace {

struct ColorRow {
    SmallDialColor color;
    DialStrip strip;
    ColorAsset nameColor;
};

// In the order of SmallDialColor.
constexpr std::array colorRows = {
    ColorRow{SmallDialColor::blue, DialStrip::dialMediumBlue, ColorAsset::pluginBlue},
    ColorRow{SmallDialColor::yellow, DialStrip::dialMediumYellow, ColorAsset::pluginYellow},
    ColorRow{SmallDialColor::red, DialStrip::dialMediumRed, ColorAsset::pluginRed},
    ColorRow{SmallDialColor::purple, DialStrip::dialMediumPurple, ColorAsset::pluginPurple},
};
static_assert([] {
    for (std::size_t i = 0; i < colorRows.size(); ++i) {
        if (colorRows[i].color != SmallDialColor(i))
            return false;
    }
    return true;
}());

DialLook mediumLook(SmallDialColor color)
{
    const ColorRow& row = colorRows[std::size_t(color)];
    return DialLook{row.strip, QSizeF(68, 84), -16, 44, row.nameColor, MossFont::zindle, 6.0, 0.005f};
}

} // namespace

MediumDial::MediumDial(std::shared_ptr<AudioParameter> param, SmallDialColor color,
                       LabelDisplayOptions labelDisplayOptions, std::shared_ptr<const LabelFormatter> formatter,
                       std::function<void()> onEditingEnded, QWidget* parent)
    : FrameworkDial(mediumLook(color), std::move(param), std::move(labelDisplayOptions), std::move(formatter),
                    std::move(onEditingEnded), parent),
      color_(color)
{
}

} // namespace mossbell
