#version 330 core
// Colour effect: marks the colours of texture 0 (extended linear sRGB) that Display P3
// cannot show.
#include "common.glsl"
#include "gamutStripes.glsl"

in vec2 uv;
out vec4 fragColor;

uniform sampler2D t0_content;

// Linear sRGB to linear Display P3 (same white point), rows as written.
const mat3 srgbToP3 = transpose(mat3(0.8225, 0.1774, 0.0000,
                                     0.0332, 0.9669, 0.0000,
                                     0.0171, 0.0724, 0.9108));

void main()
{
    vec4 colour = texture(t0_content, uv);
    vec3 linear = colour.a > 0.0 ? colour.rgb / colour.a : colour.rgb;
    fragColor = vec4(encodeSRGB(markOutside(colour.rgb, outsideUnitCube(srgbToP3 * linear))), colour.a);
}
