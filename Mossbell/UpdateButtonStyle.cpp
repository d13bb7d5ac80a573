#include "Mossbell/UpdateButtonStyle.h"

#include "Mossbell/AssetResources.h"
#include "Mossbell/MossFont.h"

#include "platform/ui/Painting.h"

#include <QPainter>

namespace mossbell {

ui::ButtonLabel UpdateButtonStyle::styledLabel(const ui::ButtonLabel& label)
{
    ui::ButtonLabel styled = label;
    styled.font = zindleFont(fontSize);
    styled.color = ColorResource::of(ColorAsset::background).value();
    return styled;
}

QSizeF UpdateButtonStyle::size(const ui::ButtonLabel& label) const
{
    const QSizeF text = styledLabel(label).size();
    return QSizeF(text.width() + padding.left() + padding.right(), text.height() + padding.top() + padding.bottom());
}

void UpdateButtonStyle::paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label, bool isPressed) const
{
    painter.save();
    if (isPressed)
        painter.setOpacity(painter.opacity() * pressedOpacity);
    painter.fillPath(ui::continuousRoundedRect(rect, cornerRadius),
                     ColorResource::of(ColorAsset::updateBackground).value());
    styledLabel(label).paint(painter, rect.marginsRemoved(padding));
    painter.restore();
}

} // namespace mossbell
