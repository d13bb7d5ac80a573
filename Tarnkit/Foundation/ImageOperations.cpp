#include "Tarnkit/Foundation/ImageOperations.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageWriter>
#include <QPainter>

#include <memory>

namespace tarnkit {

namespace {

// A transparent canvas of sizeInPoints at the representation's pixel ratio.
QImage canvasLike(const QImage& representation, QSizeF sizeInPoints)
{
    const qreal ratio = representation.devicePixelRatio();
    QImage canvas((sizeInPoints * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::transparent);
    return canvas;
}

// Applies make to each representation that exists.
template <class Make>
ImageRef remade(const Image& image, Make make, EdgeInsets capInsets = {})
{
    const auto each = [&](const QImage& representation) {
        return representation.isNull() ? QImage() : make(representation);
    };
    return std::make_shared<const Image>(image.name(), each(image.oneX()), each(image.twoX()), capInsets);
}

} // namespace

ImageRef renderedIfTemplate(const ImageRef& image, const QColor& color)
{
    if (!image || !image->isTemplate())
        return image;
    return remade(
        *image,
        [&](const QImage& representation) {
            QImage copy = representation.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&copy);
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            painter.fillRect(QRectF(QPointF(0, 0), copy.deviceIndependentSize()), color);
            return copy;
        },
        image->capInsets());
}

ImageRef withAlpha(const Image& image, qreal fraction)
{
    return remade(image, [&](const QImage& representation) {
        QImage canvas = canvasLike(representation, image.size());
        QPainter painter(&canvas);
        painter.setOpacity(fraction);
        painter.drawImage(QRectF(QPointF(0, 0), image.size()), representation);
        return canvas;
    });
}

ImageRef withPadding(const Image& image, qreal leadingPadding)
{
    const QSizeF size(image.size().width() + leadingPadding, image.size().height());
    return remade(image, [&](const QImage& representation) {
        QImage canvas = canvasLike(representation, size);
        QPainter painter(&canvas);
        painter.drawImage(QPointF(leadingPadding, 0), representation);
        return canvas;
    });
}

ImageRef filterRepresentations(const Image& image, const std::function<bool(const QImage&)>& isIncluded)
{
    const bool keepOneX = !image.oneX().isNull() && isIncluded(image.oneX());
    const bool keepTwoX = !image.twoX().isNull() && isIncluded(image.twoX());
    return std::make_shared<const Image>(image.name(), keepOneX ? image.oneX() : QImage(),
                                         keepTwoX ? image.twoX() : QImage());
}

std::optional<QImage> firstBitmapImageRep(const Image& image, const QPainter* painter)
{
    if (image.isNull())
        return std::nullopt;
    return painter ? image.representation(*painter) : image.representation(1.0);
}

std::optional<QByteArray> pngP3Data(const QImage& image)
{
    if (image.isNull())
        return std::nullopt;
    const QColorSpace displayP3(QColorSpace::DisplayP3);
    if (!displayP3.isValid())
        return std::nullopt;
    QImage deep = image.convertToFormat(QImage::Format_RGBA64_Premultiplied);
    if (!deep.colorSpace().isValid())
        deep.setColorSpace(QColorSpace(QColorSpace::SRgb));
    deep.convertToColorSpace(displayP3);
    if (deep.isNull() || deep.colorSpace() != displayP3)
        return std::nullopt;

    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return std::nullopt;
    QImageWriter writer(&buffer, "png");
    if (!writer.write(deep))
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> pngP3Data(const Image& image)
{
    return pngP3Data(image.twoX().isNull() ? image.oneX() : image.twoX());
}

} // namespace tarnkit
