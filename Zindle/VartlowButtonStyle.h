#pragma once

#include "Zindle/HostButtonStyle.h"

#include "Mossbell/AssetResources.h"

namespace zindleapp {

/// The buttons of the welcome window, over the application's own assets: the label in the
/// rounded face, 12 points bold, "buttonText" on "tkui-button" at rest and "labels" on
/// "tkui-button-down" while held. It ignores the enabled state: a disabled button looks like an
/// enabled one. (The control library's style of the same name is another type.)
class VartlowButtonStyle final : public HostButtonStyle {
public:
    QFont font() const override;
    QColor textColor(bool isPressed) const override;
    const mossbell::ImageResource& background(bool isPressed) const;

protected:
    void paintBackground(QPainter& painter, const QRectF& rect, bool isPressed) const override;
};

} // namespace zindleapp
