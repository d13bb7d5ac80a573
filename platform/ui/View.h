#pragma once

#include "platform/ui/Gestures.h"

#include "platform/foundation/Observation.h"

#include <QSizeF>
#include <QWidget>

class QPainter;

namespace ui {

/// A view: a widget that paints itself and handles its own pointer input.
///
/// - Painting: paint() runs inside an observation scope, so a view repaints when, and only
///   when, a model property it read while painting changes.
/// - Size: its natural size (what a stack gives it) is set with setNaturalSize; a view that
///   should take whatever space it is offered says so with setFlexible.
/// - Input: gestures() recognises a drag and taps together on the view's mouse events, in the
///   view's own coordinates (points of the design, whatever scale it is shown at).
///
/// Main thread, like every view.
class View : public QWidget {
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    /// The size a stack lays the view out at, in points.
    void setNaturalSize(QSizeF size);
    QSizeF naturalSize() const { return naturalSize_; }
    /// Takes the space offered along these orientations instead of its natural size.
    void setFlexible(Qt::Orientations orientations);

    GestureRecognizer& gestures() { return gestures_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    /// Draws the view; what it reads of observable models decides the next repaint.
    virtual void paint(QPainter& painter) = 0;
    /// Called after a change of something paint() read, before the repaint it asks for.
    virtual void observedChange() {}

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QSizeF naturalSize_;
    GestureRecognizer gestures_;
    foundation::ObservationToken paintTracking_;
};

/// How many device pixels a point covers under a painter's current transform (device pixel
/// ratio and every scale in between). Picks the representation of an image to draw.
qreal pixelScale(const QPainter& painter);

/// Marks a view as a button for assistive technologies (its accessible role).
void setAccessibleButton(QWidget& view);

} // namespace ui
