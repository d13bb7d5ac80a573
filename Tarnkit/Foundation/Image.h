#pragma once

#include "Tarnkit/Foundation/StyleValues.h"

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace tarnkit {

/// A named image with its 1x and 2x representations and its slicing: the cap insets (in
/// points, top, left, bottom, right) stay unscaled when the image is drawn into a larger or
/// smaller rect, and only the middle stretches. A template image is a shape: only its alpha
/// counts, and the cells tint it with their text colour before drawing (renderedIfTemplate in
/// ImageOperations.h). Immutable; shared through ImageRef.
class Image {
public:
    /// oneX and twoX are the representations at 1 and 2 pixels per point; either may be null
    /// (the other then serves every scale). Both null: a null image that draws nothing.
    Image(QString name, QImage oneX, QImage twoX, EdgeInsets capInsets = {}, bool isTemplate = false);

    const QString& name() const { return name_; }
    bool isNull() const { return oneX_.isNull() && twoX_.isNull(); }
    /// The natural size in points.
    QSizeF size() const { return size_; }
    const EdgeInsets& capInsets() const { return capInsets_; }
    bool isTemplate() const { return isTemplate_; }
    /// Width / height of size().
    qreal aspectRatio() const { return size_.width() / size_.height(); }
    /// The rect at the origin with the image's size.
    QRectF bounds() const { return QRectF(QPointF(0, 0), size_); }
    /// The representations as given (null when absent), for operations that make new images.
    const QImage& oneX() const { return oneX_; }
    const QImage& twoX() const { return twoX_; }

    /// The representation for drawing at that many device pixels per point: 2x above 1,
    /// else 1x, falling back to whichever exists. Its device pixel ratio is set.
    const QImage& representation(qreal devicePixelRatio) const;
    /// The representation draw() uses on painter: by its device's pixel ratio times the scale
    /// of its transform.
    const QImage& representation(const QPainter& painter) const;

    /// Draws into target (in the painter's coordinates), slicing by the cap insets; caps wider
    /// than the target shrink in proportion. Picks the representation by the painter's device
    /// pixel ratio and scale. Main thread (drawing code), or any thread on a private painter.
    void draw(QPainter& painter, const QRectF& target, qreal opacity = 1.0) const;
    /// Draws at the natural size with its top left corner at topLeft.
    void draw(QPainter& painter, const QPointF& topLeft, qreal opacity = 1.0) const;

private:
    QString name_;
    QImage oneX_;
    QImage twoX_;
    QSizeF size_;
    EdgeInsets capInsets_;
    bool isTemplate_ = false;
};

} // namespace tarnkit
