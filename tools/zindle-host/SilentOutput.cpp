#include "tools/zindle-host/SilentOutput.h"

#include "tools/zindle-host/BlockPacer.h"

#include <pthread.h>
#include <time.h>

#include <cerrno>

namespace zindlehost {

namespace {

// Sleeps until deadline on the monotonic clock, which is the steady clock's on Linux. An
// absolute deadline: however late this thread wakes, the next block's deadline stays put.
void sleepUntil(BlockPacer::Clock::time_point deadline)
{
    const auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count();
    timespec when{};
    when.tv_sec = static_cast<time_t>(since / 1'000'000'000);
    when.tv_nsec = static_cast<long>(since % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
    }
}

} // namespace

SilentOutput::SilentOutput(double sampleRate, au::FrameCount blockSize) : sampleRate_(sampleRate), blockSize_(blockSize)
{
    for (auto& buffer : buffers_)
        buffer.assign(blockSize_, 0.0f);
}

SilentOutput::~SilentOutput() { stop(); }

std::string SilentOutput::description() const { return "audio: none, rendering silently in real time"; }

void SilentOutput::start(Source& source)
{
    if (thread_.joinable())
        return;
    running_.store(true, std::memory_order_release);
    thread_ = std::thread([this, &source] { run(source); });
}

void SilentOutput::stop()
{
    if (!thread_.joinable())
        return;
    running_.store(false, std::memory_order_release);
    thread_.join();
}

void SilentOutput::run(Source& source)
{
    pthread_setname_np(pthread_self(), "zindle-silent");
    float* channels[channelCount];
    for (std::size_t c = 0; c < channelCount; ++c)
        channels[c] = buffers_[c].data();
    BlockPacer pacer(blockSize_, sampleRate_, BlockPacer::Clock::now());
    while (running_.load(std::memory_order_acquire)) {
        source.render(channels, blockSize_);
        sleepUntil(pacer.next(BlockPacer::Clock::now()));
    }
}

} // namespace zindlehost
