#include "Tarnkit/WindowStyle.h"

#include "Tarnkit/AssetResources.h"
#include "Tarnkit/Styles.h"

namespace tarnkit {

WindowStyle::WindowStyle()
    : font_(Styles::BaseStyles::normalFont()), textColor_(ColorResource::grey85().makeColor())
{
}

} // namespace tarnkit
