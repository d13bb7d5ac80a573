#include "dsp/OverlapAddSTFT.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace dsp {

namespace {

/// Modified Bessel function of the first kind, order 0, by its power series; every term is
/// added, and the sum stops once the next term is no longer above 1e-4.
double besselI0(double x)
{
    const double x2 = x * x;
    double sum = 0.0;
    double term = 1.0;
    for (double n = 1.0;; n += 1.0) {
        sum += term;
        term *= x2 / (4.0 * n * n);
        if (!(term > 0.0001))
            return sum;
    }
}

/// dst[i] = +-(ring[start + i] * window[i]) for i below count, the ring wrapping once at length.
template <bool Negate>
void windowFromRing(const float* ring, std::size_t length, std::size_t start, const float* window,
                    float* dst, std::size_t count)
{
    start %= length;
    const std::size_t first = std::min(count, length - start);
    const float* src = ring + start;
    for (std::size_t i = 0; i < first; ++i)
        dst[i] = Negate ? -(src[i] * window[i]) : src[i] * window[i];
    for (std::size_t i = first; i < count; ++i)
        dst[i] = Negate ? -(ring[i - first] * window[i]) : ring[i - first] * window[i];
}

/// ring[start + i] +-= window[i] * src[i] for i below count, the ring wrapping once at length.
template <bool Subtract>
void overlapAddToRing(float* ring, std::size_t length, std::size_t start, const float* window,
                      const float* src, std::size_t count)
{
    start %= length;
    const std::size_t first = std::min(count, length - start);
    float* dst = ring + start;
    for (std::size_t i = 0; i < first; ++i)
        dst[i] += Subtract ? -(window[i] * src[i]) : window[i] * src[i];
    for (std::size_t i = first; i < count; ++i)
        ring[i - first] += Subtract ? -(window[i] * src[i]) : window[i] * src[i];
}

} // namespace

bool OverlapAddSTFT::configure(std::size_t inChannels, std::size_t outChannels, std::size_t blockSamples,
                               std::size_t extraInputHistory, std::size_t interval)
{
    if (interval == 0)
        interval = blockSamples / 4;
    if (interval == 0 || interval >= blockSamples) {
        // Without at least one hop per block the schedule would divide by zero or never end.
        *this = OverlapAddSTFT();
        return false;
    }

    inChannels_ = inChannels;
    outChannels_ = outChannels;
    blockSamples_ = blockSamples;
    fftSize_ = fftSizeFor(blockSamples);
    bands_ = fftSize_ / 2;
    fft_.setSize(fftSize_);
    inputLength_ = blockSamples + extraInputHistory;

    input_.ring.assign(inChannels * inputLength_, 0.0f);
    output_.ring.assign(outChannels * blockSamples, 0.0f);
    output_.windowProducts.assign(blockSamples, 0.0f);
    spectrum_.assign(std::max(inChannels, outChannels) * bands_, std::complex<float>());
    time_.assign(fftSize_, 0.0f);
    analysisWindow_.assign(blockSamples, 0.0f);
    synthesisWindow_.assign(blockSamples, 0.0f);

    setInterval(interval, WindowShape::confinedGaussian);
    reset(1.0f);
    return true;
}

std::size_t OverlapAddSTFT::fftSizeFor(std::size_t blockSamples)
{
    // 4 p k with k in {1, 2, 3, 4, 5, 6, 8}: a length the transform factors well, never below the block.
    const std::size_t q = (((blockSamples + 1) >> 1) + 1) >> 1;
    std::size_t p = 1;
    while (p < std::min<std::size_t>(q, 16))
        p <<= 1;
    while (q > 8 * p)
        p <<= 1;
    const std::size_t k = (q + p - 1) / p;
    return p * (k == 7 ? 8 : k) * 4;
}

bool OverlapAddSTFT::setInterval(std::size_t interval, WindowShape shape)
{
    if (interval == 0 || interval >= blockSamples_)
        return false;
    interval_ = interval;
    if (shape == WindowShape::keep)
        return true;
    analysisOffset_ = blockSamples_ / 2;
    synthesisOffset_ = blockSamples_ / 2;
    buildWindow(shape);
    return true;
}

