#include "Zindle/VartlowButtonStyle.h"

#include "Zindle/AppResources.h"

#include "platform/ui/Painting.h"
#include "platform/ui/View.h"

namespace zindleapp {

QFont VartlowButtonStyle::font() const
{
    return roundedSystemFont(12, QFont::Bold);
}

QColor VartlowButtonStyle::textColor(bool isPressed) const
{
    return (isPressed ? ColorResource::labels() : ColorResource::buttonText()).value();
}

const mossbell::ImageResource& VartlowButtonStyle::background(bool isPressed) const
{
    return isPressed ? ImageResource::tkuiButtonDown() : ImageResource::tkuiButton();
}

void VartlowButtonStyle::paintBackground(QPainter& painter, const QRectF& rect, bool isPressed) const
{
    ui::drawImageCentred(painter, rect, background(isPressed).image(ui::pixelScale(painter)));
}

} // namespace zindleapp
