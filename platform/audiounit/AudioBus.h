#pragma once

#include "platform/audiounit/AudioFormat.h"

#include <string>

namespace au {

class AudioUnit;

/// One input or output of an effect, with its stream format. The host may change the format
/// until it allocates the unit's render resources; allocation reads the formats then current.
/// Main thread (or whichever thread the host configures the unit on).
class AudioBus {
public:
    explicit AudioBus(const AudioFormat& format) : format_(format) {}

    AudioBus(const AudioBus&) = delete;
    AudioBus& operator=(const AudioBus&) = delete;

    const AudioFormat& format() const { return format_; }
    /// Throws au::Error while the owning unit has its render resources allocated, and with
    /// status::formatNotSupported for a rate the owning unit does not run at.
    void setFormat(const AudioFormat& format);

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    /// The unit whose bus array holds this bus, or nullptr for a bus of no unit.
    const AudioUnit* ownerAudioUnit() const { return owner_; }

private:
    friend class AudioBusArray;

    AudioFormat format_;
    std::string name_;
    const AudioUnit* owner_ = nullptr;
};

} // namespace au
