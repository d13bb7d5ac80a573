#include "platform/ui/Stack.h"

#include <QChildEvent>
#include <QEvent>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

/// An empty, flexible gap; it never takes a click.
class Spacer final : public QWidget {
public:
    Spacer(Axis axis, qreal minLength) : minLength_(minLength)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        const bool horizontal = axis != Axis::vertical;
        const bool vertical = axis != Axis::horizontal;
        setSizePolicy(horizontal ? QSizePolicy::Expanding : QSizePolicy::Fixed,
                      vertical ? QSizePolicy::Expanding : QSizePolicy::Fixed);
        axis_ = axis;
    }

    QSize sizeHint() const override
    {
        const int length = int(std::ceil(minLength_));
        switch (axis_) {
        case Axis::horizontal: return QSize(length, 0);
        case Axis::vertical: return QSize(0, length);
        case Axis::overlay: return QSize(0, 0);
        }
        return QSize();
    }

private:
    qreal minLength_;
    Axis axis_ = Axis::overlay;
};

qreal along(QSizeF size, Qt::Orientation orientation)
{
    return orientation == Qt::Horizontal ? size.width() : size.height();
}

bool expands(const QWidget& widget, Qt::Orientation orientation)
{
    const QSizePolicy policy = widget.sizePolicy();
    const QSizePolicy::Policy p = orientation == Qt::Horizontal ? policy.horizontalPolicy() : policy.verticalPolicy();
    return (p & QSizePolicy::ExpandFlag) != 0;
}

/// Where a box of size length goes in a space [start, start + space) for an alignment on one
/// orientation.
qreal alignedStart(qreal start, qreal space, qreal length, Qt::Alignment alignment, Qt::Orientation orientation)
{
    const Qt::Alignment a = alignment & (orientation == Qt::Horizontal ? Qt::AlignHorizontal_Mask : Qt::AlignVertical_Mask);
    if (a & (Qt::AlignLeft | Qt::AlignTop))
        return start;
    if (a & (Qt::AlignRight | Qt::AlignBottom))
        return start + space - length;
    return start + (space - length) / 2;
}

/// Whole points, rounding the edges (not the size) so that neighbours stay neighbours.
QRect snapped(const QRectF& rect)
{
    const int left = int(std::round(rect.left()));
    const int top = int(std::round(rect.top()));
    const int right = int(std::round(rect.right()));
    const int bottom = int(std::round(rect.bottom()));
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

Stack::Stack(Axis axis, qreal spacing, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), axis_(axis), spacing_(spacing), alignment_(alignment)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

Stack::~Stack() = default;

void Stack::setPadding(QMarginsF padding)
{
    padding_ = padding;
    childrenChanged();
}

void Stack::addWidget(QWidget* child, Placement placement)
{
    child->setParent(this);
    child->raise(); // later children are drawn, and hit, above earlier ones
    items_.push_back(Item{child, std::move(placement)});
    if (!isHidden())
        child->show();
    childrenChanged();
}

QWidget* Stack::addSpacer(qreal minLength)
{
    return add(new Spacer(axis_, minLength));
}

void Stack::remove(QWidget* child)
{
    const auto it = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return item.widget == child; });
    if (it == items_.end())
        return;
    items_.erase(it);
    child->setParent(nullptr);
    childrenChanged();
}

std::vector<QWidget*> Stack::children() const
{
    std::vector<QWidget*> result;
    result.reserve(items_.size());
    for (const Item& item : items_)
        result.push_back(item.widget);
    return result;
}

const Placement* Stack::placement(const QWidget* child) const
{
    for (const Item& item : items_) {
        if (item.widget == child)
            return &item.placement;
    }
    return nullptr;
}

bool Stack::isFlexible(const Item& item, Qt::Orientation orientation) const
{
    if (item.placement.frame) {
        const auto& dimension = orientation == Qt::Horizontal ? item.placement.frame->width : item.placement.frame->height;
        if (dimension)
            return false;
    }
    return expands(*item.widget, orientation);
}

QSizeF Stack::itemNaturalSize(const Item& item) const
{
    QSizeF size = item.widget->sizeHint().expandedTo(QSize(0, 0));
    if (const auto& frame = item.placement.frame) {
        if (frame->width)
            size.setWidth(*frame->width);
        if (frame->height)
            size.setHeight(*frame->height);
    }
    const QMarginsF& padding = item.placement.padding;
    return QSizeF(size.width() + padding.left() + padding.right(), size.height() + padding.top() + padding.bottom());
}

