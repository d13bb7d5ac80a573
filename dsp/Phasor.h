#pragma once

#include <cmath>
#include <limits>

namespace dsp {

/// A transform table entry exp(i angle): the angle worked out in double by the caller,
/// rounded to float, then cosine and sine in single precision; an angle that is not finite
/// stores NaN in both parts.
inline void storePhasor(double angle, float& re, float& im)
{
    const float a = static_cast<float>(angle);
    if (!std::isfinite(a)) {
        re = im = std::numeric_limits<float>::quiet_NaN();
        return;
    }
    re = std::cos(a);
    im = std::sin(a);
}

} // namespace dsp
