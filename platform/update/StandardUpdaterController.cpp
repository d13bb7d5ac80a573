#include "platform/update/StandardUpdaterController.h"

namespace update {

StandardUpdaterController::StandardUpdaterController(bool startingUpdater, UpdaterDelegate* updaterDelegate,
                                                     std::optional<foundation::Bundle> hostBundle)
    : delegate_(updaterDelegate),
      updater_(hostBundle ? std::move(*hostBundle) : foundation::Bundle::main(), userDriver_, updaterDelegate),
      startedAtConstruction_(startingUpdater)
{
    if (startingUpdater)
        updater_.startUpdater();
}

void StandardUpdaterController::checkForUpdates(const void*)
{
    updater_.checkForUpdates();
}

} // namespace update
