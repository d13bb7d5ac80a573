#pragma once

#include "Tarnkit/Foundation/Geometry.h"

#include <QImage>
#include <QWidget>

#include <ostream>

namespace tarnkit {

// How failing checks show rects, sizes and insets.
inline std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}

inline std::ostream& operator<<(std::ostream& out, const Size& s)
{
    return out << "(" << s.width << " x " << s.height << ")";
}

inline std::ostream& operator<<(std::ostream& out, const EdgeInsets& i)
{
    return out << "(" << i.top << ", " << i.left << ", " << i.bottom << ", " << i.right << ")";
}

} // namespace tarnkit

namespace tarnkit::testing {

/// What the widget draws itself, over nothing (no window background): with its children (a
/// field editor) unless flags leave them out.
inline QImage picture(QWidget& widget, QWidget::RenderFlags flags = QWidget::DrawChildren)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), flags);
    return image;
}

} // namespace tarnkit::testing
