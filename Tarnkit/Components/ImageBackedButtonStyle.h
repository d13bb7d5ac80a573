#pragma once

#include "Tarnkit/Foundation/StyleValues.h"

#include "platform/ui/Button.h"

#include <QColor>
#include <QFont>
#include <QMarginsF>

#include <optional>

namespace tarnkit {

/// How far a push-button style's bezel reaches past the button's slot: place a button drawn by
/// DefaultOstrelButtonStyle or VartlowButtonStyle with this padding (ui::Placement::padding) and
/// its slot is 2 points narrower on each side than what it draws, as the artwork's shadowed
/// edges are meant to sit.
inline constexpr QMarginsF pushButtonSlotPadding{-2, 0, -2, 0};

/// A button style that draws its label in a font and colour of its own over one of the
/// library's images: the image centred behind the label at its own size (never resized), the
/// label centred in its frame. The view covers whatever it draws: its frame and the image,
/// whichever is larger each way (our views clip to their bounds, so nothing may hang over).
/// Subclasses say what a state looks like; the frame is data given at construction.
/// Main thread, like the buttons that paint with it.
class ImageBackedButtonStyle : public ui::ButtonStyle {
public:
    /// What the button looks like in one state.
    struct Appearance {
        QFont font;
        QColor textColor; ///< opacity included
        ImageRef background;
    };

    /// The frame around the label: padding on each side, then a fixed height if any.
    struct LabelFrame {
        QMarginsF padding{};
        std::optional<qreal> height{};
    };

    explicit ImageBackedButtonStyle(LabelFrame frame) : frame_(frame) {}

    virtual Appearance appearance(bool isPressed) const = 0;

    /// The label's frame for a label of labelSize.
    QSizeF frameSize(QSizeF labelSize) const;

    QSizeF size(const ui::ButtonLabel& label) const override;
    void paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label, bool isPressed) const override;

private:
    /// label in the font and colour of appearance.
    static ui::ButtonLabel styled(ui::ButtonLabel label, const Appearance& appearance);

    LabelFrame frame_;
};

} // namespace tarnkit
