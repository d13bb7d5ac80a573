#include "Mossbell/ModernButtonStyle.h"

#include "platform/ui/Painting.h"
#include "platform/ui/View.h"

#include <algorithm>
#include <limits>

namespace mossbell {

ModernButtonStyle::ModernButtonStyle(bool isOn, QColor color) : isOn_(isOn), color_(color) {}

const ImageResource& ModernButtonStyle::image(bool isPressed) const
{
    // [on][pressed]
    static constexpr ImageAsset images[2][2] = {
        {ImageAsset::modernButton, ImageAsset::modernButtonDown},
        {ImageAsset::modernButtonOn, ImageAsset::modernButtonOnDown},
    };
    return ImageResource::of(images[isOn_][isPressed]);
}

QColor ModernButtonStyle::labelColor() const
{
    return isOn_ ? color_ : ColorResource::of(ColorAsset::buttonText).value();
}

namespace {

// The key fitted to the full height, at the width that keeps its proportions.
QSizeF fittedKeySize(const ImageResource& key, qreal availableWidth)
{
    const QSizeF natural = key.size();
    if (natural.isEmpty())
        return {};
    return natural.scaled(QSizeF(availableWidth, ModernButtonStyle::imageHeight), Qt::KeepAspectRatio);
}

} // namespace

QSizeF ModernButtonStyle::size(const ui::ButtonLabel& label) const
{
    const QSizeF key = fittedKeySize(image(false), std::numeric_limits<qreal>::max());
    const QSizeF text = label.size();
    return QSizeF(std::max(key.width(), text.width()), std::max(imageHeight, text.height()));
}

void ModernButtonStyle::paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label,
                              bool isPressed) const
{
    const ImageResource& key = image(isPressed);
    const QSizeF fitted = fittedKeySize(key, rect.width());
    const QRectF keyRect(rect.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
    ui::drawResizableImage(painter, keyRect, key.image(ui::pixelScale(painter)), QMarginsF(), ui::ResizingMode::stretch);

    ui::ButtonLabel coloured = label;
    coloured.color = labelColor();
    coloured.paint(painter, rect.translated(0, labelOffset));
}

} // namespace mossbell
