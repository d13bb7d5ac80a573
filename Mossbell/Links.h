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

} // namespace mossbell::links
