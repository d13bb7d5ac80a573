#pragma once

#include "platform/foundation/Bundle.h"

#include <QString>

#include <optional>

/// Typed values of a bundle's information file. Each is absent when the key is missing or its
/// value is not a string. Any thread (bundles are immutable).
namespace tarnkit::bundleInfo {

/// The value of key when it is a string.
std::optional<QString> infoString(const foundation::Bundle& bundle, const QString& key);

std::optional<QString> teamIdentifierPrefix(const foundation::Bundle& bundle); ///< "TeamIdentifierPrefix"
std::optional<QString> displayName(const foundation::Bundle& bundle);          ///< "CFBundleDisplayName"
std::optional<QString> name(const foundation::Bundle& bundle);                 ///< "CFBundleName"
std::optional<QString> shortVersion(const foundation::Bundle& bundle);         ///< "CFBundleShortVersionString"
std::optional<QString> version(const foundation::Bundle& bundle);              ///< "CFBundleVersion"

} // namespace tarnkit::bundleInfo