void OverlapAddSTFT::buildWindow(WindowShape shape)
{
    const std::size_t block = blockSamples_;
    const double ratio = static_cast<double>(block) / static_cast<double>(interval_);

    // Kaiser: a main lobe as wide as the overlap allows.
    double beta = 0.0;
    double i0Beta = 1.0;
    // Confined Gaussian, approximated by a Gaussian minus two mirrored copies.
    double a = 0.0;
    double c = 0.0;
    double norm = 1.0;
    const auto gauss = [&a](double x) { return std::exp(-a * x * x); };
    if (shape == WindowShape::kaiser) {
        double bandwidth = ratio + 8.0 / ((ratio + 3.0) * (ratio + 3.0)) + 0.25 * std::max(3.0 - ratio, 0.0);
        bandwidth = std::max(bandwidth, 2.0);
        beta = std::numbers::pi * std::sqrt(bandwidth * bandwidth / 4.0 - 1.0);
        i0Beta = besselI0(beta);
    } else {
        const double sigma = 0.3 / std::sqrt(ratio);
        a = 0.0625 / (sigma * sigma);
        c = gauss(1.0) / (gauss(1.0) + gauss(3.0));
        norm = 1.0 / (1.0 - 2.0 * c * gauss(2.0));
    }

    for (std::size_t i = 0; i < block; ++i) {
        const double r = (2.0 * static_cast<double>(i) + 1.0) / static_cast<double>(block) - 1.0;
        const double w = shape == WindowShape::kaiser
                             ? besselI0(beta * std::sqrt(1.0 - r * r)) / i0Beta
                             : norm * (gauss(r) - c * (gauss(r - 2.0) + gauss(r + 2.0)));
        synthesisWindow_[i] = static_cast<float>(w);
    }

    if (inChannels_ == 0) {
        std::fill(analysisWindow_.begin(), analysisWindow_.end(), 1.0f);
        return;
    }

    // Every residue class of the hop gets unit energy, so the products of the frames that
    // overlap any position add up to the same constant.
    for (std::size_t j = 0; j < interval_ && j < block; ++j) {
        double sum = 0.0;
        for (std::size_t i = j; i < block; i += interval_)
            sum += static_cast<double>(synthesisWindow_[i]) * synthesisWindow_[i];
        if (!(sum > 0.0))
            continue;
        const double scale = 1.0 / std::sqrt(sum);
        for (std::size_t i = j; i < block; i += interval_)
            synthesisWindow_[i] = static_cast<float>(synthesisWindow_[i] * scale);
    }
    analysisWindow_ = synthesisWindow_;
}

void OverlapAddSTFT::reset(float productWeight)
{
    if (!configured())
        return;
    input_.position = blockSamples_ % inputLength_;
    output_.position = 0;
    std::fill(input_.ring.begin(), input_.ring.end(), 0.0f);
    std::fill(output_.ring.begin(), output_.ring.end(), 0.0f);
    std::fill(spectrum_.begin(), spectrum_.end(), std::complex<float>());
    std::fill(time_.begin(), time_.end(), 0.0f);

    // Pretend the stream has always run: one frame at position 0 plus, folded in from the
    // top down, every earlier frame that still overlaps the ring.
    std::vector<float>& products = output_.windowProducts;
    std::fill(products.begin(), products.end(), 0.0f);
    addFrameProducts(products, 0);
    for (std::size_t j = blockSamples_ - interval_; j-- > 0;)
        products[j] += products[j + interval_];
    for (float& p : products)
        p = p * productWeight + productFloor;

    moveOutput(interval_);
}

void OverlapAddSTFT::addFrameProducts(std::vector<float>& windowProducts, std::size_t start) const
{
    const std::ptrdiff_t block = static_cast<std::ptrdiff_t>(blockSamples_);
    const std::ptrdiff_t d = static_cast<std::ptrdiff_t>(synthesisOffset_) - static_cast<std::ptrdiff_t>(analysisOffset_);
    const std::ptrdiff_t begin = std::max<std::ptrdiff_t>(d, 0);
    const std::ptrdiff_t end = std::min(block, block + d);
    if (begin >= end)
        return;

    const float scale = static_cast<float>(fftSize_);
    const float* analysis = analysisWindow_.data();
    const float* synthesis = synthesisWindow_.data();
    float* products = windowProducts.data();
    const std::ptrdiff_t wrap = block - static_cast<std::ptrdiff_t>(start); // first i that wraps
    const std::ptrdiff_t split = std::clamp(wrap, begin, end);
    float* dst = products + start;
    for (std::ptrdiff_t i = begin; i < split; ++i)
        dst[i] += analysis[i - d] * synthesis[i] * scale;
    for (std::ptrdiff_t i = split; i < end; ++i)
        products[i - wrap] += analysis[i - d] * synthesis[i] * scale;
}

