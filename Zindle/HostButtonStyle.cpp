#include "Zindle/HostButtonStyle.h"

#include "platform/ui/BasicViews.h"

#include <QPainter>

namespace zindleapp {

ui::Placement HostButtonStyle::placement(qreal labelWidth)
{
    return ui::Placement{ui::Frame{labelWidth, height}, padding};
}

QSizeF HostButtonStyle::size(const ui::ButtonLabel& label) const
{
    return QSizeF(ui::textSize(label.text, font()).width(), height);
}

void HostButtonStyle::paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label, bool isPressed) const
{
    paintBackground(painter, rect, isPressed);
    ui::ButtonLabel styled = label;
    styled.font = font();
    styled.color = textColor(isPressed);
    styled.paint(painter, rect);
}

} // namespace zindleapp
