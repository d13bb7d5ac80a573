#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>
#include <type_traits>
#include <utility>

class QEvent;

namespace tarnkit {

/// A view whose content is built in code, in setupView(). Make one with XiblessView::make<V>(),
/// which runs setupView() right after construction (a constructor cannot reach an override);
/// a view made otherwise runs it, once, before it is first polished or shown. Main thread.
///
/// There is no archive form of a widget here (designer files build widgets through their
/// ordinary constructors), so no archive initialiser exists to refuse.
class XiblessView : public QWidget {
    Q_OBJECT
public:
    template <typename V, typename... Args>
    static std::unique_ptr<V> make(Args&&... args)
    {
        static_assert(std::is_base_of_v<XiblessView, V>);
        auto view = std::make_unique<V>(std::forward<Args>(args)...);
        static_cast<XiblessView*>(view.get())->runSetup();
        return view;
    }

    /// Whether setupView() has run.
    bool isSetUp() const { return setUp_; }

protected:
    explicit XiblessView(QWidget* parent = nullptr);

    /// Builds the content; empty here.
    virtual void setupView() {}

    bool event(QEvent* event) override;

private:
    void runSetup();

    bool setUp_ = false;
};

/// A controller of a root view of type V built in code: the view is made the first time it is
/// asked for (XiblessView::make for an XiblessView, else V's plain constructor). The controller
/// owns the view until the view is given a parent. Main thread.
template <typename V>
class XiblessVC {
    static_assert(std::is_base_of_v<QWidget, V>);

public:
    XiblessVC() = default;
    XiblessVC(const XiblessVC&) = delete;
    XiblessVC& operator=(const XiblessVC&) = delete;
    virtual ~XiblessVC()
    {
        if (view_ && !view_->parent())
            delete view_.data();
    }

    /// The root view, made on first use.
    QWidget* view()
    {
        if (!view_)
            loadView();
        return view_;
    }
    bool isViewLoaded() const { return !view_.isNull(); }

    /// The root view as a V.
    V* contentView() { return static_cast<V*>(view()); }

protected:
    /// Makes the root view.
    virtual void loadView()
    {
        if constexpr (std::is_base_of_v<XiblessView, V>)
            setView(XiblessView::make<V>());
        else
            setView(std::make_unique<V>());
    }

    void setView(std::unique_ptr<V> view) { view_ = view.release(); }

private:
    QPointer<QWidget> view_;
};

} // namespace tarnkit
