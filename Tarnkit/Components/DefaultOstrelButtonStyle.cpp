#include "Tarnkit/Components/DefaultOstrelButtonStyle.h"

#include "Tarnkit/Components/PushButtonLook.h"

namespace tarnkit {

namespace {

const QFont& labelFont()
{
    static const QFont font = [] {
        QFont systemFont;
        systemFont.setPixelSize(11);
        systemFont.setWeight(QFont::Normal);
        return systemFont;
    }();
    return font;
}

} // namespace

DefaultOstrelButtonStyle::DefaultOstrelButtonStyle(bool isEnabled)
    : ImageBackedButtonStyle(pushButtonLook::frame()), isEnabled_(isEnabled)
{
}

ImageBackedButtonStyle::Appearance DefaultOstrelButtonStyle::appearance(bool isPressed) const
{
    Appearance look = pushButtonLook::appearance(labelFont(), isPressed);
    if (!isEnabled_)
        look.textColor.setAlphaF(look.textColor.alphaF() * 0.5f);
    return look;
}

} // namespace tarnkit
