#include "Tarnkit/Foundation/ShakeEffect.h"

#include <cmath>
#include <numbers>

namespace tarnkit {

double ShakeEffect::offset() const
{
    return amount * std::sin(animatableData * std::numbers::pi * shakes);
}

QTransform ShakeEffect::effectValue(const Size&) const
{
    return QTransform::fromTranslate(offset(), 0);
}

} // namespace tarnkit
