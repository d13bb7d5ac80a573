#pragma once

#include "platform/audiounit/AudioBufferList.h"
#include "platform/audiounit/AudioFormat.h"

#include <cstdint>
#include <vector>

namespace au {

/// Owns the samples of a standard-format buffer: one block of frameCapacity floats per
/// channel, reached through two buffer lists. The const list always holds the buffer's own
/// pointers and sizes; the mutable list is handed out (to a pull block, say) and may be
/// changed by whoever receives it.
///
/// Created and sized outside the render thread; on the render thread only its lists and
/// samples are touched.
class PCMBuffer {
public:
    /// Zero-filled; frameLength starts at 0. Throws std::bad_alloc when memory runs out.
    PCMBuffer(const AudioFormat& format, std::uint32_t frameCapacity);

    PCMBuffer(const PCMBuffer&) = delete;
    PCMBuffer& operator=(const PCMBuffer&) = delete;

    const AudioFormat& format() const { return format_; }
    std::uint32_t frameCapacity() const { return frameCapacity_; }

    /// Valid frames; sets the byte size of every buffer in both lists. Clamped to the capacity.
    std::uint32_t frameLength() const { return frameLength_; }
    void setFrameLength(std::uint32_t frames);

    const AudioBufferList* audioBufferList() const { return &baseList_; }
    AudioBufferList* mutableAudioBufferList() { return &mutableList_; }
    /// Puts the buffer's own buffer array, channel pointers and channel counts back into the
    /// mutable list, with byte sizes for frames frames (at most the capacity). Allocates
    /// nothing: the render thread calls it before handing the list out again.
    void resetMutableAudioBufferList(std::uint32_t frames);

    float* channelData(std::uint32_t channel) { return samples_.data() + std::size_t(channel) * frameCapacity_; }
    const float* channelData(std::uint32_t channel) const { return samples_.data() + std::size_t(channel) * frameCapacity_; }

    /// True when p points into this buffer's own samples.
    bool contains(const float* p) const;

private:
    AudioFormat format_;
    std::uint32_t frameCapacity_;
    std::uint32_t frameLength_ = 0;
    std::vector<float> samples_;
    std::vector<AudioBuffer> baseBuffers_;
    std::vector<AudioBuffer> mutableBuffers_;
    AudioBufferList baseList_{};
    AudioBufferList mutableList_{};
};

} // namespace au
