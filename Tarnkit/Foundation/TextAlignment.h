#pragma once

#include <Qt>

/// Text settings of the declarative views turned into their widget counterparts, so that a
/// widget can follow a view's alignment and truncation. Any thread.
namespace tarnkit {

/// Horizontal alignment of text in a view.
enum class TextAlignment { leading, center, trailing };

/// How a view shortens text that does not fit.
enum class TruncationMode { head, tail, middle };

/// leading → left, center → centre, trailing → right (Qt mirrors left and right for
/// right-to-left layouts).
Qt::Alignment nsTextAlignment(TextAlignment alignment);

/// head → elide the start, tail → elide the end, middle → elide the middle. Any other value is
/// a programming error that stops the program ("Unknown truncation mode").
Qt::TextElideMode nsLineBreakMode(TruncationMode mode);

} // namespace tarnkit
