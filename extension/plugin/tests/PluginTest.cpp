#include "extension/AudioUnitViewController.h"
#include "extension/ZindleAudioUnit.h"

#include "platform/audiounit/ComponentRegistry.h"
#include "platform/audiounit/LoadedComponent.h"
#include "platform/audiounit/ParameterTree.h"
#include "platform/audiounit/Validator.h"
#include "platform/audiounit/tests/ComponentTestSupport.h"
#include "platform/foundation/Bundle.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace zindle {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using namespace std::chrono_literals;

const fs::path buildComponents = fs::weakly_canonical(ZINDLE_COMPONENTS_DIR);
const std::string projectVersion = ZINDLE_PROJECT_VERSION;

// Every instance the tests make starts an update check: keep it, and the validator it runs, off
// the network (nothing listens on port 1).
[[maybe_unused]] const int offTheNetwork =
    setenv("ZINDLE_UPDATE_FEED_URL", "http://127.0.0.1:1/zindle/zindle.xml", 1);

au::ComponentManifest onlyZindleIn(const fs::path& searchPath)
{
    const auto found = au::ComponentRegistry({searchPath}).componentsMatching(ZindleAudioUnit::description);
    EXPECT_EQ(found.size(), 1u) << searchPath;
    return found.at(0);
}

// What the loaded library's own code says its bundle's version is (its copy of the lookup).
std::string versionSeenByThePlugin(const au::ComponentManifest& manifest)
{
    const auto principal = au::LoadedComponent::load(manifest)->createPrincipal();
    // The principal is the library's AudioUnitViewController; the call runs the library's code.
    return static_cast<AudioUnitViewController&>(*principal).settings()->pluginVersion();
}

std::vector<std::string> commandOutput(const std::string& command)
{
    std::vector<std::string> lines;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return lines;
    char buffer[1024];
    while (fgets(buffer, sizeof buffer, pipe)) {
        std::string line(buffer);
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        lines.push_back(line);
    }
    pclose(pipe);
    return lines;
}

