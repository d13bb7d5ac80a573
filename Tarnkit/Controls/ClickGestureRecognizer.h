#pragma once

#include "Tarnkit/Controls/GestureRecognizer.h"

namespace tarnkit {

/// A single click: a left press released inside the view after travelling less than
/// dragThreshold points. It is recognised at the release (state ended, the action runs);
/// a press that travels further or is released outside fails. Main thread only.
class ClickGestureRecognizer : public GestureRecognizer {
    Q_OBJECT
public:
    ClickGestureRecognizer(QWidget* view, Action action);

protected:
    void press(const Point& location, qint64 timestamp) override;
    void move(const Point& location, qint64 timestamp) override;
    void release(const Point& location, qint64 timestamp) override;

private:
    bool tooFar(const Point& location) const;

    Point start_;
    bool failed_ = false;
};

} // namespace tarnkit
