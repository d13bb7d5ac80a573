#pragma once

#include <QColor>
#include <QFont>

#include <memory>

namespace tarnkit {

class Image;

/// Colours, fonts and images are shared, immutable objects: an alias hands out the very same
/// object as the member it names, while a value made anew is a distinct object of equal
/// content. Compare handles to ask "same object", dereference to compare values.
using ColorRef = std::shared_ptr<const QColor>;
using FontRef = std::shared_ptr<const QFont>;
using ImageRef = std::shared_ptr<const Image>;

/// Insets in points, in the order (top, left, bottom, right).
struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;

    friend constexpr bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

/// Insets in points for the layout-direction-aware views: (top, leading, bottom, trailing).
struct DirectionalEdgeInsets {
    double top = 0;
    double leading = 0;
    double bottom = 0;
    double trailing = 0;

    friend constexpr bool operator==(const DirectionalEdgeInsets&, const DirectionalEdgeInsets&) = default;
};

/// How the middle of a sliced image fills a larger rect.
enum class ImageResizingMode : int {
    tile = 0,
    stretch = 1,
};

/// The background a view's content is drawn over, as the cells report it.
enum class BackgroundStyle : int {
    normal = 0,
    emphasized = 1,
    raised = 2,
    lowered = 3,
};

/// The platform's clear colour: one shared object.
const ColorRef& clearColor();

/// The platform's control text colour in the fixed dark look (white at 85%): the colour the
/// styled cells tint template images with. One shared object.
const ColorRef& controlTextColor();

/// The platform's secondary label colour in the fixed dark look (white at 55%): the colour of
/// a pop-up's label before its title. One shared object.
const ColorRef& secondaryLabelColor();

} // namespace tarnkit
