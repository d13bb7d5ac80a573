#include "Tarnkit/Controls/FocusRing.h"

#include "Tarnkit/Controls/Cell.h"
#include "Tarnkit/Foundation/FirstResponder.h"

#include <QPainter>
#include <QPainterPath>

namespace tarnkit::focusRing {

bool isShown(const QWidget& control)
{
    return isFirstResponderInKeyWindow(&control);
}

void draw(QPainter& painter, const QWidget& view, const Rect& maskBounds, const ColorRef& color, double inset)
{
    if (!color)
        return;
    const QRectF ring = viewFlip(view).map(maskBounds).adjusted(inset, inset, -inset, -inset);
    QPainterPath path;
    path.addRoundedRect(ring, cornerRadius, cornerRadius);
    QColor fill = *color;
    fill.setAlphaF(float(fillAlpha));

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, fill);
    painter.strokePath(path, QPen(*color, lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.restore();
}

} // namespace tarnkit::focusRing