QRectF Stack::placeInSlot(const Item& item, const QRectF& slot) const
{
    const QRectF framed = slot.marginsRemoved(item.placement.padding);
    QRectF content = framed;
    const auto& frame = item.placement.frame;
    // A centred stack fills its frame: it centres its content itself, and its children moved
    // by offsets then have the frame's room.
    const bool fillsFrame = dynamic_cast<const Stack*>(item.widget) && frame && frame->alignment == Qt::AlignCenter;
    if (frame && !fillsFrame) {
        const QSizeF natural = item.widget->sizeHint().expandedTo(QSize(0, 0));
        const qreal width = expands(*item.widget, Qt::Horizontal) ? framed.width() : natural.width();
        const qreal height = expands(*item.widget, Qt::Vertical) ? framed.height() : natural.height();
        content = QRectF(alignedStart(framed.left(), framed.width(), width, frame->alignment, Qt::Horizontal),
                         alignedStart(framed.top(), framed.height(), height, frame->alignment, Qt::Vertical), width,
                         height);
    }
    return content.translated(item.placement.offset);
}

QSizeF Stack::naturalSize() const
{
    qreal width = 0;
    qreal height = 0;
    int shown = 0;
    for (const Item& item : items_) {
        if (item.widget->isHidden())
            continue;
        const QSizeF size = itemNaturalSize(item);
        ++shown;
        switch (axis_) {
        case Axis::horizontal:
            width += size.width();
            height = std::max(height, size.height());
            break;
        case Axis::vertical:
            height += size.height();
            width = std::max(width, size.width());
            break;
        case Axis::overlay:
            width = std::max(width, size.width());
            height = std::max(height, size.height());
            break;
        }
    }
    if (shown > 1 && axis_ == Axis::horizontal)
        width += spacing_ * (shown - 1);
    if (shown > 1 && axis_ == Axis::vertical)
        height += spacing_ * (shown - 1);
    return QSizeF(std::max(0.0, width + padding_.left() + padding_.right()),
                  std::max(0.0, height + padding_.top() + padding_.bottom()));
}

std::vector<QRectF> Stack::arrange(QSizeF size) const
{
    std::vector<QRectF> rects(items_.size());
    const QRectF inner = QRectF(QPointF(0, 0), size).marginsRemoved(padding_);

    if (axis_ == Axis::overlay) {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            const Item& item = items_[i];
            const QSizeF natural = itemNaturalSize(item);
            const qreal width = isFlexible(item, Qt::Horizontal) ? inner.width() : natural.width();
            const qreal height = isFlexible(item, Qt::Vertical) ? inner.height() : natural.height();
            const QRectF slot(alignedStart(inner.left(), inner.width(), width, alignment_, Qt::Horizontal),
                              alignedStart(inner.top(), inner.height(), height, alignment_, Qt::Vertical), width, height);
            rects[i] = placeInSlot(item, slot);
        }
        return rects;
    }

    const Qt::Orientation mainAxis = axis_ == Axis::horizontal ? Qt::Horizontal : Qt::Vertical;
    const Qt::Orientation crossAxis = axis_ == Axis::horizontal ? Qt::Vertical : Qt::Horizontal;
    const qreal mainSpace = along(inner.size(), mainAxis);
    const qreal crossSpace = along(inner.size(), crossAxis);

    qreal naturalTotal = 0;
    int shown = 0;
    int flexibleCount = 0;
    for (const Item& item : items_) {
        if (item.widget->isHidden())
            continue;
        ++shown;
        naturalTotal += along(itemNaturalSize(item), mainAxis);
        if (isFlexible(item, mainAxis))
            ++flexibleCount;
    }
    if (shown > 1)
        naturalTotal += spacing_ * (shown - 1);
    const qreal leftover = std::max(0.0, mainSpace - naturalTotal);
    const qreal flexibleExtra = flexibleCount > 0 ? leftover / flexibleCount : 0;
    const qreal mainStart = along(QSizeF(inner.left(), inner.top()), mainAxis);
    qreal position = flexibleCount > 0 ? mainStart : mainStart + (mainSpace - naturalTotal) / 2;
    const qreal crossStart = along(QSizeF(inner.left(), inner.top()), crossAxis);

    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Item& item = items_[i];
        if (item.widget->isHidden())
            continue;
        const QSizeF natural = itemNaturalSize(item);
        qreal length = along(natural, mainAxis);
        if (isFlexible(item, mainAxis))
            length += flexibleExtra;
        const qreal cross = isFlexible(item, crossAxis) ? crossSpace : along(natural, crossAxis);
        const qreal crossPosition = alignedStart(crossStart, crossSpace, cross, alignment_, crossAxis);
        const QRectF slot = mainAxis == Qt::Horizontal ? QRectF(position, crossPosition, length, cross)
                                                       : QRectF(crossPosition, position, cross, length);
        rects[i] = placeInSlot(item, slot);
        position += length + spacing_;
    }
    return rects;
}

