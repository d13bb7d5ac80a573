#pragma once

#include "platform/update/UserDriver.h"

#include "platform/foundation/Bundle.h"

#include <QUrl>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

namespace update {

class UpdaterDelegate;

/// Checks a host application's appcast for a newer release and tells the user through its
/// user driver. It only informs: nothing is downloaded or installed.
///
/// A check fetches the feed the delegate names through the fetch layer (never blocking the
/// main thread), reads its items and compares the newest item's version with the host bundle's
/// "CFBundleShortVersionString" by version weight (the effect's own check weighs versions the
/// same way, so both agree on what is newer). The feed must be HTTPS; plain HTTP is taken only
/// from this machine (127.0.0.1, ::1, localhost), for local testing. Only checks the user asks
/// for run: there are no scheduled checks.
///
/// Main thread. The updater does not own its user driver or its delegate; both must outlive it.
class Updater {
public:
    Updater(foundation::Bundle hostBundle, UserDriver& userDriver, UpdaterDelegate* delegate);
    ~Updater();
    Updater(const Updater&) = delete;
    Updater& operator=(const Updater&) = delete;

    /// Allows checks from now on. Later calls do nothing.
    void startUpdater();
    bool isStarted() const { return started_; }

    /// Starts a check the user asked for. While one runs, it starts no second one and brings
    /// the first to the user's attention instead. Before startUpdater it tells the user that
    /// the updater is not running.
    void checkForUpdates();
    /// A check is running (it started and has not ended or been cancelled).
    bool sessionInProgress() const { return session_.has_value(); }

    /// The host's name ("CFBundleName", else the application's name) and version ("Unknown"
    /// when the bundle has none).
    HostDescription host() const;

    /// How long fetching the feed may take before the check fails (15 s by default).
    void setFeedTimeout(std::chrono::milliseconds timeout) { feedTimeout_ = timeout; }
    std::chrono::milliseconds feedTimeout() const { return feedTimeout_; }

    /// The feed address the delegate gives, checked: empty with error set when there is none
    /// or it may not be used.
    QUrl feedURL(QString* error) const;

private:
    void finish(std::uint64_t session, const QByteArray& body, int statusCode, const QString& fetchError);

    foundation::Bundle hostBundle_;
    UserDriver& userDriver_;
    UpdaterDelegate* delegate_;
    bool started_ = false;
    std::optional<std::uint64_t> session_;
    std::uint64_t lastSession_ = 0;
    std::chrono::milliseconds feedTimeout_{15'000};
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace update
