#include "tools/tarnkit-gallery/GallerySheet.h"

#include "tools/tarnkit-gallery/SheetText.h"

#include "Tarnkit/Foundation/AssetResources.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarnkit::gallery {

namespace {

constexpr qreal sheetWidth = 1040;
constexpr qreal gap = 14;
constexpr qreal labelGap = 6;

// Places cells left to right, wrapping at the sheet's width.
class Flow {
public:
    explicit Flow(qreal top) : x_(margin), y_(top) {}

    QPointF place(const QSizeF& size)
    {
        if (x_ > margin && x_ + size.width() > sheetWidth - margin) {
            x_ = margin;
            y_ += rowHeight_ + gap;
            rowHeight_ = 0;
        }
        const QPointF at(x_, y_);
        x_ += size.width() + gap;
        rowHeight_ = std::max(rowHeight_, size.height());
        return at;
    }

    qreal bottom() const { return y_ + rowHeight_; }

private:
    qreal x_;
    qreal y_;
    qreal rowHeight_ = 0;
};

bool isSliced(const EdgeInsets& caps)
{
    return caps.top > 0 || caps.left > 0 || caps.bottom > 0 || caps.right > 0;
}

// The stretched copy shows the slicing at work: wider by half again and at least 60 points,
// and taller where the caps allow it.
QSizeF stretchedSize(const ImageAssetInfo& info)
{
    const qreal width = std::max(info.size.width() * 1.5, info.size.width() + 60);
    const bool tall = info.capInsets.top > 0 && info.capInsets.bottom > 0
                      && info.capInsets.top + info.capInsets.bottom < info.size.height();
    return QSizeF(width, tall ? info.size.height() + 8 : info.size.height());
}

// Lays out (and, with a painter, draws) the sheet; returns its height.
qreal layout(QPainter* painter, GallerySheet& sheet)
{
    qreal y = margin;
    if (painter)
        drawText(*painter, titleText(), QPointF(margin, y), QStringLiteral("Tarnkit resource bundle"));
    y += lineHeight(titleText()) + 4;
    if (painter) {
        drawText(*painter, detailText(), QPointF(margin, y),
                 QStringLiteral("%1 colours, %2 images: natural size, and stretched by their caps where sliced")
                     .arg(allColorAssets.size())
                     .arg(allImageAssets.size()));
    }
    y += lineHeight(detailText()) + 18;

    // Colours: a swatch, its name and its value.
    if (painter)
        drawText(*painter, headingText(), QPointF(margin, y), QStringLiteral("Colours"));
    y += lineHeight(headingText()) + 8;
    Flow colors(y);
    const QSizeF swatch(130, 36);
    for (const auto asset : allColorAssets) {
        const QString name = assetName(asset);
        const QColor value = ColorResource::of(asset).value();
        const QSizeF cell(swatch.width(), swatch.height() + labelGap + lineHeight(nameText()) + lineHeight(detailText()));
        const QPointF at = colors.place(cell);
        const QRectF rect(at, swatch);
        sheet.colors.insert(name, rect);
        if (!painter)
            continue;
        painter->setPen(QPen(QColor(255, 255, 255, 40), 1));
        painter->setBrush(value);
        painter->drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        drawText(*painter, nameText(), QPointF(at.x(), rect.bottom() + labelGap), name);
        drawText(*painter, detailText(), QPointF(at.x(), rect.bottom() + labelGap + lineHeight(nameText())),
                 value.name(QColor::HexRgb));
    }
    y = colors.bottom() + 26;

    // Images: each at its natural size, a stretched copy beside the sliced ones, the name and
    // the size (with the caps) below.
    if (painter)
        drawText(*painter, headingText(), QPointF(margin, y), QStringLiteral("Images"));
    y += lineHeight(headingText()) + 8;
    Flow images(y);
    for (const auto asset : allImageAssets) {
        const auto& info = imageAssetInfo(asset);
        const QString name = QString::fromLatin1(info.name);
        const bool sliced = isSliced(info.capInsets);
        const QSizeF wide = sliced ? stretchedSize(info) : QSizeF();
        const qreal artWidth = info.size.width() + (sliced ? gap + wide.width() : 0);
        const qreal artHeight = std::max(info.size.height(), wide.height());
        QString detail = QStringLiteral("%1 x %2").arg(info.size.width()).arg(info.size.height());
        if (sliced) {
            const EdgeInsets& c = info.capInsets;
            detail += QStringLiteral("  caps %1 %2 %3 %4").arg(c.top).arg(c.left).arg(c.bottom).arg(c.right);
        }
        const qreal width = std::max({artWidth, textWidth(nameText(), name), textWidth(detailText(), detail), 72.0});
        const QSizeF cell(width, artHeight + labelGap + lineHeight(nameText()) + lineHeight(detailText()));
        const QPointF at = images.place(cell);
        const QRectF natural(at + QPointF(0, (artHeight - info.size.height()) / 2), info.size);
        sheet.images.insert(name, natural);
        QRectF stretchedRect;
        if (sliced) {
            stretchedRect = QRectF(at + QPointF(info.size.width() + gap, (artHeight - wide.height()) / 2), wide);
            sheet.stretched.insert(name, stretchedRect);
        }
        if (!painter)
            continue;
        const ImageRef image = ImageResource::of(asset).makeImage();
        image->draw(*painter, natural);
        if (sliced)
            image->draw(*painter, stretchedRect);
        drawText(*painter, nameText(), QPointF(at.x(), at.y() + artHeight + labelGap), name);
        drawText(*painter, detailText(), QPointF(at.x(), at.y() + artHeight + labelGap + lineHeight(nameText())), detail);
    }
    return std::ceil(images.bottom() + margin);
}

} // namespace

GallerySheet renderGallery(qreal scale)
{
    GallerySheet sheet;
    const qreal height = layout(nullptr, sheet);
    sheet = {};
    sheet.image = blankSheet(sheetWidth, height, scale);
    QPainter painter(&sheet.image);
    setUpPainter(painter);
    layout(&painter, sheet);
    return sheet;
}

} // namespace tarnkit::gallery
