#pragma once

#include "dsp/AttRelEnvelope.h"

namespace dsp::chunkware_simple {

/// Feed-forward gain computer; the base envelope smooths the gain in dB.
class SimpleComp : public AttRelEnvelope {
public:
    static constexpr double dcOffset = 1.0e-25; // keeps logarithms and states off zero

    SimpleComp() : AttRelEnvelope(10.0, 100.0, 44100.0) {}

    virtual void setThresh(double dB) { threshDb_ = dB; }
    virtual void setRatio(double ratio) { ratio_ = ratio; }
    virtual double getThresh() const { return threshDb_; }
    virtual double getRatio() const { return ratio_; }
    virtual void initRuntime() { envDb_ = dcOffset; }

    double gainEnvelope() const { return envDb_; }

protected:
    double threshDb_ = 0.0;
    double ratio_ = 1.0;
    double envDb_ = dcOffset;
};

} // namespace dsp::chunkware_simple
