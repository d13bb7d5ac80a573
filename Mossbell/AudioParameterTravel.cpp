#include "Mossbell/AudioParameter.h"

#include "Mossbell/Extensions.h"

#include <algorithm>
#include <cmath>

// The knob's travel over a parameter's range. Any thread: only constant fields are read.
namespace mossbell {

namespace {

// -ln 2 in single precision: x^k = 0.5 for k = ln2Negative / ln x.
constexpr float ln2Negative = -0.6931472f;

bool hasLogarithmicTravel(const AudioParameter& parameter)
{
    const auto& range = parameter.valueRange();
    return parameter.valueIncrement().isLogarithmic() && range.lower > 0.0f && range.upper > 0.0f;
}

// The power of |base| carrying the sign of base. For positions from 0 up it is the plain
// power; below 0 (values under the lower bound) it keeps the curve monotonic and invertible
// where a plain float power of a negative base would give NaN.
float signedPower(float base, float exponent)
{
    return std::copysign(std::pow(std::fabs(base), exponent), base);
}

// The exponent of the parameter's own midpoint, when it has one that bends the travel.
std::optional<float> travelExponent(const AudioParameter& parameter)
{
    if (const auto midpoint = parameter.valueIncrement().midpoint())
        return parameter.midpointExponent(*midpoint);
    return std::nullopt;
}

} // namespace

std::optional<float> AudioParameter::midpointExponent(float midpoint) const
{
    const float lower = valueRange_.lower;
    const float upper = valueRange_.upper;
    if (!(lower > 0.0f))
        return std::nullopt;
    if (!(upper > 0.0f && lower < midpoint && midpoint < upper))
        return std::nullopt;
    const float x = std::log(midpoint / lower) / std::log(upper / lower);
    if (!(0.0f < x && x < 1.0f))
        return std::nullopt;
    return ln2Negative / std::log(x);
}

float AudioParameter::normalizedPosition(float value) const
{
    const float lower = valueRange_.lower;
    const float upper = valueRange_.upper;
    // No travel to divide: the one value of the range and everything else sit at the start.
    if (lower == upper)
        return 0.0f;
    if (!hasLogarithmicTravel(*this))
        return (value - lower) / (upper - lower);

    // Zero and below go to the far end below the range (the logarithm of zero), not to NaN.
    const float position = std::log(std::max(value, 0.0f) / lower) / std::log(upper / lower);
    if (const auto k = travelExponent(*this))
        return signedPower(position, *k);
    return position;
}

float AudioParameter::valueForNormalizedPosition(float position) const
{
    const float lower = valueRange_.lower;
    const float upper = valueRange_.upper;
    if (!hasLogarithmicTravel(*this))
        return lower + position * (upper - lower);

    const auto k = travelExponent(*this);
    const float travel = k ? signedPower(position, 1.0f / *k) : position;
    return lower * std::pow(upper / lower, travel);
}

int AudioParameter::imageIndex(float value, int imageCount) const
{
    // A strip has at least one frame; a smaller count must not produce frame 0 or below.
    if (imageCount <= 1)
        return 1;
    const float frame = std::round(normalizedPosition(value) * static_cast<float>(imageCount - 1) + 1.0f);
    // Bounded while still a float, so that neither NaN (which becomes frame 1) nor an infinite
    // or huge frame is ever converted to an integer. A large count rounds up as a float, hence
    // the last bound in a wider integer.
    const float bounded = clamped(frame, ClosedRange{1.0f, static_cast<float>(imageCount)});
    return static_cast<int>(std::min<long long>(std::llround(bounded), imageCount));
}

} // namespace mossbell
