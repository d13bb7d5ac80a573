#include "Tarnkit/Controls/GestureRecognizer.h"

#include "Tarnkit/Controls/Cell.h"

#include "platform/foundation/MainQueue.h"

#include <QMouseEvent>
#include <QWidget>

namespace tarnkit {

GestureRecognizer::GestureRecognizer(QWidget* view, Action action)
    : QObject(view), view_(view), action_(std::move(action))
{
    foundation::mainQueue::requireMainThread("a gesture recogniser is used off the main thread",
                                             "Tarnkit/GestureRecognizer", __LINE__);
    view->installEventFilter(this);
}

GestureRecognizer::~GestureRecognizer() = default;

void GestureRecognizer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled && tracking_) {
        tracking_ = false;
        cancel();
    }
}

Point GestureRecognizer::location(const QWidget* in) const
{
    const QWidget* own = view_.data();
    if (!own)
        return {};
    const QWidget* target = in ? in : own;
    const QPointF local = target == own ? toQt(lastLocation_) : target->mapFrom(own, toQt(lastLocation_));
    return viewFlip(*target).unmap(local);
}

Point GestureRecognizer::locationOf(const QMouseEvent& event) const
{
    return viewFlip(*view_).unmap(event.position());
}

void GestureRecognizer::cancel()
{
    setState(isActive() ? GestureState::cancelled : GestureState::failed);
}

void GestureRecognizer::setState(GestureState state)
{
    state_ = state;
    if (state == GestureState::possible || state == GestureState::failed || !action_)
        return;
    action_(*this);
}

bool GestureRecognizer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != view_ || !enabled_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !tracking_) {
            tracking_ = true;
            lastLocation_ = fromQt(mouse->position());
            state_ = GestureState::possible;
            press(locationOf(*mouse), qint64(mouse->timestamp()));
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (tracking_ && (mouse->buttons() & Qt::LeftButton)) {
            lastLocation_ = fromQt(mouse->position());
            move(locationOf(*mouse), qint64(mouse->timestamp()));
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (tracking_ && mouse->button() == Qt::LeftButton) {
            tracking_ = false;
            lastLocation_ = fromQt(mouse->position());
            release(locationOf(*mouse), qint64(mouse->timestamp()));
        }
        break;
    }
    case QEvent::Hide:
        if (tracking_) {
            tracking_ = false;
            cancel();
        }
        break;
    default:
        break;
    }
    // Never holds an event back (and touches nothing more: the action may have ended the view).
    return false;
}

} // namespace tarnkit
