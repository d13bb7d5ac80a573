#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace update {

/// The product's update feed, which both the effect's own check and the host application's
/// updater read: "https://updates.vartlow.com/zindle/zindle.xml", or the address in the
/// environment variable ZINDLE_UPDATE_FEED_URL (tests, staging, mirrors) when feedUrlOverride
/// accepts it. A refused address is ignored with a warning (qWarning, standard error) once per
/// text. Read anew on every call. Any thread.
QUrl feedUrl();

/// text as a feed address to read instead of the product's own: https to any host, or http to
/// a loopback address (127.0.0.0/8, ::1, localhost). Anything else gives none and, when
/// rejection is given, why. Any thread.
std::optional<QUrl> feedUrlOverride(const QString& text, QString* rejection = nullptr);

/// The largest feed a check reads, in bytes: a longer one fails the check.
inline constexpr qint64 feedSizeLimit = 4 * 1024 * 1024;

} // namespace update
