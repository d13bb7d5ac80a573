#include "Tarnkit/Foundation/ViewSugar.h"

#include "Tarnkit/Foundation/FirstResponder.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/ViewSugar";

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("a view is used off the main thread", source, line);
}

/// The target's rect in the coordinates the view's geometry is given in.
QRectF targetRectFor(const QWidget* view, const QWidget* target)
{
    const QWidget* parent = view->parentWidget();
    if (target == parent)
        return target->rect();
    if (parent && target->parentWidget() == parent)
        return target->geometry();
    const QPoint global = target->mapToGlobal(QPoint(0, 0));
    return QRectF(parent ? parent->mapFromGlobal(global) : global, target->size());
}

QRect roundedRect(const QRectF& rect)
{
    const int left = static_cast<int>(std::lround(rect.left()));
    const int top = static_cast<int>(std::lround(rect.top()));
    const int right = static_cast<int>(std::lround(rect.right()));
    const int bottom = static_cast<int>(std::lround(rect.bottom()));
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

/// Kept on a pinned view: its pinning, re-applied whenever the target moves or resizes.
class PinLink : public QObject {
    Q_OBJECT
public:
    PinLink(QWidget* view, Pinning pinning) : QObject(view), view_(view), pinning_(std::move(pinning))
    {
        pinning_.target->installEventFilter(this);
        apply();
    }

    const Pinning& pinning() const { return pinning_; }

    void apply()
    {
        if (!pinning_.target)
            return;
        const QRectF frame = pinning_.frame(targetRectFor(view_, pinning_.target), view_->geometry(),
                                            view_->layoutDirection());
        view_->setGeometry(roundedRect(frame));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == pinning_.target) {
            switch (event->type()) {
            case QEvent::Resize:
            case QEvent::Move:
            case QEvent::LayoutDirectionChange: apply(); break;
            default: break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* view_;
    Pinning pinning_;
};

/// Kept on each view of a key-view sequence: where Tab and Shift+Tab lead from it.
class KeyViewLink : public QObject {
    Q_OBJECT
public:
    explicit KeyViewLink(QWidget* view) : QObject(view), view_(view) { view->installEventFilter(this); }

    QPointer<QWidget> next;
    QPointer<QWidget> previous;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == view_ && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool backwards = key->key() == Qt::Key_Backtab
                || (key->key() == Qt::Key_Tab && key->modifiers().testFlag(Qt::ShiftModifier));
            const bool forwards = key->key() == Qt::Key_Tab && !backwards;
            QWidget* const destination = forwards ? next.data() : backwards ? previous.data() : nullptr;
            if (destination) {
                destination->setFocus(forwards ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* view_;
};

template <typename Link>
Link* linkOf(const QWidget* view)
{
    return view->findChild<Link*>(QString(), Qt::FindDirectChildrenOnly);
}

void collectSubviews(const QWidget* view, const ViewPredicate& predicate, std::vector<QWidget*>& found)
{
    const auto children = view->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (predicate(child))
            found.push_back(child);
    }
    for (QWidget* child : children)
        collectSubviews(child, predicate, found);
}

} // namespace

Pinning Pinning::toAllSides(QWidget* target, const EdgeInsets& insets)
{
    return Pinning{target,
                   {{LayoutEdge::leading, insets.left},
                    {LayoutEdge::trailing, -insets.right},
                    {LayoutEdge::bottom, -insets.bottom},
                    {LayoutEdge::top, insets.top}}};
}

QRectF Pinning::frame(const QRectF& targetRect, const QRectF& current, Qt::LayoutDirection direction) const
{
    // Solved left to right, then mirrored inside the target for right-to-left layouts.
    const bool mirrored = direction == Qt::RightToLeft;
    auto mirror = [&](double x) { return targetRect.left() + targetRect.right() - x; };
    double left = mirrored ? mirror(current.right()) : current.left();
    double right = mirrored ? mirror(current.left()) : current.right();
    double top = current.top();
    double bottom = current.bottom();
    for (const EdgeConstraint& constraint : constraints) {
        switch (constraint.edge) {
        case LayoutEdge::leading: left = targetRect.left() + constraint.constant; break;
        case LayoutEdge::trailing: right = targetRect.right() + constraint.constant; break;
        case LayoutEdge::top: top = targetRect.top() + constraint.constant; break;
        case LayoutEdge::bottom: bottom = targetRect.bottom() + constraint.constant; break;
        }
    }
    if (mirrored)
        std::tie(left, right) = std::pair(mirror(right), mirror(left));
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

void anchorToAllSidesOf(QWidget* view, QWidget* target, const EdgeInsets& insets)
{
    requireMainThread(__LINE__);
    if (!target)
        return;
    delete linkOf<PinLink>(view);
    new PinLink(view, Pinning::toAllSides(target, insets));
}

std::optional<Pinning> pinning(const QWidget* view)
{
    if (const auto* link = linkOf<PinLink>(view))
        return link->pinning();
    return std::nullopt;
}

std::unique_ptr<QFrame> dividerView()
{
    auto divider = std::make_unique<QFrame>();
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    divider->setGeometry(0, 0, 50, 1);
    return divider;
}

std::unique_ptr<QWidget> spacerView()
{
    auto spacer = std::make_unique<QWidget>();
    spacer->setGeometry(0, 0, 0, 0);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return spacer;
}

std::vector<std::unique_ptr<QWidget>> removeAllSubviews(QWidget* view)
{
    requireMainThread(__LINE__);
    std::vector<std::unique_ptr<QWidget>> removed;
    for (QWidget* child : view->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        child->setParent(nullptr);
        removed.emplace_back(child);
    }
    return removed;
}

void setNextKeyViewSequence(std::span<QWidget* const> views)
{
    requireMainThread(__LINE__);
    const std::size_t count = views.size();
    for (std::size_t i = 0; i < count; ++i) {
        QWidget* view = views[i];
        auto* link = linkOf<KeyViewLink>(view);
        if (!link)
            link = new KeyViewLink(view);
        link->next = views[(i + 1) % count];
        link->previous = views[(i + count - 1) % count];
        if (i + 1 < count && views[i + 1] != view)
            QWidget::setTabOrder(view, views[i + 1]);
    }
}

QWidget* nextKeyView(const QWidget* view)
{
    const auto* link = linkOf<KeyViewLink>(view);
    return link ? link->next.data() : nullptr;
}

std::vector<QWidget*> subviews(const QWidget* view, const ViewPredicate& predicate)
{
    requireMainThread(__LINE__);
    std::vector<QWidget*> found;
    collectSubviews(view, predicate, found);
    return found;
}

QWidget* firstSubview(const QWidget* view, const ViewPredicate& predicate)
{
    const auto found = subviews(view, predicate);
    return found.empty() ? nullptr : found.front();
}

QWidget* firstSuperview(const QWidget* view, const ViewPredicate& predicate)
{
    requireMainThread(__LINE__);
    for (QWidget* ancestor = view->parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (predicate(ancestor))
            return ancestor;
    }
    return nullptr;
}

bool isFirstResponderInCurrentWindow(const QWidget* view)
{
    requireMainThread(__LINE__);
    const QWidget* window = hostWindow(view);
    const QWidget* responder = window ? window->focusWidget() : nullptr;
    if (!responder)
        return false;
    // While editing, the first responder is the view's field editor rather than the view.
    if (isFieldEditor(responder) && responder == currentEditor(view))
        return true;
    return responder == view;
}

double singlePixelLineWidth(const QWidget* view)
{
    const QWindow* window = view->window()->windowHandle();
    return window ? 1.0 / window->devicePixelRatio() : 1.0;
}

std::optional<QPixmap> snapshotImage(QWidget* view)
{
    requireMainThread(__LINE__);
    if (view->size().isEmpty())
        return std::nullopt;
    QPixmap picture = view->grab();
    if (picture.isNull())
        return std::nullopt;
    return picture;
}

std::unique_ptr<QLabel> snapshotView(QWidget* view)
{
    const auto picture = snapshotImage(view);
    if (!picture)
        return nullptr;
    auto label = std::make_unique<QLabel>();
    label->setPixmap(*picture);
    label->setGeometry(view->geometry());
    return label;
}

TextRange nsRange(const QString& text) { return {0, text.size()}; }

QRectF verticallyCenteredRect(const QRectF& rect, double measuredHeight)
{
    return QRectF(rect.x(), rect.y() + (rect.height() - measuredHeight) * 0.5, rect.width(), rect.height());
}

void drawVerticallyCentered(QPainter& painter, const QString& text, const QRectF& rect)
{
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF measured = QFontMetricsF(painter.font(), painter.device()).boundingRect(rect, flags, text);
    painter.drawText(verticallyCenteredRect(rect, measured.height()), flags, text);
}

} // namespace tarnkit

#include "ViewSugar.moc"
