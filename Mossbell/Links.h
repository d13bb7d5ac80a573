#pragma once

#include <QUrl>

// The maker's web links, each made once on first use and kept for the process. Any thread.
namespace mossbell::links {

/// The maker's website (its root), opened from the plug-in header's logo.
const QUrl& vartlowSite();
/// The maker's account on a Mastodon server.
const QUrl& vartlowMastodonAccount();
/// The contact page of the maker's website.
const QUrl& vartlowContactPage();

/// The product's update feed, which both the effect's own check and the host application's
/// updater read: the address in the environment variable ZINDLE_UPDATE_FEED_URL when it is set
/// (tests, staging), else "https://updates.vartlow.com/zindle/zindle.xml". Read anew on every
/// call, unlike the links above.
QUrl updateFeed();

} // namespace mossbell::links
