#include "Mossbell/AssetResources.h"
#include "Mossbell/resource_bundle_accessor.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <filesystem>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using namespace mossbell;

const QString bundleName = QString::fromLatin1(resourceBundleName);

class BundleLookup : public ::testing::Test {
protected:
    fs::path root() const { return fs::path(dir_.path().toStdString()); }

    fs::path makeDirectory(const fs::path& relative) const
    {
        fs::create_directories(root() / relative);
        return root() / relative;
    }

    fs::path installProbe(const fs::path& relativeDirectory) const
    {
        const fs::path probe = makeDirectory(relativeDirectory) / "mossbell_bundle_probe";
        fs::copy_file(MOSSBELL_BUNDLE_PROBE, probe, fs::copy_options::overwrite_existing);
        return probe;
    }

    QTemporaryDir dir_;
};

TEST_F(BundleLookup, TakesTheFirstOfMainResourcesCodeResourcesAndMainBundle)
{
    const struct {
        const char* layout;
        std::vector<const char*> holding; // directories that hold the bundle
        std::optional<const char*> foundIn;
    } cases[] = {
        {"all three: the main bundle's resources win", {"main/Resources", "code/Resources", "main"}, "main/Resources"},
        {"main resources and the code's bundle: main resources", {"main/Resources", "code/Resources"}, "main/Resources"},
        {"only the code's bundle (a plug-in in a foreign host)", {"code/Resources", "main"}, "code/Resources"},
        {"only the main bundle's directory", {"main"}, "main"},
        {"none", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        fs::remove_all(root());
        const fs::path mainResources = makeDirectory("main/Resources");
        const fs::path codeResources = makeDirectory("code/Resources");
        for (const char* directory : c.holding)
            makeDirectory(fs::path(directory) / bundleName.toStdString());

        const auto found = foundation::locateModuleBundle(bundleName, mainResources, codeResources, root() / "main");
        ASSERT_EQ(found.has_value(), c.foundIn.has_value()) << c.layout;
        if (found) {
            EXPECT_EQ(found->bundlePath(), root() / *c.foundIn / bundleName.toStdString()) << c.layout;
        }
    }
}

TEST(ModuleBundle, IsTheBuiltBundleInTheMainBundlesResources)
{
    const auto& main = foundation::Bundle::main();
    ASSERT_TRUE(main.resourcePath());
    EXPECT_EQ(moduleBundle().bundlePath(), *main.resourcePath() / "Mossbell_Mossbell.bundle");
    EXPECT_EQ(&moduleBundle(), &moduleBundle());
    EXPECT_EQ(&ColorResource::of(ColorAsset::background).bundle(), &moduleBundle());
    EXPECT_EQ(&ImageResource::of(ImageAsset::vartlowLogo).bundle(), &moduleBundle());
}

TEST_F(BundleLookup, AProgramInAnInstallLayoutFindsItInTheMainBundlesResources)
{
    makeDirectory(fs::path("tree/share/zindle/Resources") / bundleName.toStdString());
    makeDirectory(fs::path("tree/share/zindle") / bundleName.toStdString());
    QProcess probe;
    probe.start(QString::fromStdString(installProbe("tree/bin").string()), {});
    ASSERT_TRUE(probe.waitForFinished(10000));
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(probe.readAllStandardOutput()).trimmed().toStdString(),
              (fs::canonical(root()) / "tree/share/zindle/Resources" / bundleName.toStdString()).string());
}

// The death test replaces its child with the probe, which must die by the framework's stop.
[[noreturn]] void execProbe(const fs::path& probe)
{
    execl(probe.c_str(), probe.c_str(), static_cast<char*>(nullptr));
    _exit(0); // exec failed: exit quietly, which the death test counts as surviving
}

TEST_F(BundleLookup, DiesWhenNoPlaceHoldsTheBundle)
{
    makeDirectory("bare/Other/Mossbell_Mossbell.bundle"); // not one of the places
    const fs::path probe = installProbe("bare");
    EXPECT_DEATH(execProbe(probe),
                 "Fatal error: unable to find bundle named Mossbell_Mossbell: file Mossbell/resource_bundle_accessor");
}

} // namespace
