#pragma once

#include "Mossbell/AssetResources.h"

#include "platform/ui/Button.h"

#include <QColor>

namespace mossbell {

/// Draws the platform's push button (ui::Button) as a modern panel key, so that a plain action
/// button matches the parameter toggles: the key image stretched to fit a height of 27 points
/// keeping its proportions, the on key when isOn, and the label over it 2 points lower, in
/// color when isOn and in "buttonText" otherwise. The press only changes the image.
///
/// A style is a value: a button drawn with it shows a change of isOn or color at its next paint.
/// Main thread, like every view.
class ModernButtonStyle : public ui::ButtonStyle {
public:
    static constexpr qreal imageHeight = 27;
    static constexpr qreal labelOffset = 2;

    ModernButtonStyle(bool isOn, QColor color);

    bool isOn() const { return isOn_; }
    void setOn(bool isOn) { isOn_ = isOn; }
    QColor color() const { return color_; }
    void setColor(QColor color) { color_ = color; }

    /// The key for the press and isOn.
    const ImageResource& image(bool isPressed) const;
    /// The label's colour, pressed or not.
    QColor labelColor() const;

    QSizeF size(const ui::ButtonLabel& label) const override;
    void paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label, bool isPressed) const override;

private:
    bool isOn_;
    QColor color_;
};

} // namespace mossbell
