#pragma once

#include <memory>
#include <vector>

namespace dsp {

namespace chunkware_simple {
class SimpleCompRms;
}

/// RMS compressor applied to the mono voice block in place, computed in double precision.
/// All calls come from the owner's thread; compress allocates only when a block is longer
/// than any before.
class Compressor {
public:
    explicit Compressor(float sampleRate);
    ~Compressor();

    void compress(float* data, int n);
    /// Forgets the level so far, keeping the settings.
    void restart();

    void setRatio(float ratio);
    void setThreshold(float thresholdDb);
    /// Attack and release of the mean-square averager, in ms.
    void setWindow(float attackMs, float releaseMs);

    const chunkware_simple::SimpleCompRms& engine() const { return *comp_; }

private:
    float sampleRate_;
    std::unique_ptr<chunkware_simple::SimpleCompRms> comp_;
    std::vector<double> work_;
};

} // namespace dsp
