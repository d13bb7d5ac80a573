#pragma once

#include <QImage>
#include <QMap>
#include <QRectF>
#include <QString>

namespace tarnkit::gallery {

/// One sheet with every colour and every image of the library's bundle, each with its name,
/// and where each was drawn (in points).
struct GallerySheet {
    QImage image;                    ///< device pixel ratio = the scale asked for
    QMap<QString, QRectF> colors;    ///< asset name -> its swatch
    QMap<QString, QRectF> images;    ///< asset name -> the image at its natural size
    QMap<QString, QRectF> stretched; ///< sliced assets -> the image stretched by its caps
};

/// Draws the sheet at scale device pixels per point (1 or 2 pick the representations). Needs a
/// QGuiApplication for the text. Main thread.
GallerySheet renderGallery(qreal scale);

} // namespace tarnkit::gallery
