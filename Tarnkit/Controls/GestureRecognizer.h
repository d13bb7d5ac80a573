#pragma once

#include "Tarnkit/Foundation/Geometry.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QMouseEvent;

namespace tarnkit {

/// Where a gesture is in its life, by raw value. A discrete gesture (a click) goes from
/// possible to ended ("recognised") or failed; a continuous one (a pan) from possible to
/// began, changed as it goes on, then ended or cancelled, or to failed before it began.
enum class GestureState : int {
    possible = 0,
    began = 1,
    changed = 2,
    ended = 3,
    cancelled = 4,
    failed = 5,
};

/// Recognises a gesture on the left-button mouse events of one view. It is added to the view
/// when made (a child of it) and watches the view's events without holding any back: the view
/// still receives every press, drag and release. Its action runs on each state a gesture
/// reaches (began, changed, ended, cancelled) but not on failing, which is silent. Hiding the
/// view or disabling the recogniser during a gesture cancels it. Locations are y-up points in
/// a view's bounds (Geometry.h). Main thread only.
class GestureRecognizer : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void(GestureRecognizer&)>;

    /// How far a press travels before it is a drag rather than a click: a click recogniser
    /// fails and a pan recogniser begins at this distance, so a press is never both.
    static constexpr double dragThreshold = 3;

    ~GestureRecognizer() override;

    GestureState state() const { return state_; }
    QWidget* view() const { return view_.data(); }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    /// The pointer's last location in view (y-up); the recogniser's own view when view is null.
    Point location(const QWidget* view = nullptr) const;

protected:
    GestureRecognizer(QWidget* view, Action action);

    /// A left press, a move while it is held, its release: the subclass moves the state on.
    virtual void press(const Point& location, qint64 timestamp) = 0;
    virtual void move(const Point& location, qint64 timestamp) = 0;
    virtual void release(const Point& location, qint64 timestamp) = 0;
    /// The gesture is taken away: a began or changed gesture is cancelled, a possible one fails.
    virtual void cancel();

    /// Moves to state and runs the action (unless the state is possible or failed).
    void setState(GestureState state);
    bool isActive() const { return state_ == GestureState::began || state_ == GestureState::changed; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Point locationOf(const QMouseEvent& event) const;

    QPointer<QWidget> view_;
    Action action_;
    GestureState state_ = GestureState::possible;
    bool enabled_ = true;
    bool tracking_ = false;
    Point lastLocation_; // in the view's Qt coordinates
};

} // namespace tarnkit
