#include "platform/audiounit/ComponentRegistry.h"

#include "platform/audiounit/Error.h"
#include "platform/audiounit/tests/ComponentTestSupport.h"

#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace au {
namespace {

namespace fs = std::filesystem;
using test::componentEntry;
using test::manifestJson;
using test::writeFile;
using ::testing::HasSubstr;

class ComponentRegistryTest : public ::testing::Test {
protected:
    fs::path root() const { return dir_.path().toStdString(); }
    fs::path bundle(const std::string& searchPath, const std::string& name) const
    {
        return root() / searchPath / (name + ".component");
    }
    void writeBundle(const std::string& searchPath, const std::string& name, const std::string& json) const
    {
        writeFile(bundle(searchPath, name) / "Info.json", json);
    }

    QTemporaryDir dir_;
};

TEST_F(ComponentRegistryTest, ReadsEveryFieldOfAManifest)
{
    writeBundle("a", "Effect", manifestJson(componentEntry("aufx", "voco", "Vart", "66051")));
    const ComponentRegistry registry({root() / "a"});
    ASSERT_EQ(registry.components().size(), 1u);
    const ComponentManifest& manifest = registry.components().front();
    EXPECT_EQ(manifest.description,
              (ComponentDescription{fourCharCode("aufx"), fourCharCode("voco"), fourCharCode("Vart")}));
    EXPECT_EQ(manifest.name, "An effect");
    EXPECT_EQ(manifest.version, 66051u);
    EXPECT_EQ(manifest.versionText(), "1.2.3");
    EXPECT_EQ(manifest.codesText(), "aufx voco Vart");
    EXPECT_EQ(manifest.bundleIdentifier, "com.example.test");
    EXPECT_EQ(manifest.bundleVersion, "3.1.4");
    EXPECT_EQ(manifest.bundlePath, bundle("a", "Effect"));
    EXPECT_EQ(manifest.libraryPath, bundle("a", "Effect") / "Effect.so");
}

TEST_F(ComponentRegistryTest, ABundleMayDeclareSeveralComponentsInItsOrder)
{
    writeBundle("a", "Pair",
                manifestJson(componentEntry("aufx", "two_", "Test") + "," + componentEntry("aufx", "one_", "Test")));
    const ComponentRegistry registry({root() / "a"});
    ASSERT_EQ(registry.components().size(), 2u);
    EXPECT_EQ(registry.components()[0].description.componentSubType, fourCharCode("two_"));
    EXPECT_EQ(registry.components()[1].description.componentSubType, fourCharCode("one_"));
}

// Each broken bundle is skipped with a warning naming it; the good one beside it is still found.
TEST_F(ComponentRegistryTest, SkipsBrokenManifestsWithAWarning)
{
    const struct {
        const char* bundle;
        std::string json; // nullopt-like: empty means no Info.json at all
        const char* warning;
    } cases[] = {
        {"NoInfo", "", "there is no Info.json"},
        {"NotJson", "{ this is not json", "not a readable JSON object"},
        {"NoList", R"({"CFBundleShortVersionString": "1.0"})", "no \"AudioComponents\" list"},
        {"EmptyList", R"({"AudioComponents": []})", "no \"AudioComponents\" list"},
        {"EntryNotObject", R"({"AudioComponents": [42]})", "is not a JSON object"},
        {"ShortCode", manifestJson(componentEntry("auf", "voco", "Vart")), "\"type\" is not four ASCII"},
        {"LongCode", manifestJson(componentEntry("aufx", "vocod", "Vart")), "\"subtype\" is not four ASCII"},
        {"WideCode", manifestJson(componentEntry("aufx", "voco", "V\u00e4rt")), "\"manufacturer\" is not four ASCII"},
        {"NoName", R"({"AudioComponents": [{"type": "aufx", "subtype": "voco", "manufacturer": "Vart",
                     "version": 1, "library": "x.so"}]})", "no \"name\" text"},
        {"NegativeVersion", manifestJson(componentEntry("aufx", "voco", "Vart", "-1")), "\"version\" is not"},
        {"FractionVersion", manifestJson(componentEntry("aufx", "voco", "Vart", "1.5")), "\"version\" is not"},
        {"HugeVersion", manifestJson(componentEntry("aufx", "voco", "Vart", "4294967296")), "\"version\" is not"},
        {"TextVersion", manifestJson(componentEntry("aufx", "voco", "Vart", "\"1.0\"")), "\"version\" is not"},
        {"EscapingLibrary", manifestJson(componentEntry("aufx", "voco", "Vart", "1", "\"../Other.so\"")),
         "\"library\" must be a file name inside"},
        {"AbsoluteLibrary", manifestJson(componentEntry("aufx", "voco", "Vart", "1", "\"/usr/lib/x.so\"")),
         "\"library\" must be a file name inside"},
        {"NoLibrary", manifestJson(componentEntry("aufx", "voco", "Vart", "1", "7")), "no \"library\" text"},
    };
    for (const auto& broken : cases) {
        if (broken.json.empty())
            fs::create_directories(bundle("a", broken.bundle));
        else
            writeBundle("a", broken.bundle, broken.json);
    }
    writeBundle("a", "Good", manifestJson(componentEntry("aufx", "good", "Test")));

    ::testing::internal::CaptureStderr();
    const ComponentRegistry registry({root() / "a"});
    const std::string warnings = ::testing::internal::GetCapturedStderr();

    ASSERT_EQ(registry.components().size(), 1u);
    EXPECT_EQ(registry.components().front().bundlePath, bundle("a", "Good"));
    for (const auto& broken : cases) {
        const std::string line = "warning: component bundle " + bundle("a", broken.bundle).string() + ": ";
        EXPECT_THAT(warnings, HasSubstr(line)) << broken.bundle;
        const auto start = warnings.find(line);
        if (start != std::string::npos) {
            EXPECT_THAT(warnings.substr(start, warnings.find('\n', start) - start), HasSubstr(broken.warning))
                << broken.bundle;
        }
    }
}

