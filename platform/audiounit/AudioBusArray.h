#pragma once

#include "platform/audiounit/AudioBus.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace au {

class AudioUnit;

enum class BusType { input, output };

/// The input or the output buses of a unit, in bus-number order. Holding a bus here makes the
/// unit its owner, so the bus refuses format changes while the unit is allocated.
class AudioBusArray {
public:
    AudioBusArray(const AudioUnit& owner, BusType type, std::vector<std::shared_ptr<AudioBus>> buses);

    AudioBusArray(const AudioBusArray&) = delete;
    AudioBusArray& operator=(const AudioBusArray&) = delete;

    std::size_t count() const { return buses_.size(); }
    AudioBus& operator[](std::size_t index) const { return *buses_.at(index); }
    std::shared_ptr<AudioBus> bus(std::size_t index) const { return buses_.at(index); }

    BusType busType() const { return type_; }
    const AudioUnit& ownerAudioUnit() const { return owner_; }

private:
    const AudioUnit& owner_;
    BusType type_;
    std::vector<std::shared_ptr<AudioBus>> buses_;
};

} // namespace au
