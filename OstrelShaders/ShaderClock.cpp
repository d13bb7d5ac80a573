#include "OstrelShaders/ShaderClock.h"

#include <chrono>
#include <cmath>

namespace ostrelshaders {

ShaderClock::Source ShaderClock::systemSource()
{
    return [] {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    };
}

ShaderClock::ShaderClock(Source source) : source_(std::move(source))
{
    start();
}

void ShaderClock::start()
{
    startTime_ = source_();
    pauseTime_.reset();
    pausedTime_ = 0;
}

float ShaderClock::time() const
{
    const double reference = pauseTime_ ? *pauseTime_ : source_();
    return float(std::abs(reference - startTime_) - pausedTime_);
}

void ShaderClock::pause()
{
    pauseTime_ = source_();
}

void ShaderClock::resume()
{
    if (!pauseTime_)
        return;
    pausedTime_ += std::abs(source_() - *pauseTime_);
    pauseTime_.reset();
}

} // namespace ostrelshaders
