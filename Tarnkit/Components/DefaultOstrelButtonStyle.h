#pragma once

#include "Tarnkit/Components/ImageBackedButtonStyle.h"

namespace tarnkit {

/// The library's standard push-button look for painted views: the label in the 11-point system
/// font over "tkui-button" ("tkui-button-down" while pressed), 24 points high, its text in the
/// control text colour ("Grey 85%", "Grey 50%" while pressed), dimmed to half opacity when the
/// button is disabled.
///
/// isEnabled is what the view's environment says of the button; a button that becomes enabled
/// or disabled is made anew with a style for its new state, as any view built from its model.
///
///     auto* ok = new ui::Button([] { return ui::ButtonLabel{QObject::tr("OK"), {}, {}, {}}; }, accept,
///                               std::make_shared<tarnkit::DefaultOstrelButtonStyle>());
///     row->add(ok, ui::Placement{{}, tarnkit::pushButtonSlotPadding});
class DefaultOstrelButtonStyle final : public ImageBackedButtonStyle {
public:
    explicit DefaultOstrelButtonStyle(bool isEnabled = true);

    bool isEnabled() const { return isEnabled_; }
    Appearance appearance(bool isPressed) const override;

private:
    bool isEnabled_;
};

} // namespace tarnkit
