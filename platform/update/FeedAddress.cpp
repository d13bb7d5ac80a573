#include "platform/update/FeedAddress.h"

#include <QHostAddress>

#include <mutex>

namespace update {

std::optional<QUrl> feedUrlOverride(const QString& text, QString* rejection)
{
    const auto refuse = [rejection](const char* why) -> std::optional<QUrl> {
        if (rejection)
            *rejection = QString::fromUtf8(why);
        return std::nullopt;
    };
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty())
        return refuse("not an http or https address with a host");
    if (url.scheme() == QLatin1String("https"))
        return url;
    if (url.scheme() != QLatin1String("http"))
        return refuse("only https, or http to a loopback address, may serve the update feed");
    // Plain http only where nobody sits between this machine and the server.
    const QString host = url.host();
    const QHostAddress address(host);
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0
        || (!address.isNull() && address.isLoopback()))
        return url;
    return refuse("only https, or http to a loopback address, may serve the update feed");
}

QUrl feedUrl()
{
    const QUrl standard(QStringLiteral("https://updates.vartlow.com/zindle/zindle.xml"));
    const QString overridden = qEnvironmentVariable("ZINDLE_UPDATE_FEED_URL");
    if (overridden.isEmpty())
        return standard;
    QString rejection;
    if (const auto url = feedUrlOverride(overridden, &rejection))
        return *url;

    // Every instance of the effect asks; one warning per text is enough.
    static std::mutex mutex;
    static QString lastWarned;
    const std::lock_guard lock(mutex);
    if (overridden != lastWarned) {
        lastWarned = overridden;
        qWarning("zindle: ignoring ZINDLE_UPDATE_FEED_URL '%s': %s; reading %s", qUtf8Printable(overridden),
                 qUtf8Printable(rejection), qUtf8Printable(standard.toString()));
    }
    return standard;
}

} // namespace update
