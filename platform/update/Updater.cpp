#include "platform/update/Updater.h"

#include "platform/update/Appcast.h"
#include "platform/update/FeedAddress.h"
#include "platform/update/UpdaterDelegate.h"
#include "platform/update/VersionWeight.h"

#include "platform/foundation/Fetch.h"
#include "platform/foundation/MainQueue.h"

#include <QCoreApplication>
#include <QHostAddress>

namespace update {

namespace {

constexpr std::string_view source = "platform/update/Updater";

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("the updater is used off the main thread", source, line);
}

bool isThisMachine(const QString& host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace

Updater::Updater(foundation::Bundle hostBundle, UserDriver& userDriver, UpdaterDelegate* delegate)
    : hostBundle_(std::move(hostBundle)), userDriver_(userDriver), delegate_(delegate)
{
    requireMainThread(__LINE__);
}

Updater::~Updater() = default;

void Updater::startUpdater()
{
    requireMainThread(__LINE__);
    started_ = true;
}

HostDescription Updater::host() const
{
    QString name = hostBundle_.infoString(QStringLiteral("CFBundleName"));
    if (name.isEmpty())
        name = QCoreApplication::applicationName();
    QString version = hostBundle_.shortVersionString();
    if (version.isEmpty())
        version = QStringLiteral("Unknown");
    return {name, version};
}

QUrl Updater::feedURL(QString* error) const
{
    const QString text = delegate_ ? delegate_->feedURLString(*this).trimmed() : QString();
    const QUrl url(text, QUrl::StrictMode);
    QString problem;
    if (text.isEmpty())
        problem = QStringLiteral("No update feed is set for this application.");
    else if (!url.isValid() || url.host().isEmpty())
        problem = QStringLiteral("The update feed address \u201c%1\u201d is not a valid web address.").arg(text);
    else if (url.scheme() != QLatin1String("https")
             && !(url.scheme() == QLatin1String("http") && isThisMachine(url.host())))
        problem = QStringLiteral("The update feed address \u201c%1\u201d is not secure: it must use HTTPS.").arg(text);
    if (error)
        *error = problem;
    return problem.isEmpty() ? url : QUrl();
}

void Updater::checkForUpdates()
{
    requireMainThread(__LINE__);
    if (session_) {
        userDriver_.showUpdateInFocus();
        return;
    }
    const HostDescription host = this->host();
    if (!started_) {
        userDriver_.showUpdaterError(host, QStringLiteral("The updater has not been started."));
        return;
    }
    QString error;
    const QUrl url = feedURL(&error);
    if (url.isEmpty()) {
        userDriver_.showUpdaterError(host, error);
        return;
    }

    const std::uint64_t session = ++lastSession_;
    session_ = session;
    userDriver_.showCheckStarted(host, [this, session, alive = std::weak_ptr<bool>(alive_)] {
        if (!alive.expired() && session_ == session)
            session_.reset();
    });
    foundation::fetch(url,
                      [this, session, alive = std::weak_ptr<bool>(alive_)](foundation::FetchResult result) {
                          if (!alive.expired())
                              finish(session, result.body, result.statusCode, result.error);
                      },
                      feedTimeout_, feedSizeLimit);
}

void Updater::finish(std::uint64_t session, const QByteArray& body, int statusCode, const QString& fetchError)
{
    // A check the user cancelled (or one that a later check replaced) tells nothing.
    if (session_ != session)
        return;
    session_.reset();
    const HostDescription host = this->host();

    if (!fetchError.isEmpty()) {
        userDriver_.showUpdaterError(host, QStringLiteral("The update feed could not be fetched: %1.").arg(fetchError));
        return;
    }
    if (statusCode < 200 || statusCode > 299) {
        userDriver_.showUpdaterError(
            host, QStringLiteral("The update server answered with HTTP status %1 instead of the feed.").arg(statusCode));
        return;
    }
    try {
        const Appcast appcast = Appcast::parse(body);
        const AppcastItem* newest = appcast.newestItem();
        if (newest
            && convertVersionToWeight(newest->displayVersionString().toStdString())
                   > convertVersionToWeight(host.version.toStdString()))
            userDriver_.showUpdateFound(host, *newest);
        else
            userDriver_.showUpdateNotFound(host);
    } catch (const AppcastError& appcastError) {
        userDriver_.showUpdaterError(host, QStringLiteral("The update feed could not be read: %1.")
                                               .arg(QString::fromStdString(appcastError.what())));
    }
}

} // namespace update
