#pragma once

#include "Tarnkit/Controls/ButtonCell.h"
#include "Tarnkit/Foundation/ControlStyle.h"

// The steps the styled button cells share: their title and their image drawing. Main thread.
namespace tarnkit {

/// A button title: the string in font and color, centred and truncated at the tail.
AttributedString centredTitle(const QString& string, const QFont& font, const QColor& color);

/// Where an image of size is drawn for a frame (y-up), by scaling: proportionallyDown and
/// proportionallyUpOrDown keep the image's size at (max(x, min(x + W, w) − w),
/// max(y, min(y + H, h) − h)); axesIndependently fills the frame; none centres it in the frame
/// (the frame's origin plus offsets rounded to whole points). Any other value stops the
/// program ("Unhandled image scaling value").
Rect scaledImageRect(const Size& size, const Rect& frame, ImageScaling scaling);

/// Draws style's bezel image for the cell's state into rect as the styled buttons and pop-ups
/// do: at half opacity while the cell is disabled, tinted when a template; nothing without an
/// image.
void drawStyledBezel(const ButtonCell& cell, const ControlStyle& style, QPainter& painter, const Rect& rect,
                     const QWidget& view);

/// The intrinsic size of a bordered styled button with a bezel image: at least minimumWidth
/// wide (size's width when more) and as high as the bezel, both less the alignment insets.
Size bezelSizedIntrinsicSize(const Size& size, const Image& bezel, const EdgeInsets& insets, double minimumWidth);

/// Draws image into frame as the styled buttons do: at scaledImageRect of the cell's scaling,
/// at half opacity while the cell is highlighted or disabled, tinted when a template.
void drawStyledButtonImage(const ButtonCell& cell, QPainter& painter, const ImageRef& image, const Rect& frame,
                           const QWidget& view);

} // namespace tarnkit