QSize Stack::sizeHint() const
{
    const QSizeF size = naturalSize();
    return QSize(int(std::ceil(size.width() - 1e-6)), int(std::ceil(size.height() - 1e-6)));
}

QSize Stack::minimumSizeHint() const
{
    return QSize(0, 0);
}

void Stack::childrenChanged()
{
    bool horizontal = false;
    bool vertical = false;
    for (const Item& item : items_) {
        horizontal = horizontal || isFlexible(item, Qt::Horizontal);
        vertical = vertical || isFlexible(item, Qt::Vertical);
    }
    setSizePolicy(horizontal ? QSizePolicy::Expanding : QSizePolicy::Fixed,
                  vertical ? QSizePolicy::Expanding : QSizePolicy::Fixed);
    updateGeometry();
    relayout();
}

void Stack::setLayoutRect(const QRectF& rect)
{
    // Children moved by offsets may reach past the layout rect: the widget grows to hold them
    // (the grown part is transparent and takes no clicks), and the layout keeps its origin.
    const QRect geometry = snapped(rect + overflow(rect.size()));
    layoutRect_ = QRectF(rect.topLeft() - QPointF(geometry.topLeft()), rect.size());
    if (geometry == this->geometry())
        relayout();
    else
        setGeometry(geometry);
}

QMarginsF Stack::overflow(QSizeF size) const
{
    const std::vector<QRectF> rects = arrange(size);
    const QRectF bounds(QPointF(0, 0), size);
    QRectF reach = bounds;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].widget->isHidden())
            continue;
        QRectF rect = rects[i];
        if (const auto* child = dynamic_cast<const Stack*>(items_[i].widget))
            rect = rect + child->overflow(rect.size());
        reach = reach.united(rect);
    }
    return QMarginsF(bounds.left() - reach.left(), bounds.top() - reach.top(), reach.right() - bounds.right(),
                     reach.bottom() - bounds.bottom());
}

void Stack::relayout()
{
    const std::vector<QRectF> rects = arrange(layoutRect_.size());
    for (std::size_t i = 0; i < items_.size(); ++i) {
        QWidget* child = items_[i].widget;
        if (child->isHidden())
            continue;
        const QRectF rect = rects[i].translated(layoutRect_.topLeft());
        if (auto* stack = dynamic_cast<Stack*>(child))
            stack->setLayoutRect(rect);
        else
            child->setGeometry(snapped(rect));
    }
    updateHitRegion();
}

void Stack::updateHitRegion()
{
    // A window (a stack taken out of its parent) is no layer of anything.
    if (isWindow())
        return;
    // Only the children take clicks: the union of their shapes (a child stack's own region,
    // else its rect), so an empty part of an upper layer lets the click through.
    QRegion region;
    for (const Item& item : items_) {
        QWidget* child = item.widget;
        if (child->isHidden() || child->testAttribute(Qt::WA_TransparentForMouseEvents))
            continue;
        const QRegion shape = child->mask().isEmpty() ? QRegion(child->rect()) : child->mask();
        region += shape.translated(child->pos());
    }
    // An empty mask means "no mask": a stack without clickable children takes no clicks at all.
    setAttribute(Qt::WA_TransparentForMouseEvents, region.isEmpty());
    if (region.isEmpty())
        clearMask();
    else if (region != mask())
        setMask(region);
    if (auto* parent = dynamic_cast<Stack*>(parentWidget()))
        parent->updateHitRegion();
}

bool Stack::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::LayoutRequest:
        childrenChanged();
        return true;
    case QEvent::ChildRemoved: {
        auto* removed = static_cast<QChildEvent*>(event)->child();
        const auto it = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return item.widget == removed; });
        if (it != items_.end()) {
            items_.erase(it);
            childrenChanged();
        }
        break;
    }
    default: break;
    }
    return QWidget::event(event);
}

void Stack::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Sized by anything but a parent stack, the whole widget is the layout rect.
    if (!dynamic_cast<Stack*>(parentWidget()))
        layoutRect_ = QRectF(QPointF(0, 0), QSizeF(size()));
    relayout();
}

} // namespace ui
