#include "platform/foundation/Bundle.h"

#include "platform/foundation/FatalError.h"

#include <QFile>
#include <QJsonDocument>

#include <dlfcn.h>

#include <algorithm>
#include <system_error>

namespace foundation {

namespace fs = std::filesystem;

namespace {

const QString infoFileName = QStringLiteral("Info.json");

fs::path executablePath()
{
    std::error_code error;
    return fs::canonical("/proc/self/exe", error);
}

bool isDirectory(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

bool hasInfoFile(const fs::path& directory)
{
    std::error_code error;
    return fs::is_regular_file(directory / infoFileName.toStdString(), error);
}

} // namespace

Bundle::Bundle(fs::path path, std::optional<fs::path> resources, QJsonObject info)
    : path_(std::move(path)), resources_(std::move(resources)), info_(std::move(info))
{
}

std::optional<Bundle> Bundle::open(const fs::path& path)
{
    if (!isDirectory(path))
        return std::nullopt;
    QJsonObject info;
    const fs::path infoPath = path / infoFileName.toStdString();
    if (hasInfoFile(path)) {
        QFile file(QString::fromStdString(infoPath.string()));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        if (!document.isObject())
            return std::nullopt;
        info = document.object();
    }
    std::optional<fs::path> resources;
    if (isDirectory(path / "Resources"))
        resources = path / "Resources";
    return Bundle(path, resources, info);
}

Bundle Bundle::bareProgram(const fs::path& directory)
{
    auto bundle = open(directory);
    if (!bundle)
        return Bundle(directory, directory, {});
    bundle->resources_ = directory;
    return *bundle;
}

const Bundle& Bundle::main()
{
    static const Bundle bundle = [] {
        const fs::path directory = executablePath().parent_path();
        if (directory.filename() == "bin") {
            if (auto product = open(directory.parent_path() / "share" / "zindle"))
                return *product;
        }
        return bareProgram(directory);
    }();
    return bundle;
}

std::optional<Bundle> Bundle::containing(const void* address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr)
        return std::nullopt;
    std::error_code error;
    const fs::path binary = fs::canonical(info.dli_fname, error);
    if (error || binary == executablePath())
        return main();
    for (fs::path directory = binary.parent_path(); !directory.empty(); directory = directory.parent_path()) {
        if (hasInfoFile(directory))
            return open(directory);
        if (directory == directory.root_path())
            break;
    }
    return open(binary.parent_path());
}

QString Bundle::infoString(const QString& key) const
{
    return info_.value(key).toString();
}

namespace {

ModuleBundleLookup lookIn(const QString& bundleName, const std::optional<fs::path>& mainResources,
                          const std::optional<fs::path>& codeResources, const fs::path& mainBundle)
{
    ModuleBundleLookup lookup;
    for (const auto& candidate : {mainResources, codeResources, std::optional<fs::path>(mainBundle)}) {
        if (!candidate || std::find(lookup.searched.begin(), lookup.searched.end(), *candidate) != lookup.searched.end())
            continue;
        lookup.searched.push_back(*candidate);
        if ((lookup.bundle = Bundle::open(*candidate / bundleName.toStdString())))
            break;
    }
    return lookup;
}

} // namespace

std::optional<Bundle> locateModuleBundle(const QString& bundleName,
                                         const std::optional<fs::path>& mainResources,
                                         const std::optional<fs::path>& codeResources,
                                         const fs::path& mainBundle)
{
    return lookIn(bundleName, mainResources, codeResources, mainBundle).bundle;
}

ModuleBundleLookup lookUpModuleBundle(const QString& bundleName, const void* codeAddress)
{
    const Bundle& mainBundle = Bundle::main();
    const std::optional<Bundle> code = Bundle::containing(codeAddress);
    // A code bundle without its Resources folder is looked in all the same (in vain), so that
    // a report of a missing bundle names the folder that should hold it.
    const std::optional<fs::path> codeResources =
        code ? code->resourcePath().value_or(code->bundlePath() / "Resources") : std::optional<fs::path>();
    return lookIn(bundleName, mainBundle.resourcePath(), codeResources, mainBundle.bundlePath());
}

Bundle findModuleBundle(const QString& bundleName, const void* codeAddress, std::string_view source, int line)
{
    const std::optional<Bundle> found = lookUpModuleBundle(bundleName, codeAddress).bundle;
    if (!found) {
        QString name = bundleName;
        if (name.endsWith(QStringLiteral(".bundle")))
            name.chop(7);
        fatalError(("unable to find bundle named " + name).toStdString(), source, line);
    }
    return *found;
}

} // namespace foundation
