#pragma once

#include <QMarginsF>
#include <QPointF>
#include <QWidget>

#include <optional>
#include <vector>

namespace ui {

/// How a stack arranges its children: side by side, one above the other, or on top of each
/// other (the first at the back).
enum class Axis { horizontal, vertical, overlay };

/// A fixed frame around a child: the given dimensions replace the child's own; the child keeps
/// its natural size inside (or fills a dimension it is flexible in) and is aligned in it.
struct Frame {
    std::optional<qreal> width{};
    std::optional<qreal> height{};
    Qt::Alignment alignment = Qt::AlignCenter;
};

/// Where a child goes in its stack, applied in this order: its frame, padding around that,
/// then an offset that moves it without moving anything else.
struct Placement {
    std::optional<Frame> frame{};
    QMarginsF padding{};
    QPointF offset{};
};

/// A stack: lays its children out along an axis with a spacing (negative spacing overlaps
/// them), aligned on the other axis, inside its own padding.
///
/// Sizes: a child's natural size is its sizeHint; a child whose size policy expands along an
/// orientation (a spacer, a flexible view, a stack holding one) shares the space left over
/// along the axis, or fills the stack across it. Without flexible children the content is
/// centred in the space the stack is given. A stack is flexible along an orientation when one
/// of its children is.
///
/// Hit testing: a click lands on the topmost child under it; where no child is, the stack is
/// transparent to the pointer, so an overlay's upper layers do not hide the controls below.
///
/// Main thread.
class Stack : public QWidget {
public:
    explicit Stack(Axis axis, qreal spacing = 0, Qt::Alignment alignment = Qt::AlignCenter, QWidget* parent = nullptr);
    ~Stack() override;

    Axis axis() const { return axis_; }
    qreal spacing() const { return spacing_; }
    Qt::Alignment alignment() const { return alignment_; }
    /// Space inside the stack around its content.
    void setPadding(QMarginsF padding);
    QMarginsF padding() const { return padding_; }

    /// Adds child (the stack takes it) after the others; returns it.
    template <typename W>
    W* add(W* child, Placement placement = {})
    {
        addWidget(child, std::move(placement));
        return child;
    }
    /// A flexible gap along the axis, at least minLength points long.
    QWidget* addSpacer(qreal minLength = 8);
    /// Takes child out (it is not deleted).
    void remove(QWidget* child);

    std::vector<QWidget*> children() const;
    const Placement* placement(const QWidget* child) const;

    /// The rect each child gets in a stack of size size (the stack's own coordinates), in the
    /// order of children(): the layout, without moving anything.
    std::vector<QRectF> arrange(QSizeF size) const;
    /// The natural size of the stack: its content with spacing and padding.
    QSizeF naturalSize() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// Lays the stack out in rect (its parent's coordinates). The widget may be larger than
    /// rect, by as much as offset children reach outside it. Called by a parent stack.
    void setLayoutRect(const QRectF& rect);
    /// The rect the content is laid out in, in the stack's own coordinates.
    QRectF layoutRect() const { return layoutRect_; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Item {
        QWidget* widget;
        Placement placement;
    };

    void addWidget(QWidget* child, Placement placement);
    void childrenChanged();
    void relayout();
    void updateHitRegion();
    bool isFlexible(const Item& item, Qt::Orientation orientation) const;
    QSizeF itemNaturalSize(const Item& item) const;
    QRectF placeInSlot(const Item& item, const QRectF& slot) const;
    /// How far the content laid out in size reaches past it on each side.
    QMarginsF overflow(QSizeF size) const;

    Axis axis_;
    qreal spacing_;
    Qt::Alignment alignment_;
    QMarginsF padding_;
    std::vector<Item> items_;
    QRectF layoutRect_;
};

/// A stack side by side (horizontal), one above the other (vertical) or layered (overlay).
inline Stack* hstack(qreal spacing = 0, Qt::Alignment alignment = Qt::AlignCenter, QWidget* parent = nullptr)
{
    return new Stack(Axis::horizontal, spacing, alignment, parent);
}
inline Stack* vstack(qreal spacing = 0, Qt::Alignment alignment = Qt::AlignCenter, QWidget* parent = nullptr)
{
    return new Stack(Axis::vertical, spacing, alignment, parent);
}
inline Stack* zstack(Qt::Alignment alignment = Qt::AlignCenter, QWidget* parent = nullptr)
{
    return new Stack(Axis::overlay, 0, alignment, parent);
}

} // namespace ui
