#include "Tarnkit/Foundation/Image.h"

#include <algorithm>
#include <cmath>

namespace tarnkit {

namespace {

QImage withRatio(QImage image, qreal ratio)
{
    if (!image.isNull())
        image.setDevicePixelRatio(ratio);
    return image;
}

// Fits a pair of caps into a length: caps longer than the length together shrink in
// proportion, so a small rect still shows both ends and no negative middle.
std::pair<qreal, qreal> fitCaps(qreal first, qreal second, qreal length)
{
    const qreal total = first + second;
    if (total <= length || total <= 0)
        return {first, second};
    const qreal factor = length / total;
    return {first * factor, second * factor};
}

} // namespace

Image::Image(QString name, QImage oneX, QImage twoX, EdgeInsets capInsets, bool isTemplate)
    : name_(std::move(name)), oneX_(withRatio(std::move(oneX), 1.0)), twoX_(withRatio(std::move(twoX), 2.0)),
      capInsets_(capInsets), isTemplate_(isTemplate)
{
    if (!oneX_.isNull())
        size_ = oneX_.deviceIndependentSize();
    else if (!twoX_.isNull())
        size_ = twoX_.deviceIndependentSize();
}

const QImage& Image::representation(qreal devicePixelRatio) const
{
    if (devicePixelRatio > 1.0)
        return twoX_.isNull() ? oneX_ : twoX_;
    return oneX_.isNull() ? twoX_ : oneX_;
}

const QImage& Image::representation(const QPainter& painter) const
{
    const QTransform& transform = painter.worldTransform();
    const qreal transformScale = std::max(std::hypot(transform.m11(), transform.m12()),
                                          std::hypot(transform.m21(), transform.m22()));
    const qreal deviceRatio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    return representation(deviceRatio * transformScale);
}

void Image::draw(QPainter& painter, const QPointF& topLeft, qreal opacity) const
{
    draw(painter, QRectF(topLeft, size_), opacity);
}

void Image::draw(QPainter& painter, const QRectF& target, qreal opacity) const
{
    if (isNull() || target.isEmpty())
        return;
    const QImage& image = representation(painter);
    const qreal ratio = image.devicePixelRatio();

    const qreal oldOpacity = painter.opacity();
    painter.setOpacity(oldOpacity * opacity);

    // Source edges in the image's pixels, target edges in points, for the three columns and
    // rows of the slicing; empty caps collapse their column or row.
    const auto [left, right] = fitCaps(capInsets_.left, capInsets_.right, target.width());
    const auto [top, bottom] = fitCaps(capInsets_.top, capInsets_.bottom, target.height());
    const qreal sx[4] = {0, capInsets_.left * ratio, image.width() - capInsets_.right * ratio, qreal(image.width())};
    const qreal sy[4] = {0, capInsets_.top * ratio, image.height() - capInsets_.bottom * ratio, qreal(image.height())};
    const qreal tx[4] = {target.left(), target.left() + left, target.right() - right, target.right()};
    const qreal ty[4] = {target.top(), target.top() + top, target.bottom() - bottom, target.bottom()};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRectF source(QPointF(sx[column], sy[row]), QPointF(sx[column + 1], sy[row + 1]));
            const QRectF slice(QPointF(tx[column], ty[row]), QPointF(tx[column + 1], ty[row + 1]));
            if (source.width() > 0 && source.height() > 0 && slice.width() > 0 && slice.height() > 0)
                painter.drawImage(slice, image, source);
        }
    }
    painter.setOpacity(oldOpacity);
}

} // namespace tarnkit
