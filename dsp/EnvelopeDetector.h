#pragma once

#include <cmath>

namespace dsp::chunkware_simple {

/// One-pole smoothing coefficient from a time constant: exp(-1000 / (ms * rate)).
/// A time constant or rate of 0 gives 0, a detector that follows its input at once.
class EnvelopeDetector {
public:
    explicit EnvelopeDetector(double ms = 1.0, double sampleRate = 44100.0)
        : sampleRate_(sampleRate), ms_(ms)
    {
        setCoef();
    }
    virtual ~EnvelopeDetector() = default;

    virtual void setTc(double ms)
    {
        ms_ = ms;
        setCoef();
    }
    virtual double getTc() const { return ms_; }
    virtual void setSampleRate(double sampleRate)
    {
        sampleRate_ = sampleRate;
        setCoef();
    }
    virtual double getSampleRate() const { return sampleRate_; }

    double coef() const { return coef_; }

    /// z follows u with this detector's coefficient.
    void run(double in, double& state) const { state = in + coef_ * (state - in); }

protected:
    virtual void setCoef() { coef_ = std::exp(-1000.0 / (ms_ * sampleRate_)); }

private:
    double sampleRate_;
    double ms_;
    double coef_ = 0.0;
};

} // namespace dsp::chunkware_simple
