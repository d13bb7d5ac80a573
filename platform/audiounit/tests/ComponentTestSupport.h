#pragma once

#include "platform/audiounit/ComponentRegistry.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

namespace au::test {

#ifdef ZINDLE_TEST_COMPONENTS_DIR
/// The test effects' bundles (see tests/components), one per fault.
inline const std::filesystem::path testComponentsDir{ZINDLE_TEST_COMPONENTS_DIR};

/// The manifest of the test effect built with fault ("none", "nan", ...).
inline ComponentManifest testComponent(const std::string& fault)
{
    const auto bundle = testComponentsDir / ("Test_" + fault + ".component");
    const auto manifests = readComponentManifests(bundle);
    EXPECT_EQ(manifests.size(), 1u) << bundle;
    return manifests.front();
}
#endif

inline void writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

/// An Info.json with one component entry; fields replace the entry's text when given.
inline std::string manifestJson(const std::string& entry)
{
    return R"({"CFBundleIdentifier": "com.example.test", "CFBundleShortVersionString": "3.1.4",
              "AudioComponents": [)" + entry + "]}";
}

inline std::string componentEntry(const std::string& type, const std::string& subtype,
                                  const std::string& manufacturer, const std::string& version = "65536",
                                  const std::string& library = "\"Effect.so\"")
{
    return R"({"type": ")" + type + R"(", "subtype": ")" + subtype + R"(", "manufacturer": ")" + manufacturer
           + R"(", "name": "An effect", "version": )" + version + R"(, "library": )" + library + "}";
}

/// Sets (or with nullopt unsets) an environment variable for a scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<std::string> value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

/// Runs the main thread's event loop until done() or the time is up; returns done().
inline bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limit.count())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace au::test
