#include "Tarnkit/Components/VartlowButtonStyle.h"

#include "Tarnkit/Components/PushButtonLook.h"

#include <QStringList>

namespace tarnkit {

namespace {

// The rounded design of the system face: Dosis (fonts-dosis) has the rounded strokes; where it
// is missing Qt falls back to the system face.
const QFont& labelFont()
{
    static const QFont font = [] {
        QFont rounded;
        rounded.setFamilies({QStringLiteral("Dosis")});
        rounded.setPixelSize(12);
        rounded.setWeight(QFont::Bold);
        return rounded;
    }();
    return font;
}

} // namespace

VartlowButtonStyle::VartlowButtonStyle() : ImageBackedButtonStyle(pushButtonLook::frame()) {}

ImageBackedButtonStyle::Appearance VartlowButtonStyle::appearance(bool isPressed) const
{
    return pushButtonLook::appearance(labelFont(), isPressed);
}

} // namespace tarnkit
