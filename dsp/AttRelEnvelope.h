#pragma once

#include "dsp/EnvelopeDetector.h"

namespace dsp::chunkware_simple {

/// A pair of detectors: the attack one while the input rises above the state, the
/// release one otherwise.
class AttRelEnvelope {
public:
    AttRelEnvelope(double attackMs = 10.0, double releaseMs = 100.0, double sampleRate = 44100.0)
        : attack_(attackMs, sampleRate), release_(releaseMs, sampleRate)
    {
    }
    virtual ~AttRelEnvelope() = default;

    virtual void setAttack(double ms) { attack_.setTc(ms); }
    virtual double getAttack() const { return attack_.getTc(); }
    virtual void setRelease(double ms) { release_.setTc(ms); }
    virtual double getRelease() const { return release_.getTc(); }
    virtual void setSampleRate(double sampleRate)
    {
        attack_.setSampleRate(sampleRate);
        release_.setSampleRate(sampleRate);
    }
    virtual double getSampleRate() const { return attack_.getSampleRate(); }

    const EnvelopeDetector& attackDetector() const { return attack_; }
    const EnvelopeDetector& releaseDetector() const { return release_; }

    void run(double in, double& state) const
    {
        if (in > state)
            attack_.run(in, state);
        else
            release_.run(in, state);
    }

private:
    EnvelopeDetector attack_;
    EnvelopeDetector release_;
};

} // namespace dsp::chunkware_simple
