#include "Tarnkit/Foundation/FileURL.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace tarnkit::fileURL {

namespace {

/// The components of a cleaned path, the root counting as "/" of its own.
QStringList pathComponents(const QUrl& url)
{
    const QString path = QDir::cleanPath(url.toLocalFile());
    QStringList components;
    if (path.startsWith(QLatin1Char('/')))
        components.append(QStringLiteral("/"));
    components.append(path.split(QLatin1Char('/'), Qt::SkipEmptyParts));
    return components;
}

/// The last component of the path, also when the path ends with a slash.
QString lastPathComponent(const QUrl& url)
{
    const QString path = QDir::cleanPath(url.path(QUrl::FullyDecoded));
    return path.section(QLatin1Char('/'), -1);
}

} // namespace

std::optional<QString> relativePath(const QUrl& url, const QUrl& base)
{
    if (!url.isLocalFile() || !base.isLocalFile())
        return std::nullopt;
    const QStringList target = pathComponents(url);
    const QStringList from = pathComponents(base);
    qsizetype common = 0;
    while (common < target.size() && common < from.size() && target[common] == from[common])
        ++common;

    QStringList parts;
    for (qsizetype i = common; i < from.size(); ++i)
        parts.append(QStringLiteral(".."));
    for (qsizetype i = common; i < target.size(); ++i)
        parts.append(target[i]);
    return parts.join(QLatin1Char('/'));
}

std::optional<QUrl> relativeURL(const QUrl& url, const QUrl& base)
{
    const auto path = relativePath(url, base);
    if (!path)
        return std::nullopt;
    return QUrl::fromLocalFile(*path);
}

QString nameWithoutExtension(const QUrl& url)
{
    const QString name = lastPathComponent(url);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // No dot, a leading dot (a hidden file's name, not an extension) or a trailing one: no
    // extension to remove.
    if (dot <= 0 || dot == name.size() - 1)
        return name;
    return name.left(dot);
}

QString pathWithoutLeadingSlash(const QUrl& url)
{
    QString path = url.path(QUrl::FullyDecoded);
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return path;
}

std::optional<QDateTime> modificationDate(const QUrl& url)
{
    if (!url.isLocalFile())
        return std::nullopt;
    const QFileInfo info(url.toLocalFile());
    if (!info.exists())
        return std::nullopt;
    const QDateTime modified = info.lastModified();
    if (!modified.isValid())
        return std::nullopt;
    return modified;
}

} // namespace tarnkit::fileURL
