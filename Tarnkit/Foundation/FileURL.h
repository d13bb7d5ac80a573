#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>

#include <optional>

/// Conveniences for file URLs: the relative path between two of them, a file name without its
/// extension, a path without its leading slash, a file's modification date. No state; any
/// thread.
namespace tarnkit::fileURL {

/// The path leading from base to url: ".." for each component of base (every component counts
/// as a directory, so a base naming a file adds one for its own name) past the common leading
/// components, then the rest of url's components, joined with "/". Both paths are cleaned of
/// "." and ".." first. Empty for a URL from itself; none unless both are file URLs.
std::optional<QString> relativePath(const QUrl& url, const QUrl& base);

/// relativePath as a relative file URL; none when relativePath gives none.
std::optional<QUrl> relativeURL(const QUrl& url, const QUrl& base);

/// The file name without its last extension: "archive.tar.gz" → "archive.tar", "a.gz.b.gz" →
/// "a.gz.b". A name without an extension is unchanged, also a name that begins with its only
/// dot (".bashrc") or ends with a dot.
QString nameWithoutExtension(const QUrl& url);

/// The decoded path without its first character when that is "/" (only one is dropped).
QString pathWithoutLeadingSlash(const QUrl& url);

/// When the local file url names was last modified; none when it cannot be read or url is not
/// a file URL.
std::optional<QDateTime> modificationDate(const QUrl& url);

} // namespace tarnkit::fileURL
