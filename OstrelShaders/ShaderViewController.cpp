#include "OstrelShaders/ShaderViewController.h"

#include "platform/ui/ViewAnchoring.h"
#include "platform/shaderview/MainThread.h"
#include "platform/shaderview/WindowKeyNotifications.h"

#include <QEvent>

namespace ostrelshaders {

using foundation::Notification;
using foundation::NotificationCenter;
using shaderview::ShaderView;

namespace {
constexpr std::string_view source = "OstrelShaders/ShaderViewController";
}

ShaderViewController::ShaderViewController(QWidget* view, RendererEnvironment environment, QObject* parent)
    : QObject(parent), view_(view), environment_(std::move(environment))
{
    shaderview::requireMainThread(source, __LINE__);
    if (view)
        view->installEventFilter(this);
    shaderview::startWindowKeyNotifications();
}

ShaderViewController::~ShaderViewController()
{
    NotificationCenter::defaultCenter().removeObserver(this);
    removeShaderView();
}

void ShaderViewController::viewWillAppear()
{
    shaderview::requireMainThread(source, __LINE__);
    if (metalKitView_ || !view_)
        return;
    auto* shaderView = new ShaderView(environment_.systemDefaultDevice(), view_);
    shaderView->setGeometry(view_->rect());
    metalKitView_ = shaderView;
    ui::anchorToAllSidesOf(*shaderView, view_, QMargins());
    shaderView->setColorPixelFormat(shaderview::PixelFormat::rgba16Float);
    shaderView->setPreferredFramesPerSecond(60);
    try {
        renderer_ = makeRenderer(*shaderView);
    } catch (const std::exception&) {
        // No device, or shaders that do not build: the view stays empty; nothing to tell.
        renderer_.reset();
    }
    if (renderer_)
        rendererDidLoad();
    shaderView->setDelegate(renderer_.get());
    shaderView->show();
}

void ShaderViewController::viewDidAppear()
{
    shaderview::requireMainThread(source, __LINE__);
    if (metalKitView_)
        metalKitView_->setPaused(false);
    auto& center = NotificationCenter::defaultCenter();
    center.addObserver(this, shaderview::windowDidBecomeKeyNotification, nullptr,
                       [this](const Notification& n) { handleDidBecomeKey(n); });
    center.addObserver(this, shaderview::windowDidResignKeyNotification, nullptr,
                       [this](const Notification& n) { handleDidResignKey(n); });
}

void ShaderViewController::viewDidDisappear()
{
    shaderview::requireMainThread(source, __LINE__);
    removeShaderView();
}

void ShaderViewController::removeShaderView()
{
    if (ShaderView* shaderView = metalKitView_) {
        shaderView->setPaused(true);
        shaderView->setDelegate(nullptr);
        delete shaderView;
    }
    metalKitView_ = nullptr;
    renderer_.reset();
}

bool ShaderViewController::isAboutOurWindow(const Notification& notification) const
{
    return view_ && notification.object && notification.object == view_->window();
}

void ShaderViewController::handleDidBecomeKey(const Notification& notification)
{
    shaderview::requireMainThread(source, __LINE__);
    if (!isAboutOurWindow(notification))
        return;
    if (renderer_)
        renderer_->resume();
    if (metalKitView_)
        metalKitView_->setPaused(false);
}

void ShaderViewController::handleDidResignKey(const Notification& notification)
{
    shaderview::requireMainThread(source, __LINE__);
    if (!isAboutOurWindow(notification))
        return;
    if (renderer_)
        renderer_->pause();
    if (metalKitView_)
        metalKitView_->setPaused(true);
}

bool ShaderViewController::eventFilter(QObject* watched, QEvent* event)
{
    // A minimised window's hide and show are spontaneous: the animation just waits.
    if (watched == view_ && !event->spontaneous()) {
        if (event->type() == QEvent::Show) {
            viewWillAppear();
            viewDidAppear();
        } else if (event->type() == QEvent::Hide) {
            viewDidDisappear();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ostrelshaders
