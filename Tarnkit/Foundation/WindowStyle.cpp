#include "Tarnkit/Foundation/WindowStyle.h"

#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Styles.h"

namespace tarnkit {

WindowStyle::WindowStyle()
    : font_(Styles::BaseStyles::normalFont()), textColor_(ColorResource::grey85().makeColor())
{
}

} // namespace tarnkit
