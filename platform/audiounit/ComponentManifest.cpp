#include "platform/audiounit/ComponentManifest.h"

#include "platform/audiounit/Error.h"
#include "platform/foundation/Bundle.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>
#include <limits>

namespace au {

namespace fs = std::filesystem;

namespace {

const QString componentsKey = QStringLiteral("AudioComponents");

[[noreturn]] void reject(const fs::path& bundlePath, const std::string& fault)
{
    throw Error("component bundle " + bundlePath.string() + ": " + fault);
}

QString requiredString(const QJsonObject& entry, const char* key, const fs::path& bundlePath, int index)
{
    const QJsonValue value = entry.value(QLatin1String(key));
    if (!value.isString() || value.toString().isEmpty())
        reject(bundlePath, "component " + std::to_string(index) + " has no \"" + key + "\" text");
    return value.toString();
}

// Four printable ASCII characters, the first in the most significant byte.
FourCharCode requiredCode(const QJsonObject& entry, const char* key, const fs::path& bundlePath, int index)
{
    const QByteArray bytes = requiredString(entry, key, bundlePath, index).toUtf8();
    bool printable = bytes.size() == 4;
    FourCharCode code = 0;
    for (int i = 0; printable && i < 4; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        printable = byte >= 0x20 && byte <= 0x7e;
        code = (code << 8) | byte;
    }
    if (!printable)
        reject(bundlePath, "component " + std::to_string(index) + " \"" + key + "\" is not four ASCII characters");
    return code;
}

std::uint32_t requiredVersion(const QJsonObject& entry, const fs::path& bundlePath, int index)
{
    const QJsonValue value = entry.value(QLatin1String("version"));
    const double number = value.toDouble(-1.0);
    if (!value.isDouble() || number < 0.0 || number > double(std::numeric_limits<std::uint32_t>::max())
        || std::floor(number) != number)
        reject(bundlePath, "component " + std::to_string(index) + " \"version\" is not an unsigned 32-bit integer");
    return static_cast<std::uint32_t>(number);
}

// The library must be a file of the bundle itself: a name with a directory part could reach
// anywhere on the machine.
fs::path requiredLibrary(const QJsonObject& entry, const fs::path& bundlePath, int index)
{
    const std::string name = requiredString(entry, "library", bundlePath, index).toStdString();
    const fs::path path(name);
    if (path.has_parent_path() || path.is_absolute() || name == "." || name == "..")
        reject(bundlePath, "component " + std::to_string(index) + " \"library\" must be a file name inside the bundle");
    return bundlePath / path;
}

} // namespace

std::string codesText(const ComponentDescription& description)
{
    return fourCharString(description.componentType) + ' ' + fourCharString(description.componentSubType) + ' '
           + fourCharString(description.componentManufacturer);
}

std::string ComponentManifest::codesText() const
{
    return au::codesText(description);
}

std::string ComponentManifest::versionText() const
{
    return std::to_string(version >> 16) + '.' + std::to_string((version >> 8) & 0xff) + '.'
           + std::to_string(version & 0xff);
}

std::vector<ComponentManifest> readComponentManifests(const fs::path& bundlePath)
{
    std::error_code error;
    if (!fs::is_regular_file(bundlePath / "Info.json", error))
        reject(bundlePath, "there is no Info.json");
    const std::optional<foundation::Bundle> bundle = foundation::Bundle::open(bundlePath);
    if (!bundle)
        reject(bundlePath, "Info.json is not a readable JSON object");

    const QJsonObject& info = bundle->infoDictionary();
    const QJsonValue components = info.value(componentsKey);
    if (!components.isArray() || components.toArray().isEmpty())
        reject(bundlePath, "Info.json has no \"AudioComponents\" list");

    std::vector<ComponentManifest> manifests;
    int index = 0;
    for (const QJsonValue& value : components.toArray()) {
        if (!value.isObject())
            reject(bundlePath, "component " + std::to_string(index) + " is not a JSON object");
        const QJsonObject entry = value.toObject();
        ComponentManifest manifest;
        manifest.description = {requiredCode(entry, "type", bundlePath, index),
                                requiredCode(entry, "subtype", bundlePath, index),
                                requiredCode(entry, "manufacturer", bundlePath, index)};
        manifest.name = requiredString(entry, "name", bundlePath, index).toStdString();
        manifest.version = requiredVersion(entry, bundlePath, index);
        manifest.bundleIdentifier = bundle->infoString(QStringLiteral("CFBundleIdentifier")).toStdString();
        manifest.bundleVersion = bundle->shortVersionString().toStdString();
        manifest.bundlePath = bundlePath;
        manifest.libraryPath = requiredLibrary(entry, bundlePath, index);
        manifests.push_back(std::move(manifest));
        ++index;
    }
    return manifests;
}

} // namespace au
