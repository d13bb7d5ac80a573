#include "platform/ui/ViewController.h"

#include <QEvent>

namespace ui {

/// Tells the controller when its view has been shown in a window.
class ViewController::AppearanceWatcher final : public QObject {
public:
    AppearanceWatcher(ViewController& controller, QWidget& view) : QObject(&view), controller_(controller)
    {
        view.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            controller_.viewDidAppear();
        return false;
    }

private:
    ViewController& controller_;
};

ViewController::ViewController() = default;

ViewController::~ViewController()
{
    // Children first: their views may live inside this one.
    children_.clear();
    if (view_ && !view_->parentWidget())
        delete view_.data();
    else
        // A view a host keeps outlives its controller, and must not call it any more.
        delete watcher_.data();
}

QWidget* ViewController::view()
{
    if (!view_) {
        view_ = loadView();
        watcher_ = new AppearanceWatcher(*this, *view_);
        viewDidLoad();
    }
    return view_;
}

QWidget* ViewController::loadView()
{
    return new QWidget;
}

ViewController& ViewController::addChild(std::unique_ptr<ViewController> child)
{
    children_.push_back(std::move(child));
    return *children_.back();
}

HostingController::HostingController(std::function<QWidget*()> root) : root_(std::move(root)) {}

QWidget* HostingController::loadView()
{
    return root_();
}

} // namespace ui
