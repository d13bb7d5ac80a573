#version 330 core
// The about animation: the logo floating in a slow nebula made from the noise artwork, with
// a breathing halo, a sheen that sweeps across it every few seconds, and a few faint stars.
#include "common.glsl"

in vec2 uv;
out vec4 fragColor;

uniform vec2 f0_viewSize;     // pixels
uniform float f1_time;        // seconds
uniform sampler2D t0_logo;    // white on transparent
uniform sampler2D t1_noise;   // tiling noise: red and green smooth, blue fine grain

const vec3 deep = vec3(0.003, 0.002, 0.011);
const vec3 violet = vec3(0.30, 0.08, 0.85);
const vec3 magenta = vec3(0.70, 0.06, 0.45);
const vec3 cyan = vec3(0.02, 0.45, 0.95);

void main()
{
    vec2 size = max(f0_viewSize, vec2(1.0));
    float t = f1_time;
    vec2 p = (uv - 0.5) * vec2(size.x / size.y, 1.0);   // the view's height is 1
    float vignette = max(1.0 - 0.9 * length(p), 0.0);

    // Nebula: two layers of the smooth noise drifting against each other.
    vec2 drift = vec2(t * 0.010, -t * 0.007);
    float cloudA = texture(t1_noise, p * 0.35 + drift).r;
    float cloudB = texture(t1_noise, p * 0.70 - drift * 1.7 + cloudA * 0.25).g;
    float cloud = smoothstep(0.40, 0.85, cloudA * 0.55 + cloudB * 0.55);
    vec3 nebula = mix(mix(violet, magenta, cloudA), cyan, smoothstep(0.45, 0.8, cloudB));
    vec3 colour = deep + nebula * cloud * 0.22 * vignette;

    // Stars: the rare brightest grains, each twinkling at its own pace.
    vec2 grainScale = size / vec2(textureSize(t1_noise, 0));
    float grain = texture(t1_noise, uv * grainScale).b;
    float sparse = step(0.55, texture(t1_noise, uv * grainScale * 0.5 + 0.31).b);
    float star = smoothstep(0.9965, 1.0, grain) * sparse;
    star *= 0.5 + 0.5 * sin(t * (1.0 + uv.x * 3.0) + uv.y * 917.0);
    colour += vec3(0.6, 0.65, 1.0) * star * 0.5;

    // The logo, a little wavy as if seen through warm air.
    float logoSize = 0.84;   // the logo fills about 0.52 of it; the rest is room for the halo
    vec2 warp = (texture(t1_noise, p * 2.0 + vec2(0.0, t * 0.05)).rg - 0.5) * 0.006;
    vec2 logoUV = (p + warp) / logoSize + 0.5;
    bool inside = all(greaterThanEqual(logoUV, vec2(0.0))) && all(lessThanEqual(logoUV, vec2(1.0)));
    float logo = inside ? texture(t0_logo, logoUV).a : 0.0;
    // Halo: the logo blurred (a small mip level, sampled on a ring of taps so its blocks do
    // not show), breathing slowly.
    float halo = 0.0;
    for (int k = 0; k < 8; ++k) {
        float angle = float(k) * pi / 4.0;
        vec2 tap = logoUV + vec2(cos(angle), sin(angle)) * 0.035;
        halo += textureLod(t0_logo, clamp(tap, 0.0, 1.0), 3.5).a;
    }
    halo = inside ? halo / 8.0 : 0.0;
    float breath = 0.55 + 0.45 * sin(t * 1.1);
    vec3 haloColour = mix(violet, cyan, 0.5 + 0.5 * sin(t * 0.3));
    colour += haloColour * halo * (0.30 + 0.40 * breath);

    // The logo runs from ice blue at the top to lilac at the bottom; a soft diagonal sheen
    // crosses it every six seconds.
    float sweep = fract(t / 6.0) * 2.6 - 0.8;
    float sheen = exp(-pow((logoUV.x + logoUV.y * 0.6 - sweep * 1.6) * 5.0, 2.0));
    vec3 logoColour = mix(vec3(0.45, 0.75, 1.0), vec3(0.75, 0.50, 1.0), smoothstep(0.25, 0.75, logoUV.y));
    logoColour = mix(logoColour, vec3(1.4), sheen * 0.8);
    colour = mix(colour, logoColour, logo);

    // Fine film grain, moving each frame, so the gradients do not band.
    float film = texture(t1_noise, uv * grainScale + vec2(fract(t * 7.1), fract(t * 3.7))).b - 0.5;
    colour += film * 0.004;

    fragColor = vec4(encodeSRGB(toneMap(colour * 1.25)), 1.0);
}