bool isLoaded(const fs::path& library)
{
    void* handle = dlopen(library.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

TEST(PluginTest, TheBuildTreeRegistryFindsTheEffect)
{
    const au::test::ScopedEnvironment path("ZINDLE_COMPONENT_PATH", std::nullopt);
    const auto found = au::ComponentRegistry().componentsMatching(ZindleAudioUnit::description);
    ASSERT_FALSE(found.empty());
    const au::ComponentManifest& manifest = found.front();
    EXPECT_EQ(manifest.bundlePath, buildComponents / "Zindle.component");
    EXPECT_EQ(manifest.libraryPath, buildComponents / "Zindle.component" / "Zindle.so");
    EXPECT_EQ(manifest.name, "Vart: Zindle");
    EXPECT_EQ(manifest.versionText(), projectVersion);
    EXPECT_EQ(manifest.bundleVersion, projectVersion);
    EXPECT_EQ(manifest.bundleIdentifier, "com.vart.zindle.component");
}

// Only global symbols are exported: the version script turns the toolchain's unique template
// objects into local entries of the dynamic table, which no other library can bind to.
TEST(PluginTest, TheLibraryExportsOnlyItsEntry)
{
    const fs::path library = buildComponents / "Zindle.component" / "Zindle.so";
    const auto symbols = commandOutput("nm -D --defined-only --extern-only '" + library.string() + "'");
    ASSERT_EQ(symbols.size(), 1u) << ::testing::PrintToString(symbols);
    EXPECT_THAT(symbols.front(), ::testing::EndsWith(" T auExtensionCreatePrincipal"));
}

TEST(PluginTest, TheLoadedEffectIsTheVocoderWithItsParameters)
{
    const auto unit = au::LoadedComponent::load(onlyZindleIn(buildComponents))->instantiate();
    EXPECT_EQ(unit->componentDescription(), ZindleAudioUnit::description);
    EXPECT_EQ(unit->inputBusses().count(), 2u);
    ASSERT_NE(unit->parameterTree(), nullptr);
    const auto& parameters = unit->parameterTree()->allParameters();
    ASSERT_EQ(parameters.size(), 15u);
    EXPECT_EQ(parameters.front()->identifier(), "mainMode");
    EXPECT_EQ(unit->parameterTree()->parameter(12)->value(), 1.0f);
}

// A copy of the bundle with another version: the library loaded from it reads that version,
// while the host's own bundle keeps the project's.
TEST(PluginTest, TheEffectResolvesItsOwnBundleNotTheHosts)
{
    QTemporaryDir dir;
    const fs::path copy = fs::path(dir.path().toStdString()) / "Zindle.component";
    fs::copy(buildComponents / "Zindle.component", copy, fs::copy_options::recursive);
    QFile info(QString::fromStdString((copy / "Info.json").string()));
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    QJsonObject object = QJsonDocument::fromJson(info.readAll()).object();
    info.close();
    object.insert(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("9.8.7"));
    ASSERT_TRUE(info.open(QIODevice::WriteOnly | QIODevice::Truncate));
    info.write(QJsonDocument(object).toJson());
    info.close();

    EXPECT_EQ(versionSeenByThePlugin(onlyZindleIn(copy.parent_path())), "9.8.7");
    EXPECT_EQ(versionSeenByThePlugin(onlyZindleIn(buildComponents)), projectVersion);
    EXPECT_EQ(foundation::Bundle::main().shortVersionString().toStdString(), projectVersion);
}

TEST(PluginTest, TheInstalledEffectIsFoundAndLoadedFromThePrefix)
{
    QTemporaryDir dir;
    const fs::path prefix = dir.path().toStdString();
    const std::string install = std::string("'") + ZINDLE_CMAKE_COMMAND + "' --install '" + ZINDLE_BUILD_DIR
                                + "' --component plugin --prefix '" + prefix.string() + "' > /dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0) << install;

    const fs::path installed = prefix / "lib" / "zindle" / "Components";
    // The bundle: its information, its library and, in its resources, the resource bundles its
    // code looks up, as the build tree's bundle has them.
    const auto filesUnder = [](const fs::path& root) {
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                files.push_back(fs::relative(entry.path(), root));
        std::sort(files.begin(), files.end());
        return files;
    };
    std::vector<fs::path> files;
    for (const fs::path& file : filesUnder(prefix))
        if (!file.string().starts_with("lib/zindle/Components/Zindle.component/Resources/"))
            files.push_back(file);
    EXPECT_EQ(files, (std::vector<fs::path>{"lib/zindle/Components/Zindle.component/Info.json",
                                            "lib/zindle/Components/Zindle.component/Zindle.so"}));
    const fs::path resources = installed / "Zindle.component" / "Resources";
    EXPECT_EQ(filesUnder(resources), filesUnder(buildComponents / "Zindle.component" / "Resources"));
    for (const char* bundle : {"Mossbell_Mossbell.bundle", "zindleExtension_zindleExtension.bundle"})
        EXPECT_TRUE(foundation::locateModuleBundle(bundle, std::nullopt, resources, prefix)) << bundle;

    // The variable puts the prefix before the build tree.
    const au::test::ScopedEnvironment path("ZINDLE_COMPONENT_PATH", installed.string());
    const auto found = au::ComponentRegistry().componentsMatching(ZindleAudioUnit::description);
    ASSERT_GE(found.size(), 2u);
    EXPECT_EQ(found[0].bundlePath, installed / "Zindle.component");
    EXPECT_EQ(found[1].bundlePath, buildComponents / "Zindle.component");
    EXPECT_EQ(found[0].bundleVersion, projectVersion);

    const auto unit = au::LoadedComponent::load(found[0])->instantiate();
    EXPECT_EQ(unit->componentDescription(), ZindleAudioUnit::description);
    EXPECT_TRUE(isLoaded(installed / "Zindle.component" / "Zindle.so"));
    EXPECT_EQ(versionSeenByThePlugin(found[0]), projectVersion);
}

TEST(PluginTest, TheEffectPassesValidation)
{
    au::ValidationOptions options;
    options.forceValidation = true;
    std::ostringstream printed;
    const au::ValidationReport report = au::validateComponent(onlyZindleIn(buildComponents), options, printed);
    std::cout << printed.str();
    EXPECT_EQ(report.result, au::ValidationResult::passed);
    EXPECT_THAT(report.output.front(), HasSubstr("Validating \"Vart: Zindle\" (aufx voco Vart), version "
                                                 + projectVersion));
    EXPECT_THAT(report.output.back(), StartsWith("Verdict: PASSED"));
}

// As the host application does it: the handler comes once, while the main thread runs events.
TEST(PluginTest, ValidationWithResultsAnswersOnce)
{
    au::ValidationOptions options;
    options.forceValidation = true;
    std::atomic<int> calls{0};
    std::atomic<au::ValidationResult> result{au::ValidationResult::unknown};
    std::vector<std::string> output;
    au::validateWithResults(onlyZindleIn(buildComponents), options,
                            [&](au::ValidationResult answer, std::optional<au::ValidationResults> results) {
                                if (results && results->count(au::validationOutputKey))
                                    output = std::any_cast<std::vector<std::string>>(
                                        results->at(au::validationOutputKey));
                                result = answer;
                                ++calls;
                            });
    ASSERT_TRUE(au::test::runEventsUntil([&] { return calls.load() > 0; }, 60s));
    au::test::runEventsUntil([] { return false; }, 500ms);
    EXPECT_EQ(calls.load(), 1);
    EXPECT_EQ(result.load(), au::ValidationResult::passed);
    ASSERT_FALSE(output.empty());
    EXPECT_THAT(output.back(), StartsWith("Verdict: PASSED"));
}

} // namespace
} // namespace zindle
