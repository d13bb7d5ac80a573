#pragma once

#include "platform/update/Appcast.h"

#include <QString>

#include <functional>

namespace update {

/// Who the updater and the release it speaks of: the host's name and the version it runs.
struct HostDescription {
    QString name;
    QString version;
};

/// How an updater tells the user what its check found. The updater calls it on the main
/// thread, one check at a time: first showCheckStarted, then exactly one of the outcomes (or
/// nothing, when the user cancelled).
class UserDriver {
public:
    virtual ~UserDriver() = default;

    /// A check the user asked for has started; calling cancel (on the main thread, at most
    /// once) drops it, so no outcome follows.
    virtual void showCheckStarted(const HostDescription& host, std::function<void()> cancel) = 0;
    /// The feed lists nothing newer than the host's version.
    virtual void showUpdateNotFound(const HostDescription& host) = 0;
    /// The feed lists a newer release.
    virtual void showUpdateFound(const HostDescription& host, const AppcastItem& item) = 0;
    /// The check failed; message says why, in words.
    virtual void showUpdaterError(const HostDescription& host, const QString& message) = 0;
    /// The user asked again while a check runs: bring what is shown to the front.
    virtual void showUpdateInFocus() = 0;
};

} // namespace update
