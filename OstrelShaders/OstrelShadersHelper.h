#pragma once

#include "platform/shaderview/Shader.h"

namespace ostrelshaders {

/// Colour effects of the module's shader library, as values a view applies (see
/// shaderview::Shader): each names its fragment function in the module's bundle.
struct OstrelShadersHelper {
    OstrelShadersHelper() = delete;

    /// "colorMatrixShader": each output channel is the dot product of one row with the
    /// (premultiplied) input colour: red = r · colour, green = g · colour, and so on.
    static shaderview::Shader colorMatrixShader(const shaderview::Shader::Float4& r, const shaderview::Shader::Float4& g,
                                                const shaderview::Shader::Float4& b, const shaderview::Shader::Float4& a);
    /// "outsideSRGBShader": marks colours that sRGB cannot show with stripes.
    static shaderview::Shader outsideSRGBShader();
    /// "outsideP3Shader": marks colours that Display P3 cannot show with stripes.
    static shaderview::Shader outsideP3Shader();
};

} // namespace ostrelshaders
