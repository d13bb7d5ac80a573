#pragma once

#include "extension/Settings.h"
#include "extension/ZindleAudioUnit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>

namespace zindle::test {

/// Runs what is queued for the main thread; timers do not fire (call it on the main thread).
inline void runMainQueue() { QCoreApplication::sendPostedEvents(); }

/// Spins the event loop (timers and network included) until done() or the time is up;
/// returns done().
inline bool spinUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

/// An update feed nobody serves: the check ends at once with a refused connection.
inline QUrl refusedFeedUrl() { return QUrl(QStringLiteral("http://127.0.0.1:1/zindle/zindle.xml")); }

/// A clock the test moves by hand.
struct ManualClock {
    Settings::TimePoint now{std::chrono::hours(1)};
    Settings::Clock function()
    {
        return [this] { return now; };
    }
    void advance(std::chrono::steady_clock::duration step) { now += step; }
};

/// A model connected to the effect's Audio Unit as the factory connects them, with a hand-moved
/// clock and an update feed that refuses at once.
template <typename SettingsType = Settings>
struct ConnectedModel {
    ManualClock clock;
    std::shared_ptr<SettingsType> settings = std::make_shared<SettingsType>(clock.function());
    std::shared_ptr<ZindleAudioUnit> unit = std::make_shared<ZindleAudioUnit>();

    ConnectedModel()
    {
        settings->setUpdateFeedUrl(refusedFeedUrl());
        settings->configureAudioUnit(unit);
        settings->setupParameterTreeListeners();
        runMainQueue();
    }
    /// A user's click on the parameter at address, as a control makes it.
    void click(std::uint64_t address, float value)
    {
        settings->parameter(address)->setValue(value, mossbell::ParameterEditor::ui,
                                               mossbell::ParameterEditorState::change);
        runMainQueue();
    }
    float value(std::uint64_t address) const { return settings->parameter(address)->value(); }
};

} // namespace zindle::test
