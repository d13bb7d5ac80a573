#pragma once

#include "Tarnkit/Foundation/StyleValues.h"

#include <QPixmap>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

class QFrame;
class QLabel;
class QPainter;

/// Small additions for views built in code: pinning to another view, view-tree searches,
/// key-view cycles, snapshots, focus tests, spacer and divider views, and vertically centred
/// text. Main thread only.
namespace tarnkit {

// ---- pinning --------------------------------------------------------------------------------

/// An edge of a view. Leading and trailing follow the layout direction (left and right when it
/// runs left to right); their constants grow towards the trailing side, as a layout engine's do.
enum class LayoutEdge { leading, trailing, bottom, top };

/// view.edge = target.edge + constant (points; y grows downwards, so a negative bottom constant
/// lifts the view's bottom edge above the target's).
struct EdgeConstraint {
    LayoutEdge edge = LayoutEdge::leading;
    double constant = 0;

    friend bool operator==(const EdgeConstraint&, const EdgeConstraint&) = default;
};

/// The edges of a view tied to another view, and the frame they give it.
struct Pinning {
    QPointer<QWidget> target;
    std::vector<EdgeConstraint> constraints;

    /// The four edges to target, inset by insets, in the order leading (+left), trailing
    /// (−right), bottom (−bottom), top (+top).
    static Pinning toAllSides(QWidget* target, const EdgeInsets& insets);

    /// The frame these constraints give a view whose target occupies targetRect (in the view's
    /// parent coordinates); an edge without a constraint keeps its place in current.
    QRectF frame(const QRectF& targetRect, const QRectF& current,
                 Qt::LayoutDirection direction = Qt::LeftToRight) const;
};

/// Keeps view pinned to all sides of target with insets (top, left, bottom, right), following
/// the target when it moves or resizes. A null target does nothing at all. Pinning a view again
/// replaces its earlier pinning.
void anchorToAllSidesOf(QWidget* view, QWidget* target, const EdgeInsets& insets);

/// The pinning view follows, if any.
std::optional<Pinning> pinning(const QWidget* view);

// ---- construction ---------------------------------------------------------------------------

/// A new V at frame (its geometry in its parent's coordinates) whose object name is identifier,
/// the name findChild, style sheets and tests know it by (empty: none).
template <typename V = QWidget>
std::unique_ptr<V> makeView(const QRect& frame, const QString& identifier = {})
{
    static_assert(std::is_base_of_v<QWidget, V>);
    auto view = std::make_unique<V>();
    view->setGeometry(frame);
    view->setObjectName(identifier);
    return view;
}

/// A horizontal separator line, 50 × 1 at (0, 0).
std::unique_ptr<QFrame> dividerView();

/// An empty view that gives way first: it is the first to grow and the first to shrink.
std::unique_ptr<QWidget> spacerView();

/// Takes every child view out of view, in order, and hands them over (dropping them deletes
/// them).
std::vector<std::unique_ptr<QWidget>> removeAllSubviews(QWidget* view);

/// Tab moves from each view to the next and from the last back to the first (a single view
/// leads to itself); Shift+Tab goes the other way. An empty list does nothing.
void setNextKeyViewSequence(std::span<QWidget* const> views);

/// The view Tab leads to from view, as set by setNextKeyViewSequence; null when none.
QWidget* nextKeyView(const QWidget* view);

// ---- queries --------------------------------------------------------------------------------

using ViewPredicate = std::function<bool(QWidget*)>;

/// The matching direct children of view in order, then, for each direct child in order, its
/// own matches (all matching children of a view come before any deeper match under it).
std::vector<QWidget*> subviews(const QWidget* view, const ViewPredicate& predicate);

/// The first of subviews(view, predicate), or null.
QWidget* firstSubview(const QWidget* view, const ViewPredicate& predicate);

/// The nearest ancestor of view (never view itself) for which predicate holds, or null.
QWidget* firstSuperview(const QWidget* view, const ViewPredicate& predicate);

/// The nearest ancestor of view that is a T (or derives from it), or null.
template <typename T>
T* firstSuperview(const QWidget* view)
{
    return dynamic_cast<T*>(firstSuperview(view, [](QWidget* candidate) {
        return dynamic_cast<T*>(candidate) != nullptr;
    }));
}

/// Whether view is its window's first responder: the window's focus widget is view itself, or
/// is a field editor and view's current editor (FirstResponder.h: a styled control's own, a
/// combo or spin box's line edit). False for a view in no window or a window without a focus
/// widget.
bool isFirstResponderInCurrentWindow(const QWidget* view);

/// One device pixel in points: 1 / the device pixel ratio of view's window, 1 when the window
/// has no native window yet.
double singlePixelLineWidth(const QWidget* view);

/// A picture of view's current look, none when it has nothing to draw (an empty size).
std::optional<QPixmap> snapshotImage(QWidget* view);

/// A label showing snapshotImage(view) at view's geometry; none when there is no snapshot.
std::unique_ptr<QLabel> snapshotView(QWidget* view);

// ---- text -----------------------------------------------------------------------------------

/// A stretch of a text in UTF-16 code units, the units QString counts in (QString::mid,
/// QTextLayout::FormatRange, QInputMethodEvent::Attribute).
struct TextRange {
    qsizetype location = 0;
    qsizetype length = 0;

    friend bool operator==(const TextRange&, const TextRange&) = default;
};

/// The whole of text: location 0, length its size in UTF-16 code units (a character outside
/// the Basic Multilingual Plane counts two).
TextRange nsRange(const QString& text);

/// rect moved down by half of (rect height − measuredHeight); width and height unchanged.
QRectF verticallyCenteredRect(const QRectF& rect, double measuredHeight);

/// Draws text with the painter's font and pen, wrapped to rect's width, centred vertically in
/// rect (it is measured first, then drawn in verticallyCenteredRect).
void drawVerticallyCentered(QPainter& painter, const QString& text, const QRectF& rect);

} // namespace tarnkit
