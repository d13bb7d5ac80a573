#pragma once

#include "Zindle/AppDelegate.h"
#include "Zindle/SparkleHelper.h"

#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace zindleapp {

class MainWindow;

/// The application: its start-up, its one window and its application menu.
///
/// Start-up (the constructor), in this order: the delegate is made (its helper empty); the
/// SparkleHelper is made; the update controller is made with starting false and the helper as
/// its delegate, and stored in the helper; the controller is started; the delegate gets the same
/// helper. The application and the delegate hold the one helper for the life of the process.
///
/// The application menu: "About" (the standard about panel), a divider, "Check for
/// Updates…" (through this object's own helper), then a divider and "Quit Zindle". Main thread,
/// with a QApplication.
class ZindleApp {
public:
    /// Makes the update controller of step 3 (the standard one unless tests say otherwise).
    using ControllerFactory = std::function<std::unique_ptr<update::StandardUpdaterController>(
        bool startingUpdater, update::UpdaterDelegate* delegate)>;

    explicit ZindleApp(ControllerFactory makeController = {});
    ~ZindleApp();
    ZindleApp(const ZindleApp&) = delete;
    ZindleApp& operator=(const ZindleApp&) = delete;

    const std::shared_ptr<SparkleHelper>& sparkleHelper() const { return sparkleHelper_; }
    AppDelegate& appDelegate() { return *appDelegate_; }

    /// The window "main", made with fresh content the first time (a new model, debug mode off,
    /// buttons 180 points wide), shown and brought to the front.
    MainWindow& showMainWindow();
    /// The window when it exists.
    MainWindow* mainWindow() const { return window_; }

    QMenu& applicationMenu() const { return *menu_; }
    QAction& aboutAction() const { return *about_; }
    QAction& checkForUpdatesAction() const { return *checkForUpdates_; }

private:
    // The menu's "Check for Updates…": through the application's own helper.
    void checkForUpdates();

    std::shared_ptr<SparkleHelper> sparkleHelper_;
    std::unique_ptr<AppDelegate> appDelegate_;
    std::unique_ptr<QMenu> menu_;
    QAction* about_ = nullptr;
    QAction* checkForUpdates_ = nullptr;
    QPointer<MainWindow> window_;
};

} // namespace zindleapp
