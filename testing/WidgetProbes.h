#pragma once

#include <QEvent>
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QWidget>

/// Small probes the view tests share.
namespace testing_support {

/// Counts the paint events a widget gets, from now on.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

/// How many pixels of rect (points) differ from the picture's top-left pixel, its ground.
inline int inkIn(const QImage& image, const QRectF& rect)
{
    const qreal ratio = image.devicePixelRatio();
    const QRect pixels = QRectF(rect.topLeft() * ratio, rect.size() * ratio).toAlignedRect() & image.rect();
    const QRgb ground = image.pixel(0, 0);
    int ink = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            ink += image.pixel(x, y) != ground;
    return ink;
}

} // namespace testing_support
