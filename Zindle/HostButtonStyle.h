#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Stack.h"

#include <QColor>
#include <QFont>
#include <QMarginsF>

namespace zindleapp {

/// What the application's two button styles share: the label in the style's font and colour,
/// centred in a frame 24 points high over a background image centred at its own size, and a
/// padding of minus 2 points on the horizontal edges, so that a button takes 4 points less
/// room than its label and background draw across (they reach 2 points past its layout bounds
/// on each side). The styles differ in font, colours and images. Main thread, like every view.
class HostButtonStyle : public ui::ButtonStyle {
public:
    static constexpr qreal height = 24;
    static constexpr QMarginsF padding{-2, 0, -2, 0};

    /// Where a button in this style goes in a stack, its label framed labelWidth wide: the
    /// frame and the padding (the button fills the frame; make it flexible horizontally).
    static ui::Placement placement(qreal labelWidth);

    virtual QFont font() const = 0;
    virtual QColor textColor(bool isPressed) const = 0;

    /// The label's width in the style's font by the height.
    QSizeF size(const ui::ButtonLabel& label) const override;
    void paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label, bool isPressed) const override;

protected:
    /// Draws the background image centred in rect at its own size.
    virtual void paintBackground(QPainter& painter, const QRectF& rect, bool isPressed) const = 0;
};

} // namespace zindleapp
