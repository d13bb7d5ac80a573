#pragma once

#include "platform/update/StandardUpdaterController.h"
#include "platform/update/UpdaterDelegate.h"

#include <memory>

namespace zindleapp {

/// The update framework's delegate: names the product's update feed. It owns the update
/// controller that the start-up sequence makes with it as the delegate; the application and
/// its delegate share the one helper for the life of the process. Main thread.
class SparkleHelper final : public update::UpdaterDelegate {
public:
    /// updaterController starts empty.
    SparkleHelper();

    /// Set once during start-up, never cleared.
    std::unique_ptr<update::StandardUpdaterController> updaterController;

    /// The product's appcast: update::feedUrl() (HTTPS, path "/zindle/zindle.xml";
    /// the effect's own check reads the same feed).
    QString feedURLString(const update::Updater& updater) override;
};

} // namespace zindleapp
