#pragma once

#include "dsp/SimpleComp.h"

namespace dsp::chunkware_simple {

/// SimpleComp keyed by a smoothed mean square instead of the instantaneous level.
class SimpleCompRms : public SimpleComp {
public:
    SimpleCompRms() : averager_(0.0, 0.0, 0.0) {}

    void setSampleRate(double sampleRate) override
    {
        SimpleComp::setSampleRate(sampleRate);
        averager_.setSampleRate(sampleRate);
    }
    void initRuntime() override
    {
        SimpleComp::initRuntime();
        meanSquare_ = dcOffset;
    }
    virtual void setWindow(double attackMs, double releaseMs)
    {
        averager_.setAttack(attackMs);
        averager_.setRelease(releaseMs);
    }

    const AttRelEnvelope& averager() const { return averager_; }

    /// Gain factor for one linked stereo pair keyed by (left, right).
    double process(double left, double right)
    {
        const double key = left * left + right * right + dcOffset;
        averager_.run(key, meanSquare_);
        // ln(x) * 20 / ln(10): decibels from the natural logarithm.
        double over = std::log(std::fabs(std::sqrt(meanSquare_)) + dcOffset) * 8.685889638 - threshDb_;
        if (over < 0.0)
            over = 0.0;
        over += dcOffset;
        run(over, envDb_);
        const double gainReductionDb = (envDb_ - dcOffset) * (ratio_ - 1.0);
        return std::exp(gainReductionDb * 0.1151292546); // 10^(dB / 20)
    }

private:
    AttRelEnvelope averager_;
    double meanSquare_ = dcOffset;
};

} // namespace dsp::chunkware_simple
