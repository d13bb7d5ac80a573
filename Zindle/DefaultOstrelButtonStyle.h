#pragma once

#include "Zindle/HostButtonStyle.h"

#include "Tarnkit/Foundation/StyleValues.h"

namespace zindleapp {

/// The application's second button style, drawn from the control library's catalogues: the
/// label in the system font, 11 points, "Grey 85%" (Styles::Control::textColor) on the
/// library's "tkui-button" at rest and "Grey 50%" (highlightedTextColor) on "tkui-button-down"
/// while held; a disabled button draws its text at half opacity. (The control library's style
/// of the same name is another type.)
///
/// isEnabled is the enabled state of the button it draws, as its environment gives it: whoever
/// enables or disables the button sets it (a style is a value; the button shows the change at
/// its next paint).
class DefaultOstrelButtonStyle final : public HostButtonStyle {
public:
    explicit DefaultOstrelButtonStyle(bool isEnabled = true) : isEnabled_(isEnabled) {}

    bool isEnabled() const { return isEnabled_; }
    void setEnabled(bool isEnabled) { isEnabled_ = isEnabled; }

    QFont font() const override;
    QColor textColor(bool isPressed) const override;
    const tarnkit::ImageRef& background(bool isPressed) const;

protected:
    void paintBackground(QPainter& painter, const QRectF& rect, bool isPressed) const override;

private:
    bool isEnabled_;
};

} // namespace zindleapp
