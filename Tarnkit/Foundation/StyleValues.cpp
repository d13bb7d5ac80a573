#include "Tarnkit/Foundation/StyleValues.h"

namespace tarnkit {

const ColorRef& clearColor()
{
    static const ColorRef color = std::make_shared<const QColor>(Qt::transparent);
    return color;
}

} // namespace tarnkit
