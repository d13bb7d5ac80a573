#include "Zindle/ZindleApp.h"

#include "Zindle/AboutPanel.h"
#include "Zindle/AppResources.h"
#include "Zindle/ContentView.h"
#include "Zindle/ContentViewModel.h"
#include "Zindle/MainWindow.h"

#include "platform/foundation/MainQueue.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>

namespace zindleapp {

namespace {

constexpr std::string_view source = "Zindle/ZindleApp";
constexpr qreal buttonWidth = 180;

QString localized(const char* key)
{
    return QCoreApplication::translate("Zindle", key);
}

std::unique_ptr<update::StandardUpdaterController> standardController(bool startingUpdater,
                                                                      update::UpdaterDelegate* delegate)
{
    return std::make_unique<update::StandardUpdaterController>(startingUpdater, delegate);
}

} // namespace

ZindleApp::ZindleApp(ControllerFactory makeController)
{
    foundation::mainQueue::requireMainThread("ZindleApp.init() called off the main thread", source, __LINE__);
    if (!makeController)
        makeController = standardController;
    appDelegate_ = std::make_unique<AppDelegate>();
    sparkleHelper_ = std::make_shared<SparkleHelper>();
    sparkleHelper_->updaterController = makeController(false, sparkleHelper_.get());
    sparkleHelper_->updaterController->startUpdater();
    appDelegate_->sparkleHelper = sparkleHelper_;

    QGuiApplication::setWindowIcon(QIcon(QPixmap::fromImage(ImageResource::appIcon().image(2.0))));

    menu_ = std::make_unique<QMenu>(localized("Zindle"));
    about_ = menu_->addAction(localized("About"));
    QObject::connect(about_, &QAction::triggered, [] {
        foundation::mainQueue::requireMainThread("About called off the main thread", source, __LINE__);
        orderFrontStandardAboutPanel();
    });
    menu_->addSeparator();
    checkForUpdates_ = menu_->addAction(localized("Check for Updates\u2026"));
    QObject::connect(checkForUpdates_, &QAction::triggered, [this] { checkForUpdates(); });
    menu_->addSeparator();
    QAction* quit = menu_->addAction(localized("Quit Zindle"));
    quit->setShortcut(QKeySequence::Quit);
    QObject::connect(quit, &QAction::triggered, [] { QCoreApplication::quit(); });
}

ZindleApp::~ZindleApp()
{
    delete window_.data();
}

void ZindleApp::checkForUpdates()
{
    foundation::mainQueue::requireMainThread("Check for Updates called off the main thread", source, __LINE__);
    if (sparkleHelper_->updaterController)
        sparkleHelper_->updaterController->checkForUpdates(nullptr);
}

MainWindow& ZindleApp::showMainWindow()
{
    foundation::mainQueue::requireMainThread("the window is built off the main thread", source, __LINE__);
    if (!window_) {
        auto* content = new ContentView(std::make_shared<ContentViewModel>(), false, buttonWidth);
        window_ = new MainWindow(content, menu_.get());
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    return *window_;
}

} // namespace zindleapp
