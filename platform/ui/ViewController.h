#pragma once

#include <QPointer>
#include <QSizeF>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace ui {

/// Owns a view and takes part in its life: the view is made on first demand (loadView, then
/// viewDidLoad), and viewDidAppear runs each time the view is shown in a window. A host puts
/// the view where it likes (a window takes it over); the controller deletes it only when
/// nobody else has. Child controllers live as long as their parent. Main thread.
class ViewController {
public:
    ViewController();
    virtual ~ViewController();
    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;

    /// The view, made and loaded on the first call.
    QWidget* view();
    bool isViewLoaded() const { return view_ != nullptr; }

    /// The size the view would like to have, in points; empty when it has no preference.
    QSizeF preferredContentSize() const { return preferredContentSize_; }
    void setPreferredContentSize(QSizeF size) { preferredContentSize_ = size; }

    /// Keeps child for as long as this controller lives.
    ViewController& addChild(std::unique_ptr<ViewController> child);
    const std::vector<std::unique_ptr<ViewController>>& children() const { return children_; }

protected:
    /// Makes the view; the default is an empty widget.
    virtual QWidget* loadView();
    virtual void viewDidLoad() {}
    /// The view is on screen in its window (window() is set).
    virtual void viewDidAppear() {}

private:
    class AppearanceWatcher;

    QPointer<QWidget> view_;
    QPointer<QObject> watcher_;
    QSizeF preferredContentSize_;
    std::vector<std::unique_ptr<ViewController>> children_;
};

/// A controller whose view is a given widget (a declarative root view).
class HostingController : public ViewController {
public:
    /// root is made when the view is first asked for.
    explicit HostingController(std::function<QWidget*()> root);

protected:
    QWidget* loadView() override;

private:
    std::function<QWidget*()> root_;
};

} // namespace ui
