#include "dsp/LPCVocoderProcessor.h"
#include "dsp/SpectralShifter.h"

#include "dsp/tests/TestSignals.h"
#include "dsp/tests/VocoderDefaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

// The vocoder's output over a table of settings against output recorded from an earlier build
// (reference/<case>.f32, raw little-endian floats). Faster code must keep it: bit for bit where a
// case is marked exact, otherwise within a relative RMS difference of 1e-5.
//
// ZINDLE_DSP_WRITE_REFERENCE=1 rewrites the recordings from this build instead: only for a change
// that is meant to alter the output.
namespace dsp {
namespace {

struct Case {
    const char* name;
    float rate;
    float quality;
    int mode;
    float cents;
    bool crush;
    bool freeze; // on from 40 % to 70 % of the render
    bool filters;
    bool compress;
    int block;
    bool exact;
};

// Odd block sizes, every voice mode, crush and freeze, odd and small orders, and the three
// transform sizes of the shifter (1024 at 44.1 and 48 kHz, 640 crushed, 2048 at 96 kHz).
constexpr Case cases[] = {
    {"voiced", 44100.0f, 48.0f, 0, 0.0f, false, false, false, false, 511, true},
    {"voiced-shifted", 44100.0f, 48.0f, 0, 300.0f, false, false, false, false, 333, false},
    {"noise-carrier", 44100.0f, 31.0f, 1, 0.0f, false, false, false, false, 37, true},
    {"noise-carrier-shifted", 44100.0f, 48.0f, 1, -500.0f, false, false, true, false, 1001, false},
    {"unvoiced-noise", 44100.0f, 48.0f, 2, 0.0f, false, false, true, false, 257, true},
    {"unvoiced-noise-shifted", 44100.0f, 13.0f, 2, 300.0f, false, false, false, false, 129, false},
    {"auto-bypass", 44100.0f, 48.0f, 3, 0.0f, false, false, true, false, 1023, true},
    {"auto-bypass-shifted", 44100.0f, 7.0f, 3, 700.0f, false, false, false, false, 77, false},
    {"crush", 44100.0f, 30.0f, 0, 0.0f, true, false, false, false, 511, true},
    {"crush-shifted-compressed", 44100.0f, 30.0f, 0, -200.0f, true, false, true, true, 401, false},
    {"freeze", 44100.0f, 48.0f, 0, 0.0f, false, true, false, false, 301, true},
    {"freeze-shifted-compressed", 48000.0f, 48.0f, 0, 300.0f, false, true, false, true, 313, false},
    {"order-1", 48000.0f, 1.0f, 0, 0.0f, false, false, false, false, 97, true},
    {"shifted-96k", 96000.0f, 48.0f, 0, -1200.0f, false, false, false, false, 1999, false},
};

/// A quarter second: a vowel, a hiss that the voicing detector calls unvoiced, another vowel.
std::vector<float> referenceVoice(float rate)
{
    const int n = static_cast<int>(rate / 4.0f);
    const int hissFrom = n * 12 / 25, hissTo = n * 17 / 25;
    const auto first = test::resonantPulseVoice(n, 130.0, rate, {700.0, 1200.0, 2600.0});
    const auto hiss = test::whiteNoise(n, 0.3, 99);
    const auto second = test::resonantPulseVoice(n, 180.0, rate, {400.0, 2000.0}, 120.0, 0.4);
    std::vector<float> voice(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        voice[i] = i < hissFrom ? first[i] : i < hissTo ? hiss[i] : second[i];
    return voice;
}

std::vector<float> render(const Case& c)
{
    const auto voice = referenceVoice(c.rate);
    const int n = static_cast<int>(voice.size());
    const auto carrier = test::sawtooth(n, 200.0, c.rate);

    LPCVocoderProcessor vocoder(c.rate);
    test::configure(vocoder, {c.quality, c.mode, c.cents, c.crush, c.filters, c.compress, 2024});

    std::vector<float> v = voice, out(static_cast<std::size_t>(n));
    for (int start = 0; start < n; start += c.block) {
        vocoder.setVoiceFreeze(c.freeze && start >= n * 2 / 5 && start < n * 7 / 10);
        const int length = std::min(c.block, n - start);
        vocoder.process(carrier.data() + start, v.data() + start, out.data() + start, out.data() + start, length);
    }
    return out;
}

std::string referencePath(const Case& c) { return std::string(ZINDLE_DSP_REFERENCE_DIR "/") + c.name + ".f32"; }

std::vector<float> readReference(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return {};
    std::vector<float> samples(static_cast<std::size_t>(file.tellg()) / sizeof(float));
    file.seekg(0);
    file.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * sizeof(float)));
    return samples;
}

double relativeRmsDifference(const std::vector<float>& out, const std::vector<float>& reference)
{
    double difference = 0.0, power = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double d = static_cast<double>(out[i]) - reference[i];
        difference += d * d;
        power += static_cast<double>(reference[i]) * reference[i];
    }
    return std::sqrt(difference / power);
}

