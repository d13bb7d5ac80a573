#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace zindleapp {

/// Keeps one running application per user: the first launch becomes the one instance and
/// listens on a local socket; a later launch hands its links to it over that socket and ends.
/// That is how a link the desktop opens (the plug-in's update notice, through the
/// x-scheme-handler/zindle entry) reaches the running application.
///
/// Who is first is decided by a lock file beside the socket, held for the life of the
/// instance. A crashed instance leaves both behind: its lock names a process that is gone, so
/// the next launch takes the lock over, removes the dead socket and listens afresh.
///
/// start() needs no application object, so a later launch hands over before any display
/// connection or GL library exists; listen() needs one. Main thread.
class SingleInstance {
public:
    enum class Role {
        /// This launch is the one instance: it listens once listen() is called (or, when
        /// errorString says so, it could not make its lock or socket and runs alone).
        primary,
        /// The running instance took this launch's links: this one may end.
        handedOver,
        /// Another instance holds the lock but did not answer.
        failed,
    };

    /// name: the socket's path; the lock file is its path with ".lock" added.
    explicit SingleInstance(QString name = defaultName());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// The socket of the user's instance: in $XDG_RUNTIME_DIR when set, else in the
    /// temporary directory under the user's id.
    static QString defaultName();

    /// Becomes the one instance, or hands urls (perhaps none: then the running instance just
    /// comes to the front) to the running one, waiting up to handOverTime for it to answer.
    /// Needs no QCoreApplication.
    Role start(const QStringList& urls, int handOverTime = 5000);
    /// On the primary, once the application object exists: takes later launches' links.
    void listen();
    /// Why start failed, or what a primary instance could not set up; empty when all is well.
    const QString& errorString() const { return error_; }

    /// On the one instance: called on the main thread with what each later launch handed over.
    std::function<void(const QStringList& urls)> onDelivery;

private:
    bool handOver(const QStringList& urls, int handOverTime);

    QString name_;
    QLockFile lock_;
    bool primary_ = false;
    std::unique_ptr<QLocalServer> server_;
    QString error_;
};

} // namespace zindleapp
