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

} // namespace mossbell::links
