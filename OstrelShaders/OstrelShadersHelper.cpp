#include "OstrelShaders/OstrelShadersHelper.h"

#include "OstrelShaders/ModuleBundle.h"

namespace ostrelshaders {

using shaderview::Shader;

Shader OstrelShadersHelper::colorMatrixShader(const Shader::Float4& r, const Shader::Float4& g, const Shader::Float4& b,
                                              const Shader::Float4& a)
{
    return Shader{moduleBundle().bundlePath(), QStringLiteral("colorMatrixShader"), {r, g, b, a}};
}

Shader OstrelShadersHelper::outsideSRGBShader()
{
    return Shader{moduleBundle().bundlePath(), QStringLiteral("outsideSRGBShader"), {}};
}

Shader OstrelShadersHelper::outsideP3Shader()
{
    return Shader{moduleBundle().bundlePath(), QStringLiteral("outsideP3Shader"), {}};
}

} // namespace ostrelshaders
