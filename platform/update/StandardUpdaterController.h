#pragma once

#include "platform/update/StandardUserDriver.h"
#include "platform/update/Updater.h"

#include "platform/foundation/Bundle.h"

#include <optional>

namespace update {

class UpdaterDelegate;

/// The updater with its standard user interface, as a host application keeps it for its life:
/// made on the main thread, optionally started at once, and asked for checks from a menu item
/// or a link. Main thread.
class StandardUpdaterController {
public:
    /// startingUpdater false leaves the start to startUpdater(). The delegate is not owned and
    /// must outlive the controller. hostBundle is the application checked for (the main bundle
    /// when empty).
    StandardUpdaterController(bool startingUpdater, UpdaterDelegate* updaterDelegate,
                              std::optional<foundation::Bundle> hostBundle = std::nullopt);
    virtual ~StandardUpdaterController() = default;
    StandardUpdaterController(const StandardUpdaterController&) = delete;
    StandardUpdaterController& operator=(const StandardUpdaterController&) = delete;

    void startUpdater() { updater_.startUpdater(); }
    /// A check the user asked for; sender (the menu item, or null) is not used. Virtual, so a
    /// host's tests can count the checks it asks for.
    virtual void checkForUpdates(const void* sender);

    Updater& updater() { return updater_; }
    const Updater& updater() const { return updater_; }
    StandardUserDriver& userDriver() { return userDriver_; }
    UpdaterDelegate* updaterDelegate() const { return delegate_; }
    /// Whether the constructor started the updater.
    bool startedAtConstruction() const { return startedAtConstruction_; }

private:
    StandardUserDriver userDriver_; // before updater_, which refers to it
    UpdaterDelegate* delegate_;
    Updater updater_;
    bool startedAtConstruction_;
};

} // namespace update
