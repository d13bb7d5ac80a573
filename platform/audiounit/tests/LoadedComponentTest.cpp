#include "platform/audiounit/LoadedComponent.h"

#include "platform/audiounit/Error.h"
#include "platform/audiounit/ParameterTree.h"
#include "platform/audiounit/tests/ComponentTestSupport.h"
#include "platform/foundation/MainQueue.h"

#include <QTemporaryDir>

#include <elf.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <iterator>
#include <thread>

namespace au {
namespace {

namespace fs = std::filesystem;
using test::testComponent;
using ::testing::HasSubstr;
using namespace std::chrono_literals;

// Renders one call of silence into buffers of its own and returns the status.
Status renderSilence(AudioUnit& unit, FrameCount frames)
{
    std::vector<float> left(frames), right(frames);
    AudioBuffer buffers[2] = {{1, frames * 4u, left.data()}, {1, frames * 4u, right.data()}};
    AudioBufferList output{2, buffers};
    auto pull = [&](RenderActionFlags&, const AudioTimeStamp&, FrameCount count, std::int64_t, AudioBufferList* list) {
        for (AudioBuffer& buffer : list->span()) {
            if (!buffer.data)
                buffer.data = left.data();
            std::fill_n(buffer.data, count, 0.0f);
        }
        return status::ok;
    };
    RenderActionFlags flags = 0;
    return unit.renderBlock()(flags, AudioTimeStamp{}, frames, 0, &output, nullptr, pull);
}

TEST(LoadedComponentTest, InstantiatesAUnitFromTheLibrary)
{
    const ComponentManifest manifest = testComponent("none");
    const std::shared_ptr<AudioUnit> unit = LoadedComponent::load(manifest)->instantiate();

    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->componentDescription(), manifest.description);
    ASSERT_NE(unit->parameterTree(), nullptr);
    EXPECT_EQ(unit->parameterTree()->allParameters().size(), 2u);
    unit->allocateRenderResources();
    EXPECT_EQ(renderSilence(*unit, 64), status::ok);
}

// The library's own copy of the bundle lookup, asked from its own code, names its bundle.
TEST(LoadedComponentTest, TheEffectFindsItsOwnBundleNotTheHosts)
{
    const ComponentManifest manifest = testComponent("none");
    const auto unit = LoadedComponent::load(manifest)->instantiate();
    EXPECT_EQ(unit->outputBusses()[0].name(), manifest.bundlePath.string() + " 2.3.4");
}

TEST(LoadedComponentTest, LoadFailuresSayWhy)
{
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    test::writeFile(root / "Garbage.component" / "Garbage.so", "this is not a shared library");

    ComponentManifest missing = testComponent("none");
    missing.libraryPath = missing.bundlePath / "Gone.so";
    ComponentManifest garbage = testComponent("none");
    garbage.libraryPath = root / "Garbage.component" / "Garbage.so";

    const struct {
        const char* what;
        ComponentManifest manifest;
        std::vector<std::string> fragments;
    } cases[] = {
        {"missing library", missing, {"\"Test: none\" (aufx gain Test) cannot be loaded", "Gone.so does not exist"}},
        {"not a library", garbage,
         {"cannot be loaded: its library " + garbage.libraryPath.string()
          + " is truncated or not a shared library (it is not an ELF file)"}},
        {"no entry", testComponent("noEntry"), {"has no entry auExtensionCreatePrincipal"}},
    };
    for (const auto& failure : cases) {
        try {
            LoadedComponent::load(failure.manifest);
            ADD_FAILURE() << failure.what << ": loaded";
        } catch (const Error& error) {
            for (const std::string& fragment : failure.fragments)
                EXPECT_THAT(error.what(), HasSubstr(fragment)) << failure.what;
        }
    }
}

// A library cut short would be mapped and fault (SIGBUS) on its missing pages; one that is no
// shared object of this machine would reach the loader. Both are refused first, saying why.
TEST(LoadedComponentTest, ALibraryThatIsNotACompleteSharedObjectIsRefusedBeforeLoading)
{
    const ComponentManifest intact = testComponent("none");
    std::ifstream in(intact.libraryPath, std::ios::binary);
    const std::string library((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(library.size(), 4096u);
    const auto patched = [&](std::size_t offset, std::string bytes) {
        std::string copy = library;
        copy.replace(offset, bytes.size(), bytes);
        return copy;
    };
    const auto little16 = [](int value) { return std::string{char(value & 0xff), char(value >> 8)}; };
    const int machine = std::uint8_t(library[EI_NIDENT + 2]) | std::uint8_t(library[EI_NIDENT + 3]) << 8;

    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const struct {
        const char* what;
        std::string contents;
        std::string reason; // the start of the text in parentheses
    } cases[] = {
        {"empty", "", "it is not an ELF file"},
        {"text", "#!/bin/sh\necho hello\n", "it is not an ELF file"},
        {"cut inside the ELF header", library.substr(0, 40), "it is 40 bytes long, less than an ELF header"},
        {"cut inside the program headers", library.substr(0, 100),
         "it is 100 bytes long, but its program headers end at byte "},
        {"cut inside a segment", library.substr(0, library.size() / 2),
         "it is " + std::to_string(library.size() / 2) + " bytes long, but its segment "},
        {"cut in the section headers", library.substr(0, library.size() - 8),
         "it is " + std::to_string(library.size() - 8) + " bytes long, but its section headers end at byte "
             + std::to_string(library.size()) + ")"},
        {"a relocatable object", patched(EI_NIDENT, little16(ET_REL)), "it is a relocatable object, not a shared "},
        {"another machine", patched(EI_NIDENT + 2, little16(machine == EM_AARCH64 ? EM_X86_64 : EM_AARCH64)),
         "it is built for ELF machine "},
        {"32-bit", patched(EI_CLASS, std::string(1, char(ELFCLASS32))), "it holds 32-bit code, this machine runs "},
    };
    for (const auto& broken : cases) {
        ComponentManifest manifest = intact;
        manifest.libraryPath = root / (std::string(broken.what) + ".so");
        test::writeFile(manifest.libraryPath, broken.contents);
        try {
            LoadedComponent::load(manifest);
            ADD_FAILURE() << broken.what << ": loaded";
        } catch (const Error& error) {
            EXPECT_THAT(error.what(), HasSubstr("\"Test: none\" (aufx gain Test) cannot be loaded: its library "
                                                + manifest.libraryPath.string()
                                                + " is truncated or not a shared library (" + broken.reason))
                << broken.what;
        }
    }
    // The same bytes, whole, load.
    ComponentManifest copy = intact;
    copy.libraryPath = root / "whole.so";
    test::writeFile(copy.libraryPath, library);
    EXPECT_NO_THROW(LoadedComponent::load(copy));
}

TEST(LoadedComponentTest, AUnitTheEffectRefusesGivesItsReason)
{
    const auto loaded = LoadedComponent::load(testComponent("throwsOnCreate"));
    try {
        loaded->instantiate();
        FAIL() << "instantiated";
    } catch (const Error& error) {
        EXPECT_THAT(error.what(), HasSubstr("could not create its Audio Unit: the test component refuses"));
    }
}

// The unit keeps its principal and the library; letting go of the unit lets go of both.
TEST(LoadedComponentTest, ObjectsKeepTheLibraryLoaded)
{
    std::shared_ptr<AudioUnit> unit;
    std::weak_ptr<LoadedComponent> library;
    {
        const auto loaded = LoadedComponent::load(testComponent("none"));
        library = loaded;
        unit = loaded->instantiate();
    }
    EXPECT_FALSE(library.expired());
    unit->allocateRenderResources();
    EXPECT_EQ(renderSilence(*unit, 32), status::ok);

    auto principal = library.lock()->createPrincipal();
    unit.reset();
    EXPECT_FALSE(library.expired()) << "the principal still holds it";
    principal.reset();
    EXPECT_TRUE(library.expired());
}

// An effect whose factory waits for the main thread: asked from a worker while the main
// thread runs its events, it works; released on the worker, it dies on the main thread.
TEST(LoadedComponentTest, AWorkerInstantiatesWhileTheMainThreadRunsItsEvents)
{
    const auto loaded = LoadedComponent::load(testComponent("mainThreadFactory"));
    std::weak_ptr<LoadedComponent> library = loaded;
    auto made = std::async(std::launch::async, [loaded] {
        auto unit = loaded->instantiate();
        return unit->componentDescription() == loaded->manifest().description;
    });
    ASSERT_TRUE(test::runEventsUntil([&] { return made.wait_for(0ms) == std::future_status::ready; }, 10s));
    EXPECT_TRUE(made.get());
}

TEST(LoadedComponentTest, PrincipalsAreMadeOnTheMainThreadAndReleasedThere)
{
    auto loaded = LoadedComponent::load(testComponent("none"));
    const ComponentDescription description = loaded->manifest().description;
    const std::weak_ptr<LoadedComponent> library = loaded;
    std::atomic<bool> done{false};
    std::string madeWhere;
    std::thread worker([loaded = std::move(loaded), &done, &madeWhere, description]() mutable {
        auto principal = loaded->createPrincipal();
        loaded.reset();
        madeWhere = principal->createAudioUnit(description)->inputBusses()[0].name();
        principal.reset(); // off the main thread: its destruction goes to the main queue
        done = true;
    });
    // The worker waits for the main thread to make the principal.
    ASSERT_TRUE(test::runEventsUntil([&] { return done.load(); }, 10s));
    worker.join();
    EXPECT_EQ(madeWhere, "principal made on the main thread");
    EXPECT_TRUE(test::runEventsUntil([&] { return library.expired(); }, 10s));
}

} // namespace
} // namespace au
