#include "Mossbell/Links.h"

namespace mossbell::links {

const QUrl& vartlowSite()
{
    static const QUrl url(QStringLiteral("https://vartlow.com/"));
    return url;
}

const QUrl& vartlowMastodonAccount()
{
    static const QUrl url(QStringLiteral("https://mastodon.social/@vartlow"));
    return url;
}

const QUrl& vartlowContactPage()
{
    static const QUrl url(QStringLiteral("https://vartlow.com/contact/"));
    return url;
}

QUrl updateFeed()
{
    const QByteArray overridden = qgetenv("ZINDLE_UPDATE_FEED_URL");
    if (!overridden.isEmpty())
        return QUrl(QString::fromUtf8(overridden));
    return QUrl(QStringLiteral("https://updates.vartlow.com/zindle/zindle.xml"));
}

} // namespace mossbell::links
