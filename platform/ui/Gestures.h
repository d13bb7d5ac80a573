#pragma once

#include <QPointF>

#include <functional>
#include <vector>

class QMouseEvent;

namespace ui {

/// The Option modifier of click-and-drag gestures: Alt here.
inline constexpr Qt::KeyboardModifier optionModifier = Qt::AltModifier;

/// Where a drag is, in the local coordinates of the view that recognises it.
struct DragValue {
    QPointF location;
    QPointF startLocation;
    Qt::KeyboardModifiers modifiers;

    QPointF translation() const { return location - startLocation; }
};

/// A drag with the left button. Nothing is reported until the pointer has travelled
/// minimumDistance points from where it was pressed (0: the press itself is the first change);
/// then onChanged for that location and every later movement, and onEnded at the release.
struct DragGesture {
    qreal minimumDistance = 0;
    std::function<void(const DragValue&)> onChanged;
    std::function<void(const DragValue&)> onEnded;
};

/// A click (count 1) or double click (count 2) with the left button, ended by a release that
/// did not become a drag. It needs every modifier of modifiers held at the release (others may
/// be held too).
struct TapGesture {
    int count = 1;
    Qt::KeyboardModifiers modifiers;
    std::function<void()> onEnded;
};

/// Recognises one drag and any number of taps together on the mouse events of one view, the
/// way a declarative view's gestures run side by side: a press that never travels far enough
/// to start the drag can still end as a tap, and a drag that started never counts as a tap.
/// The view hands it its mouse events. Main thread.
class GestureRecognizer {
public:
    void setDrag(DragGesture drag) { drag_ = std::move(drag); }
    void addTap(TapGesture tap) { taps_.push_back(std::move(tap)); }
    bool isEmpty() const { return !drag_.onChanged && !drag_.onEnded && taps_.empty(); }

    /// Each returns whether it used the event (left button only).
    bool press(const QMouseEvent& event);
    /// Qt's second press of a double click.
    bool doubleClick(const QMouseEvent& event);
    bool move(const QMouseEvent& event);
    bool release(const QMouseEvent& event);

    /// Ends a gesture the platform took away (the view was hidden or lost the mouse): a drag
    /// that started ends where the pointer was last; no tap is reported.
    void cancel();

    bool isTracking() const { return tracking_; }
    bool isDragging() const { return dragging_; }

private:
    bool beginPress(const QMouseEvent& event, int clickCount);

    DragGesture drag_;
    std::vector<TapGesture> taps_;
    bool tracking_ = false;
    bool dragging_ = false;
    int clickCount_ = 0;
    DragValue value_;
};

} // namespace ui
