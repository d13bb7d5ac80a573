#pragma once

#include <QJsonObject>
#include <QString>

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace foundation {

/// A bundle is a directory, optionally with an information file "Info.json" (a JSON object,
/// e.g. "CFBundleShortVersionString") and a "Resources" directory.
///
/// Layout, the same in the build tree and under an install prefix:
///   <root>/bin/<programs>                 programs (tests included, in the build tree)
///   <root>/share/zindle/                  the main bundle of every program in <root>/bin
///   <root>/share/zindle/Resources/        its resources (module resource bundles, ...)
///   <root>/lib/zindle/Components/X.component/   a plug-in bundle holding its shared library
/// A program that does not live in such a tree is a bare program: its main bundle is its
/// own directory, which is also its resource directory.
///
/// Immutable once opened; safe to share between threads.
class Bundle {
public:
    /// Opens the directory at path; empty when it is not a directory or its information
    /// file exists but is not a JSON object.
    static std::optional<Bundle> open(const std::filesystem::path& path);

    /// The running program's bundle (see the layout above), found once.
    static const Bundle& main();

    /// The bundle holding the binary (program or shared library) that contains address:
    /// the main bundle for code linked into the program, otherwise the nearest directory at
    /// or above the library's own that holds an information file, else the library's
    /// directory.
    static std::optional<Bundle> containing(const void* address);

    const std::filesystem::path& bundlePath() const { return path_; }
    /// The "Resources" directory when the bundle has one. A bare program's directory is its
    /// own resource directory.
    const std::optional<std::filesystem::path>& resourcePath() const { return resources_; }

    const QJsonObject& infoDictionary() const { return info_; }
    /// A string value of the information file, empty when missing or not a string.
    QString infoString(const QString& key) const;
    /// "CFBundleShortVersionString".
    QString shortVersionString() const { return infoString(QStringLiteral("CFBundleShortVersionString")); }

private:
    Bundle(std::filesystem::path path, std::optional<std::filesystem::path> resources, QJsonObject info);
    static Bundle bareProgram(const std::filesystem::path& directory);

    std::filesystem::path path_;
    std::optional<std::filesystem::path> resources_;
    QJsonObject info_;
};

/// Where a module looks for its resource bundle "<name>.bundle": the main bundle's resource
/// directory, then the resource directory of the bundle holding the module's code, then the
/// main bundle's own directory. Absent candidates are skipped.
std::optional<Bundle> locateModuleBundle(const QString& bundleName,
                                         const std::optional<std::filesystem::path>& mainResources,
                                         const std::optional<std::filesystem::path>& codeResources,
                                         const std::filesystem::path& mainBundle);

/// The lookup above for the running process: the bundle, when a directory held it, and the
/// directories looked in, in order. codeAddress is any symbol of the module (its bundle-finder
/// marker).
struct ModuleBundleLookup {
    std::optional<Bundle> bundle;
    std::vector<std::filesystem::path> searched;
};
ModuleBundleLookup lookUpModuleBundle(const QString& bundleName, const void* codeAddress);

/// The same; stops the process with "unable to find bundle named <name without .bundle>"
/// (naming source) when none opens.
Bundle findModuleBundle(const QString& bundleName, const void* codeAddress, std::string_view source, int line);

} // namespace foundation