void OverlapAddSTFT::writeInput(const float* const* channels, std::size_t first, std::size_t count)
{
    if (count == 0 || inputLength_ == 0)
        return;
    // Only the newest inputLength samples can survive in the ring.
    const std::size_t skip = count > inputLength_ ? count - inputLength_ : 0;
    const std::size_t n = count - skip;
    const std::size_t start = (input_.position + skip) % inputLength_;
    const std::size_t head = std::min(n, inputLength_ - start);
    for (std::size_t c = 0; c < inChannels_; ++c) {
        const float* src = channels[c] + first + skip;
        float* ring = input_.ring.data() + c * inputLength_;
        std::copy_n(src, head, ring + start);
        std::copy_n(src + head, n - head, ring);
    }
    input_.position = (input_.position + count) % inputLength_;
}

void OverlapAddSTFT::analyse(std::size_t channel, const InputState& input, std::size_t samplesBack)
{
    const std::size_t length = inputLength_;
    const std::size_t block = blockSamples_;
    const std::size_t offset = analysisOffset_;
    const std::size_t n = fftSize_;
    const float* ring = input.ring.data() + channel * length;
    const std::size_t start = (input.position + 2 * length - block - samplesBack) % length;
    const float* window = analysisWindow_.data();
    float* time = time_.data();

    // The block's centre goes to time 0; what wraps to the end is negated, as the half-bin
    // shift of the transform requires of a rotated frame.
    windowFromRing<false>(ring, length, start + offset, window + offset, time, block - offset);
    std::fill(time + (block - offset), time + (n - offset), 0.0f);
    windowFromRing<true>(ring, length, start, window, time + (n - offset), offset);

    fft_.forward(time, spectrum(channel));
}

void OverlapAddSTFT::synthesise(std::size_t channel)
{
    if (channel == 0)
        addFrameProducts(output_.windowProducts, output_.position);

    fft_.inverse(spectrum(channel), time_.data());

    const std::size_t block = blockSamples_;
    const std::size_t offset = synthesisOffset_;
    const float* window = synthesisWindow_.data();
    const float* time = time_.data();
    float* ring = output_.ring.data() + channel * block;
    overlapAddToRing<true>(ring, block, output_.position, window, time + (fftSize_ - offset), offset);
    overlapAddToRing<false>(ring, block, output_.position + offset, window + offset, time, block - offset);
}

void OverlapAddSTFT::readOutput(const OutputState& state, std::size_t channel, float* out, std::size_t count) const
{
    const std::size_t block = blockSamples_;
    const std::size_t position = state.position;
    const float* ring = state.ring.data() + channel * block;
    const float* products = state.windowProducts.data();
    const std::size_t head = std::min(count, block - position);
    for (std::size_t i = 0; i < head; ++i)
        out[i] = ring[position + i] / products[position + i];
    for (std::size_t i = head; i < count; ++i)
        out[i] = ring[i - head] / products[i - head];
}

void OverlapAddSTFT::moveOutputSpan(OutputState& state, std::size_t samples) const
{
    const std::size_t block = blockSamples_;
    if (block == 0 || samples == 0)
        return;
    const std::size_t cleared = std::min(samples, block);
    const std::size_t head = std::min(cleared, block - state.position);
    for (std::size_t c = 0; c < outChannels_; ++c) {
        float* ring = state.ring.data() + c * block;
        std::fill_n(ring + state.position, head, 0.0f);
        std::fill_n(ring, cleared - head, 0.0f);
    }
    float* products = state.windowProducts.data();
    std::fill_n(products + state.position, head, productFloor);
    std::fill_n(products, cleared - head, productFloor);
    state.position = (state.position + samples) % block;
}

} // namespace dsp
