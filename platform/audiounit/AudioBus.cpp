#include "platform/audiounit/AudioBus.h"

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/Error.h"

namespace au {

void AudioBus::setFormat(const AudioFormat& format)
{
    if (owner_ && owner_->renderResourcesAllocated())
        throw Error("cannot change the format of bus \"" + name_ + "\" while render resources are allocated");
    if (owner_)
        owner_->checkSampleRate(format.sampleRate());
    format_ = format;
}

} // namespace au
