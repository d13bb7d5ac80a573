#pragma once

#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/StyleValues.h"

#include <QByteArray>
#include <QColor>
#include <QImage>

#include <functional>
#include <optional>

namespace tarnkit {

// Operations that make new images from an image, each representation (1x, 2x) alike. Main
// thread (drawing code), or any thread for images no other thread touches.

/// A template image filled with color where it is opaque (composition source-in: the colour
/// keeps the image's alpha), as a new image that is not a template; any other image is
/// returned as the very same object.
ImageRef renderedIfTemplate(const ImageRef& image, const QColor& color);

/// A new image of the same size with image drawn into it at fraction opacity (source-over).
ImageRef withAlpha(const Image& image, qreal fraction);

/// A new image leadingPadding points wider, with image drawn at (leadingPadding, 0).
ImageRef withPadding(const Image& image, qreal leadingPadding);

/// A new image holding only the representations of image for which isIncluded is true (1x
/// first); an exception from isIncluded propagates and no image is made.
ImageRef filterRepresentations(const Image& image, const std::function<bool(const QImage&)>& isIncluded);

/// The bitmap image draws with on painter (see Image::representation: the painter's pixel
/// density chooses, not the size of the rect drawn into), or at 1x without a painter; none for
/// a null image. Every representation here is a bitmap, so the one chosen always is.
std::optional<QImage> firstBitmapImageRep(const Image& image, const QPainter* painter = nullptr);

/// The image as a 16-bit-per-channel PNG with alpha in the Display P3 colour space (an image
/// without a colour space is read as sRGB and converted); none when the image is null or a
/// step fails. Any thread.
std::optional<QByteArray> pngP3Data(const QImage& image);
/// The same for the image's most detailed representation (2x when it has one).
std::optional<QByteArray> pngP3Data(const Image& image);

} // namespace tarnkit