TEST_F(ComponentRegistryTest, OrdersBySearchPathThenBundleNameAndSearchesEachPathOnce)
{
    for (const char* path : {"first", "second"}) {
        writeBundle(path, "Bravo", manifestJson(componentEntry("aufx", "brav", "Test")));
        writeBundle(path, "Alpha", manifestJson(componentEntry("aufx", "alph", "Test")));
    }
    fs::create_directories(root() / "second" / "NotABundle");
    writeFile(root() / "second" / "Loose.component", "a file, not a bundle directory");

    const ComponentRegistry registry(
        {root() / "second", root() / "missing", root() / "first", root() / "second" / ".." / "second"});

    EXPECT_EQ(registry.searchPaths(), (std::vector<fs::path>{root() / "second", root() / "missing", root() / "first"}));
    std::vector<fs::path> found;
    for (const ComponentManifest& manifest : registry.components())
        found.push_back(manifest.bundlePath);
    EXPECT_EQ(found, (std::vector<fs::path>{bundle("second", "Alpha"), bundle("second", "Bravo"),
                                            bundle("first", "Alpha"), bundle("first", "Bravo")}));
}

TEST_F(ComponentRegistryTest, MatchesWithZeroCodesAsWildcards)
{
    writeBundle("a", "A", manifestJson(componentEntry("aufx", "voco", "Vart")));
    writeBundle("a", "B", manifestJson(componentEntry("aufx", "gain", "Test")));
    writeBundle("a", "C", manifestJson(componentEntry("aumu", "synt", "Vart")));
    const ComponentRegistry registry({root() / "a"});

    const struct {
        ComponentDescription description;
        std::vector<std::string> bundles;
    } cases[] = {
        {{0, 0, 0}, {"A", "B", "C"}},
        {{fourCharCode("aufx"), 0, 0}, {"A", "B"}},
        {{0, 0, fourCharCode("Vart")}, {"A", "C"}},
        {{0, fourCharCode("gain"), 0}, {"B"}},
        {{fourCharCode("aufx"), fourCharCode("voco"), fourCharCode("Vart")}, {"A"}},
        {{fourCharCode("aufx"), fourCharCode("voco"), fourCharCode("Test")}, {}},
    };
    for (const auto& query : cases) {
        std::vector<std::string> bundles;
        for (const ComponentManifest& manifest : registry.componentsMatching(query.description))
            bundles.push_back(manifest.bundlePath.stem().string());
        EXPECT_EQ(bundles, query.bundles) << codesText(query.description);
    }
}

TEST_F(ComponentRegistryTest, DefaultSearchPathsPutTheVariableFirstThenTheProgramTree)
{
    const test::ScopedEnvironment path("ZINDLE_COMPONENT_PATH", "/opt/one::/opt/two:");
    const test::ScopedEnvironment home("HOME", "/home/someone");
    EXPECT_EQ(ComponentRegistry::defaultSearchPaths(),
              (std::vector<fs::path>{"/opt/one", "/opt/two", fs::weakly_canonical(ZINDLE_COMPONENTS_DIR),
                                     "/home/someone/.local/lib/zindle/Components"}));
}

TEST_F(ComponentRegistryTest, TheVariableComesBeforeTheProgramTree)
{
    writeBundle("a", "Early", manifestJson(componentEntry("aufx", "earl", "Test")));
    const test::ScopedEnvironment path("ZINDLE_COMPONENT_PATH", (root() / "a").string());
    const ComponentRegistry registry;
    ASSERT_FALSE(registry.components().empty());
    EXPECT_EQ(registry.components().front().bundlePath, bundle("a", "Early"));
    EXPECT_EQ(registry.searchPaths().front(), root() / "a");
}

TEST_F(ComponentRegistryTest, ReadingOneBundleThrowsTheFault)
{
    writeBundle("a", "Bad", manifestJson(componentEntry("aufx", "voco", "Vart", "-3")));
    try {
        readComponentManifests(bundle("a", "Bad"));
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_THAT(error.what(), HasSubstr(bundle("a", "Bad").string()));
        EXPECT_THAT(error.what(), HasSubstr("\"version\""));
    }
}

} // namespace
} // namespace au
