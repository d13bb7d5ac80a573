#include "Tarnkit/Foundation/BundleInfo.h"

#include <QJsonValue>

namespace tarnkit::bundleInfo {

std::optional<QString> infoString(const foundation::Bundle& bundle, const QString& key)
{
    const QJsonValue value = bundle.infoDictionary().value(key);
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<QString> teamIdentifierPrefix(const foundation::Bundle& bundle)
{
    return infoString(bundle, QStringLiteral("TeamIdentifierPrefix"));
}

std::optional<QString> displayName(const foundation::Bundle& bundle)
{
    return infoString(bundle, QStringLiteral("CFBundleDisplayName"));
}

std::optional<QString> name(const foundation::Bundle& bundle)
{
    return infoString(bundle, QStringLiteral("CFBundleName"));
}

std::optional<QString> shortVersion(const foundation::Bundle& bundle)
{
    return infoString(bundle, QStringLiteral("CFBundleShortVersionString"));
}

std::optional<QString> version(const foundation::Bundle& bundle)
{
    return infoString(bundle, QStringLiteral("CFBundleVersion"));
}

} // namespace tarnkit::bundleInfo
