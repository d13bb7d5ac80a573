#include "tools/zindle-host/AudioOutput.h"

#include "tools/zindle-host/JackOutput.h"
#include "tools/zindle-host/SilentOutput.h"

namespace zindlehost {

std::unique_ptr<AudioOutput> openAudioOutput(double fallbackRate, au::FrameCount fallbackBlockSize)
{
    if (auto jack = JackOutput::open())
        return jack;
    return std::make_unique<SilentOutput>(fallbackRate, fallbackBlockSize);
}

} // namespace zindlehost
