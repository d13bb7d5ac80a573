#include "Tarnkit/Foundation/WindowHelpers.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace tarnkit::window {

namespace {

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("a window is placed off the main thread", "Tarnkit/WindowHelpers", line);
}

double primaryScreenHeight()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry().height() : 0.0;
}

void moveFrameTo(QWidget* window, const Rect& screenFrame)
{
    const QPointF topLeft = fromScreenSpace(screenFrame).topLeft();
    window->move(static_cast<int>(std::lround(topLeft.x())), static_cast<int>(std::lround(topLeft.y())));
}

/// The view's rect in y-up screen coordinates, or none when it is not in a shown window.
std::optional<Rect> screenRect(const QWidget* view)
{
    if (!view || !view->window()->isVisible())
        return std::nullopt;
    return toScreenSpace(QRectF(view->mapToGlobal(QPoint(0, 0)), view->size()));
}

} // namespace

Point centeredOrigin(const Rect& visibleFrame, const Rect& frame)
{
    return {visibleFrame.midX() - frame.width() * 0.5, visibleFrame.midY() - frame.height() * 0.5};
}

Point centeredHorizontallyOrigin(const Rect& visibleFrame, const Rect& frame, double topOffset)
{
    return {visibleFrame.midX() - frame.width() * 0.5, visibleFrame.maxY() - frame.height() - topOffset};
}

Rect frameCentered(const Rect& viewRect, const Size& windowSize)
{
    const double x = viewRect.minX() + std::round((viewRect.width() - windowSize.width) / 2);
    const double y = viewRect.minY() + std::round((viewRect.height() - windowSize.height) / 2);
    return Rect({x, y}, windowSize).integral();
}

Rect frameStandingOn(const Rect& viewRect, const Size& windowSize)
{
    const double x = viewRect.minX() + std::round((viewRect.width() - windowSize.width) / 2);
    return Rect({x, viewRect.maxY()}, windowSize).integral();
}

std::array<Point, shakeKeyframeCount> shakeKeyframes(const Rect& frame)
{
    const double x0 = frame.minX();
    const double y0 = frame.minY();
    const double d = 0.03 * frame.width();
    return {{{x0, y0},
             {x0 - d, y0},
             {x0 + d, y0},
             {x0 - d, y0},
             {x0 + d, y0},
             {x0 - d, y0},
             {x0 + d, y0},
             {x0, y0}}};
}

Rect toScreenSpace(const QRectF& qtGlobalRect)
{
    return VerticalFlip(Rect(0, 0, 0, primaryScreenHeight())).unmap(qtGlobalRect);
}

QRectF fromScreenSpace(const Rect& screenRect)
{
    return VerticalFlip(Rect(0, 0, 0, primaryScreenHeight())).map(screenRect);
}

Rect frame(const QWidget* window)
{
    return toScreenSpace(window->frameGeometry());
}

void properlyCenter(QWidget* window)
{
    requireMainThread(__LINE__);
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const Rect current = frame(window);
    moveFrameTo(window, Rect(centeredOrigin(toScreenSpace(screen->availableGeometry()), current), current.size));
}

void properlyCenterHorizontally(QWidget* window, double topOffset)
{
    requireMainThread(__LINE__);
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const Rect current = frame(window);
    const Point origin = centeredHorizontallyOrigin(toScreenSpace(screen->availableGeometry()), current, topOffset);
    moveFrameTo(window, Rect(origin, current.size));
}

void centerFrame(QWidget* window, const QWidget* view, bool display)
{
    requireMainThread(__LINE__);
    const auto rect = screenRect(view);
    if (!rect)
        return;
    moveFrameTo(window, frameCentered(*rect, frame(window).size));
    if (display)
        window->repaint();
}

void horizontallyCenterFrame(QWidget* window, const QWidget* view, bool display)
{
    requireMainThread(__LINE__);
    const auto rect = screenRect(view);
    if (!rect)
        return;
    moveFrameTo(window, frameStandingOn(*rect, frame(window).size));
    if (display)
        window->repaint();
}

double titlebarHeight(const QWidget* window)
{
    return window->frameGeometry().height() - window->geometry().height();
}

QPropertyAnimation* shake(QWidget* window)
{
    requireMainThread(__LINE__);
    const Rect current = frame(window);
    const auto keyframes = shakeKeyframes(current);
    const QPoint start = window->pos();

    auto* animation = new QPropertyAnimation(window, "pos", window);
    animation->setDuration(static_cast<int>(std::lround(shakeDuration * 1000)));
    for (int i = 0; i < shakeKeyframeCount; ++i) {
        // Only x moves; y stays where it is in either coordinate system.
        const double dx = keyframes[static_cast<std::size_t>(i)].x - current.x();
        animation->setKeyValueAt(double(i) / (shakeKeyframeCount - 1),
                                 QPoint(start.x() + static_cast<int>(std::lround(dx)), start.y()));
    }
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return animation;
}

} // namespace tarnkit::window
