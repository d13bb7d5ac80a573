#pragma once

#include <functional>
#include <optional>

namespace ostrelshaders {

/// The time a renderer hands its shaders: seconds since it started, less the time spent
/// paused. While paused it reads the instant of the pause, so a frame drawn on demand
/// (a resize) shows where the animation stopped and the clock never runs backwards at resume.
/// Main thread.
class ShaderClock {
public:
    /// Seconds from any fixed origin; tests hand in their own.
    using Source = std::function<double()>;

    /// A monotonic clock: wall-clock changes do not move the animation.
    static Source systemSource();

    /// Starts now.
    explicit ShaderClock(Source source = systemSource());

    /// Restarts at zero, running, with nothing paused.
    void start();

    /// Narrowed to a float for the shaders; it coarsens after hours but never wraps.
    float time() const;

    /// Remembers now as the pause instant; a second pause moves it to the later instant.
    void pause();
    /// Adds the time since the pause to the paused total; nothing when not paused.
    void resume();

    bool isPaused() const { return pauseTime_.has_value(); }
    double pausedTime() const { return pausedTime_; }
    double now() const { return source_(); }

private:
    Source source_;
    double startTime_ = 0;
    std::optional<double> pauseTime_;
    double pausedTime_ = 0;
};

} // namespace ostrelshaders
