#include "Mossbell/SettingsButtonStyle.h"

#include "platform/ui/Painting.h"
#include "platform/ui/View.h"

#include <algorithm>

namespace mossbell {

SettingsButtonStyle::SettingsButtonStyle(MossFont font) : font_(font) {}

const ImageResource& SettingsButtonStyle::image(bool isPressed)
{
    return ImageResource::of(isPressed ? ImageAsset::settingsButtonDown : ImageAsset::settingsButton);
}

QColor SettingsButtonStyle::labelColor()
{
    return ColorResource::of(ColorAsset::buttonText).value();
}

qreal SettingsButtonStyle::labelOffset() const
{
    return font_ == MossFont::zindle ? 2 : 0;
}

QSizeF SettingsButtonStyle::size(const ui::ButtonLabel& label) const
{
    const QSizeF key = image(false).size();
    const QSizeF text = label.size();
    return QSizeF(std::max(key.width(), text.width()), std::max(key.height(), text.height()));
}

void SettingsButtonStyle::paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label,
                                bool isPressed) const
{
    ui::drawImageCentred(painter, rect, image(isPressed).image(ui::pixelScale(painter)));
    ui::ButtonLabel coloured = label;
    coloured.color = labelColor();
    coloured.paint(painter, rect.translated(0, labelOffset()));
}

} // namespace mossbell
