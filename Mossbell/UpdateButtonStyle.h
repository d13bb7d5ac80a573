#pragma once

#include "platform/ui/Button.h"

#include <QMarginsF>

namespace mossbell {

/// The update notice of the plug-in header: the label's text in Zindle at 13 points (whatever
/// font the label brings) in the colour "background", padded 4 points left and right and 2 at
/// the top, on a continuous rounded rectangle of radius 4 in "updateBackground"; drawn at
/// opacity 0.8 while pressed. Main thread, like every view.
class UpdateButtonStyle final : public ui::ButtonStyle {
public:
    static constexpr qreal fontSize = 13.0;
    static constexpr qreal cornerRadius = 4.0;
    static constexpr qreal pressedOpacity = 0.8;
    static constexpr QMarginsF padding{4.0, 2.0, 4.0, 0.0};

    /// The label as the style draws it: its text (or image) in the style's font and colour.
    static ui::ButtonLabel styledLabel(const ui::ButtonLabel& label);

    QSizeF size(const ui::ButtonLabel& label) const override;
    void paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label, bool isPressed) const override;
};

} // namespace mossbell
