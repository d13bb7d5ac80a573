#version 330 core
// Colour effect: each output channel is the dot product of one row with the input colour
// (premultiplied, linear light). The content to change is texture 0.
#include "common.glsl"

in vec2 uv;
out vec4 fragColor;

uniform sampler2D t0_content;
uniform vec4 f0_r;
uniform vec4 f1_g;
uniform vec4 f2_b;
uniform vec4 f3_a;

void main()
{
    vec4 colour = texture(t0_content, uv);
    vec4 result = vec4(dot(f0_r, colour), dot(f1_g, colour), dot(f2_b, colour), dot(f3_a, colour));
    fragColor = vec4(encodeSRGB(result.rgb), clamp(result.a, 0.0, 1.0));
}
