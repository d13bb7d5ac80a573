#include "Tarnkit/Foundation/WindowController.h"

#include "Tarnkit/Foundation/SheetWindow.h"
#include "Tarnkit/Foundation/WindowHelpers.h"
#include "Tarnkit/Foundation/WindowState.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QEvent>
#include <QSettings>
#include <QVBoxLayout>

namespace tarnkit {

namespace {

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("a window controller is used off the main thread", "Tarnkit/WindowController", line);
}

} // namespace

QLayout::SizeConstraint sizeConstraint(HostingSizingOptions options)
{
    if (options.testFlag(HostingSizingOption::intrinsicContentSize))
        return QLayout::SetFixedSize;
    const bool minimum = options.testFlag(HostingSizingOption::minSize);
    const bool maximum = options.testFlag(HostingSizingOption::maxSize);
    if (minimum && maximum)
        return QLayout::SetMinAndMaxSize;
    if (minimum)
        return QLayout::SetMinimumSize;
    if (maximum)
        return QLayout::SetMaximumSize;
    return QLayout::SetNoConstraint;
}

WindowController::WindowController(const ContentFactory& rootView, Options options)
    : WindowController(Kind::ordinary, rootView, std::move(options))
{
}

std::unique_ptr<WindowController> WindowController::forSheet(const ContentFactory& rootSheetView, Options options)
{
    return std::unique_ptr<WindowController>(new WindowController(Kind::sheet, rootSheetView, std::move(options)));
}

WindowController::WindowController(Kind kind, const ContentFactory& rootView, Options options)
{
    requireMainThread(__LINE__);
    auto state = std::make_unique<WindowState>();
    std::unique_ptr<QWidget> content = rootView(*state);

    std::unique_ptr<QWidget> window;
    if (kind == Kind::sheet) {
        auto sheet = std::make_unique<SheetWindow>();
        sheet->setPreventsApplicationTerminationWhenModal(false);
        window = std::move(sheet);
    } else {
        window = std::make_unique<QWidget>(nullptr, Qt::Window);
    }
    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(sizeConstraint(options.sizingOptions));
    content_ = content.get();
    layout->addWidget(content.release());
    state->setParent(window.get());
    state_ = state.release();

    if (options.configure)
        options.configure(*window);

    window_ = window.release();
    window_->installEventFilter(this);
    if (options.frameName)
        setWindowFrameAutosaveName(*options.frameName);
    state_->setParentWindow(window_);
}

WindowController::~WindowController()
{
    if (!window_)
        return;
    saveFrame();
    window_->removeEventFilter(this);
    delete window_.data();
}

SheetWindow* WindowController::sheetWindow() const
{
    return qobject_cast<SheetWindow*>(window_.data());
}

QString WindowController::frameSettingsKey(const QString& name)
{
    return QStringLiteral("WindowFrames/") + name;
}

void WindowController::setWindowFrameAutosaveName(const QString& name)
{
    requireMainThread(__LINE__);
    frameName_ = name;
    if (name.isEmpty() || !window_)
        return;
    const QRect saved = QSettings().value(frameSettingsKey(name)).toRect();
    if (saved.isValid()) {
        restoring_ = true;
        window_->setGeometry(saved);
        restoring_ = false;
    }
}

void WindowController::saveFrame() const
{
    if (frameName_.isEmpty() || !window_)
        return;
    QSettings().setValue(frameSettingsKey(frameName_), window_->geometry());
}

void WindowController::showWindow(QObject* /*sender*/)
{
    requireMainThread(__LINE__);
    if (!window_)
        return;
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void WindowController::showWindowCentered(QObject* sender)
{
    showWindow(sender);
    // Once the window is shown and laid out; a window gone by then is left alone.
    foundation::mainQueue::async([shown = window_] {
        if (shown)
            window::properlyCenter(shown);
    });
}

bool WindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && !restoring_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Hide: saveFrame(); break;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarnkit
