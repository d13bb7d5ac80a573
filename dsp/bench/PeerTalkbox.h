#pragma once

#include <memory>
#include <string>

namespace dsp::bench {

/// A peer talkbox effect for the benchmarks to measure against: a vocoder plug-in installed on
/// the machine, loaded and run as a black box through its plug-in host library, with its
/// default settings. Construction finds and loads it; when the library or the plug-in is
/// missing it stays unavailable and says why. Single-threaded.
class PeerTalkbox {
public:
    explicit PeerTalkbox(double sampleRate);
    ~PeerTalkbox();

    PeerTalkbox(const PeerTalkbox&) = delete;
    PeerTalkbox& operator=(const PeerTalkbox&) = delete;

    bool available() const { return impl_ != nullptr; }
    const std::string& problem() const { return problem_; }

    /// Runs one block: voice and carrier in, two output channels out; n frames each.
    void process(const float* voice, const float* carrier, float* out1, float* out2, int n);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string problem_;
};

} // namespace dsp::bench
