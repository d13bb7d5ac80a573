#pragma once

#include "OstrelShaders/FullViewRenderer.h"
#include "OstrelShaders/RendererEnvironment.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/shaderview/ShaderView.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace ostrelshaders {

/// What the module's three view controllers share. A controller hosts a shader view inside
/// the view it is given, builds it and its renderer when that view appears (once per
/// appearance), drops both when it disappears, and stops the animation while the window
/// holding the view is not the key window.
///
/// The view's show and hide (not a minimised window's) drive viewWillAppear() /
/// viewDidAppear() and viewDidDisappear(); they can also be called directly. The controller
/// does not own the view; destroying the controller removes the shader view and the
/// controller's window notifications. Main thread only.
class ShaderViewController : public QObject {
public:
    ~ShaderViewController() override;

    QWidget* view() const { return view_; }
    /// The shader view; null before the view appears and after it disappears.
    shaderview::ShaderView* metalKitView() const { return metalKitView_; }

    void viewWillAppear();
    void viewDidAppear();
    void viewDidDisappear();

    /// Window notifications: only those about the window holding the view count.
    void handleDidBecomeKey(const foundation::Notification& notification);
    void handleDidResignKey(const foundation::Notification& notification);

protected:
    ShaderViewController(QWidget* view, RendererEnvironment environment, QObject* parent);

    /// Builds the renderer for a new shader view; may throw (the controller then shows
    /// nothing in the shader view).
    virtual std::unique_ptr<FullViewRenderer> makeRenderer(shaderview::ShaderView& view) = 0;
    /// Right after a renderer was built.
    virtual void rendererDidLoad() {}

    FullViewRenderer* baseRenderer() const { return renderer_.get(); }
    const RendererEnvironment& environment() const { return environment_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isAboutOurWindow(const foundation::Notification& notification) const;
    void removeShaderView();

    QPointer<QWidget> view_;
    QPointer<shaderview::ShaderView> metalKitView_;
    std::unique_ptr<FullViewRenderer> renderer_;
    RendererEnvironment environment_;
};

} // namespace ostrelshaders
