#include "platform/audiounit/AudioBusArray.h"

namespace au {

AudioBusArray::AudioBusArray(const AudioUnit& owner, BusType type, std::vector<std::shared_ptr<AudioBus>> buses)
    : owner_(owner), type_(type), buses_(std::move(buses))
{
    for (const auto& bus : buses_)
        bus->owner_ = &owner_;
}

} // namespace au