/// Writes out as the recording at path, or checks it against that recording.
void compareWithRecording(const std::vector<float>& out, const std::string& path, bool exact, bool write)
{
    if (write) {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size() * sizeof(float)));
        ASSERT_TRUE(file.good()) << path;
        return;
    }
    const auto reference = readReference(path);
    ASSERT_EQ(out.size(), reference.size()) << path << " is missing or of another length";
    ASSERT_TRUE(std::all_of(out.begin(), out.end(), [](float y) { return std::isfinite(y); }));
    if (exact) {
        const auto first = std::mismatch(out.begin(), out.end(), reference.begin(), [](float a, float b) {
            return std::memcmp(&a, &b, sizeof a) == 0;
        });
        EXPECT_TRUE(first.first == out.end()) << "first differing sample " << (first.first - out.begin());
    }
    EXPECT_LT(relativeRmsDifference(out, reference), 1e-5);
}

TEST(LPCVocoderReference, OutputMatchesTheRecordedRenders)
{
    const bool write = std::getenv("ZINDLE_DSP_WRITE_REFERENCE") != nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        compareWithRecording(render(c), referencePath(c), c.exact, write);
    }
    if (write)
        GTEST_SKIP() << "wrote the reference renders to " ZINDLE_DSP_REFERENCE_DIR;
}

// The shifter's paths that the vocoder does not take: two channels whose lead changes from bin
// to bin, a map called through std::function, the multiplier map, unsplit work, and a frame of
// two bins, where no run of four bins fits and every bin loop takes its one-bin path. Bit for
// bit: the phase lock turns any difference of rounding into a different output.
TEST(SpectralShifterReference, OutputMatchesTheRecordedRenders)
{
    struct ShifterCase {
        const char* name;
        int channels;
        bool split;
        int block;
        int frame = 882;
        int interval = 352;
    };
    const bool write = std::getenv("ZINDLE_DSP_WRITE_REFERENCE") != nullptr;
    const float rate = 44100.0f;
    const auto vowel = referenceVoice(rate);
    const int n = static_cast<int>(vowel.size());
    const auto other = test::resonantPulseVoice(n, 210.0, rate, {500.0, 1500.0, 3100.0}, 90.0, 0.6);
    for (const ShifterCase c : {ShifterCase{"shifter-two-channels", 2, true, 300},
                                ShifterCase{"shifter-multiplier-unsplit", 1, false, 421},
                                ShifterCase{"shifter-two-bins", 1, false, 7, 4, 1},
                                ShifterCase{"shifter-two-bins-two-channels", 2, true, 5, 4, 3}}) {
        SCOPED_TRACE(c.name);
        SpectralShifter shifter;
        ASSERT_TRUE(shifter.configure(c.channels, c.frame, c.interval, c.split));
        ASSERT_EQ(shifter.stft().bands(), c.frame == 4 ? 2u : 512u);
        if (c.channels == 2)
            shifter.setCustomFrequencyMap([](float f) { return 1.19f * f; });
        else
            shifter.setFrequencyMultiplier(0.8f, 0.1f);
        std::vector<float> out(static_cast<std::size_t>(n * c.channels));
        for (int start = 0; start < n; start += c.block) {
            const int length = std::min(c.block, n - start);
            const float* in[2] = {vowel.data() + start, other.data() + start};
            float* result[2] = {out.data() + start, out.data() + n + start};
            shifter.process(in, length, result, length);
        }
        compareWithRecording(out, std::string(ZINDLE_DSP_REFERENCE_DIR "/") + c.name + ".f32", true, write);
    }
    if (write)
        GTEST_SKIP() << "wrote the reference renders to " ZINDLE_DSP_REFERENCE_DIR;
}

} // namespace
} // namespace dsp
