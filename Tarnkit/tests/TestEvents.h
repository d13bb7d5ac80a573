#pragma once

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace tarnkit::testing {

/// Delivers a mouse event at pos (the widget's Qt coordinates) with the given timestamp (ms),
/// as the window system would, through the widget's event filters.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPointF pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons, ulong timestamp = 0, Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, modifiers);
    event.setTimestamp(timestamp);
    QApplication::sendEvent(widget, &event);
}

inline void press(QWidget* widget, QPointF pos, ulong timestamp = 0, Qt::KeyboardModifiers modifiers = {})
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton, timestamp, modifiers);
}
inline void drag(QWidget* widget, QPointF pos, ulong timestamp = 0)
{
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton, timestamp);
}
inline void release(QWidget* widget, QPointF pos, ulong timestamp = 0)
{
    sendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton, timestamp);
}

/// A trackpad scroll of pixelDelta points (positive y: upwards).
inline void scroll(QWidget* widget, QPoint pixelDelta, bool inverted = false)
{
    const QPointF pos(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(pos, widget->mapToGlobal(pos), pixelDelta, pixelDelta * 3, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, inverted);
    QApplication::sendEvent(widget, &event);
}

inline void key(QWidget* widget, QEvent::Type type, int code, Qt::KeyboardModifiers modifiers = {})
{
    QKeyEvent event(type, code, modifiers);
    QApplication::sendEvent(widget, &event);
}

/// What widget draws, on a transparent background, at one pixel per point.
inline QImage picture(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace tarnkit::testing
