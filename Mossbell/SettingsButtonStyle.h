#pragma once

#include "Mossbell/AssetResources.h"
#include "Mossbell/MossFont.h"

#include "platform/ui/Button.h"

namespace mossbell {

/// Draws the platform's push button (ui::Button) as a settings key: the key image at its own
/// size, held down while pressed, and the label over it in "buttonText". The caller sets the
/// label's font; the style only needs to know which: a label in the display face "Zindle" is
/// moved 2 points down, the others stay centred.
///
/// Main thread, like every view.
class SettingsButtonStyle : public ui::ButtonStyle {
public:
    explicit SettingsButtonStyle(MossFont font);

    MossFont font() const { return font_; }

    /// The key for the press.
    static const ImageResource& image(bool isPressed);
    /// The label's colour.
    static QColor labelColor();
    /// How far the label is moved down: 2 points for "Zindle", none for the others.
    qreal labelOffset() const;

    QSizeF size(const ui::ButtonLabel& label) const override;
    void paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label, bool isPressed) const override;

private:
    MossFont font_;
};

} // namespace mossbell
