#include "dsp/Compressor.h"

#include "dsp/SimpleCompRms.h"

namespace dsp {

Compressor::Compressor(float sampleRate)
    : sampleRate_(sampleRate), comp_(std::make_unique<chunkware_simple::SimpleCompRms>())
{
    work_.reserve(1024);
    comp_->setSampleRate(sampleRate_);
    comp_->initRuntime();
}

Compressor::~Compressor() = default;

void Compressor::compress(float* data, int n)
{
    if (n > static_cast<int>(work_.size()))
        work_.resize(static_cast<std::size_t>(n));
    if (n < 1)
        return;

    for (int i = 0; i < n; ++i)
        work_[i] = data[i];
    for (int i = 0; i < n; ++i) {
        double x = work_[i];
        // The mono voice is keyed as both channels of a linked pair, and the gain is
        // applied once per channel, so the sample is scaled by its square.
        const double g = comp_->process(x, x);
        x *= g;
        x *= g;
        work_[i] = x;
    }
    for (int i = 0; i < n; ++i)
        data[i] = static_cast<float>(work_[i]);
}

void Compressor::restart() { comp_->initRuntime(); }

void Compressor::setRatio(float ratio) { comp_->setRatio(ratio); }

void Compressor::setThreshold(float thresholdDb) { comp_->setThresh(thresholdDb); }

void Compressor::setWindow(float attackMs, float releaseMs) { comp_->setWindow(attackMs, releaseMs); }

} // namespace dsp
