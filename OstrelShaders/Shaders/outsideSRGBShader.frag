#version 330 core
// Colour effect: marks the colours of texture 0 (extended linear sRGB) that sRGB cannot
// show, i.e. with a channel below 0 or above 1.
#include "common.glsl"
#include "gamutStripes.glsl"

in vec2 uv;
out vec4 fragColor;

uniform sampler2D t0_content;

void main()
{
    vec4 colour = texture(t0_content, uv);
    vec3 linear = colour.a > 0.0 ? colour.rgb / colour.a : colour.rgb;
    fragColor = vec4(encodeSRGB(markOutside(colour.rgb, outsideUnitCube(linear))), colour.a);
}
