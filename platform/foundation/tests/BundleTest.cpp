#include "platform/foundation/Bundle.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class BundleTest : public ::testing::Test {
protected:
    fs::path root() const { return fs::path(dir_.path().toStdString()); }

    fs::path makeDirectory(const fs::path& relative) const
    {
        fs::create_directories(root() / relative);
        return root() / relative;
    }

    void write(const fs::path& relative, const std::string& text) const
    {
        fs::create_directories((root() / relative).parent_path());
        std::ofstream(root() / relative) << text;
    }

    QTemporaryDir dir_;
};

TEST_F(BundleTest, OpensADirectoryWithItsInformationAndResources)
{
    write("Effect.component/Info.json", R"({"CFBundleShortVersionString": "1.4.2", "CFBundleName": "Effect"})");
    makeDirectory("Effect.component/Resources");

    const auto bundle = foundation::Bundle::open(root() / "Effect.component");
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->shortVersionString(), "1.4.2");
    EXPECT_EQ(bundle->infoString("CFBundleName"), "Effect");
    EXPECT_EQ(bundle->infoString("missing"), "");
    ASSERT_TRUE(bundle->resourcePath());
    EXPECT_EQ(*bundle->resourcePath(), root() / "Effect.component" / "Resources");
}

TEST_F(BundleTest, RefusesWhatIsNotABundle)
{
    write("plain-file", "x");
    write("Broken.bundle/Info.json", "[1, 2]");
    makeDirectory("Bare.bundle");

    EXPECT_FALSE(foundation::Bundle::open(root() / "missing"));
    EXPECT_FALSE(foundation::Bundle::open(root() / "plain-file"));
    EXPECT_FALSE(foundation::Bundle::open(root() / "Broken.bundle"));
    const auto bare = foundation::Bundle::open(root() / "Bare.bundle");
    ASSERT_TRUE(bare);
    EXPECT_FALSE(bare->resourcePath());
    EXPECT_EQ(bare->shortVersionString(), "");
}

TEST_F(BundleTest, ModuleBundleLookupTakesTheFirstCandidateThatOpens)
{
    const fs::path mainResources = makeDirectory("main/Resources");
    const fs::path codeResources = makeDirectory("code/Resources");
    const fs::path mainBundle = makeDirectory("main");
    const QString name = "Kit_Kit.bundle";

    EXPECT_FALSE(foundation::locateModuleBundle(name, mainResources, codeResources, mainBundle));

    makeDirectory("main/Kit_Kit.bundle");
    auto found = foundation::locateModuleBundle(name, mainResources, codeResources, mainBundle);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->bundlePath(), mainBundle / "Kit_Kit.bundle");

    makeDirectory("code/Resources/Kit_Kit.bundle");
    found = foundation::locateModuleBundle(name, mainResources, codeResources, mainBundle);
    EXPECT_EQ(found->bundlePath(), codeResources / "Kit_Kit.bundle");

    // Absent candidates are skipped, not taken for the current directory.
    found = foundation::locateModuleBundle(name, std::nullopt, std::nullopt, mainBundle);
    EXPECT_EQ(found->bundlePath(), mainBundle / "Kit_Kit.bundle");

    makeDirectory("main/Resources/Kit_Kit.bundle");
    found = foundation::locateModuleBundle(name, mainResources, codeResources, mainBundle);
    EXPECT_EQ(found->bundlePath(), mainResources / "Kit_Kit.bundle");
}

TEST(MainBundle, IsTheProductTreeOfTheBuild)
{
    // Test programs live in <build>/bin, whose main bundle is <build>/share/zindle.
    const auto& bundle = foundation::Bundle::main();
    EXPECT_EQ(bundle.bundlePath().filename(), "zindle");
    EXPECT_FALSE(bundle.shortVersionString().isEmpty());
    ASSERT_TRUE(bundle.resourcePath());
    EXPECT_EQ(bundle.resourcePath()->filename(), "Resources");

    // Code linked into the program belongs to the main bundle.
    static const int marker = 0;
    const auto code = foundation::Bundle::containing(&marker);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->bundlePath(), bundle.bundlePath());
}

TEST(ModuleBundleDeathTest, StopsWithTheModulesNameWhenNoneIsFound)
{
    static const int marker = 0;
    EXPECT_DEATH(foundation::findModuleBundle("Nowhere_Nowhere.bundle", &marker, "Nowhere/resource_bundle_accessor", 44),
                 "unable to find bundle named Nowhere_Nowhere: file Nowhere/resource_bundle_accessor, line 44");
}

} // namespace
