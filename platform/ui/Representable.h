#pragma once

#include <QResizeEvent>
#include <QWidget>

#include <concepts>
#include <memory>
#include <utility>

namespace ui {

/// What a representable's make and update steps are handed: its coordinator, made once.
template <typename Coordinator>
struct RepresentableContext {
    Coordinator& coordinator;
};

/// A representable is a value that describes a wrapped widget (an AppKit-style control): it
/// names the widget's type (NSViewType) and its Coordinator, makes the coordinator
/// (makeCoordinator, once), makes the widget (makeNSView) and brings a widget up to date with
/// itself (updateNSView), each step given the context.
template <typename R>
concept Representable = requires(const R& r, typename R::NSViewType& view,
                                 RepresentableContext<typename R::Coordinator>& context) {
    { r.makeCoordinator() } -> std::same_as<std::unique_ptr<typename R::Coordinator>>;
    { r.makeNSView(context) } -> std::same_as<typename R::NSViewType*>;
    r.updateNSView(view, context);
};

/// The view that shows a representable: it makes the coordinator and the widget once, fills
/// itself with the widget and takes the widget's size hint; each new value of the
/// representable (what rebuilding the enclosing view gives) updates the same widget through
/// the same coordinator. Main thread.
template <Representable R>
class RepresentableHost : public QWidget {
public:
    using View = typename R::NSViewType;
    using Coordinator = typename R::Coordinator;

    explicit RepresentableHost(R representable, QWidget* parent = nullptr)
        : QWidget(parent), representable_(std::move(representable)), coordinator_(representable_.makeCoordinator())
    {
        RepresentableContext<Coordinator> context{*coordinator_};
        view_ = representable_.makeNSView(context);
        view_->setParent(this);
        view_->show();
        setSizePolicy(view_->sizePolicy());
        resize(view_->sizeHint());
    }

    /// Updates the widget to representable.
    void setRepresentable(R representable)
    {
        representable_ = std::move(representable);
        RepresentableContext<Coordinator> context{*coordinator_};
        representable_.updateNSView(*view_, context);
        updateGeometry();
    }

    const R& representable() const { return representable_; }
    View& view() const { return *view_; }
    Coordinator& coordinator() const { return *coordinator_; }

    QSize sizeHint() const override { return view_->sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        view_->setGeometry(QRect(QPoint(0, 0), event->size()));
        QWidget::resizeEvent(event);
    }

private:
    R representable_;
    std::unique_ptr<Coordinator> coordinator_;
    View* view_ = nullptr; // a child: goes with the host
};

} // namespace ui
