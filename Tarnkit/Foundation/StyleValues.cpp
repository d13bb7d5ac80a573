#include "Tarnkit/Foundation/StyleValues.h"

namespace tarnkit {

const ColorRef& clearColor()
{
    static const ColorRef color = std::make_shared<const QColor>(Qt::transparent);
    return color;
}

const ColorRef& controlTextColor()
{
    static const ColorRef color = std::make_shared<const QColor>(255, 255, 255, 217);
    return color;
}

const ColorRef& secondaryLabelColor()
{
    static const ColorRef color = std::make_shared<const QColor>(255, 255, 255, 140);
    return color;
}

} // namespace tarnkit
