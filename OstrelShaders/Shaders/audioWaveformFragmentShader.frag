#version 330 core
// The welcome window's band behind the title: strands of a voice's waveform drawn in light
// over a night sky, swelling in syllable-like bursts that travel across the band.
#include "common.glsl"

in vec2 uv;
out vec4 fragColor;

uniform vec2 f0_viewSize;  // pixels
uniform uint f1_seed;
uniform float f2_time;     // seconds

const int strandCount = 6;

// Linear-light palette; the night matches the title's shadow colour.
const vec3 night = vec3(0.0032, 0.0016, 0.0125);
const vec3 dusk = vec3(0.028, 0.009, 0.066);
const vec3 cyan = vec3(0.02, 0.50, 1.00);
const vec3 violet = vec3(0.42, 0.10, 1.00);
const vec3 magenta = vec3(1.00, 0.08, 0.50);

vec3 palette(float h)
{
    h = fract(h) * 3.0;
    if (h < 1.0)
        return mix(cyan, violet, smoothstep(0.0, 1.0, h));
    if (h < 2.0)
        return mix(violet, magenta, smoothstep(1.0, 2.0, h));
    return mix(magenta, cyan, smoothstep(2.0, 3.0, h));
}

// How loud the voice is at x: a window that fades the band's ends, times bursts that move
// from left to right.
float loudness(float x, float t, float lane)
{
    float window = pow(sin(pi * clamp(x, 0.0, 1.0)), 1.6);
    float bursts = smoothstep(0.22, 0.78, valueNoise(vec2(x * 2.6 - t * 0.55, lane * 7.3 + t * 0.11)));
    return window * (0.25 + 0.75 * bursts);
}

// Height of strand i at x, in band heights from the centre line.
float strand(float x, float t, float i, vec4 phase)
{
    float lane = i + phase.w;
    float carrier = sin(x * (11.0 + 3.0 * phase.x + i * 1.7) + t * (1.3 + 0.35 * i) + phase.y * 6.283)
                  + 0.45 * sin(x * (23.0 + 5.0 * phase.z) - t * (2.1 + 0.2 * i) + i * 1.9)
                  + 0.35 * (valueNoise(vec2(x * 9.0 + t * 0.8, lane * 3.1)) - 0.5);
    return 0.16 * loudness(x, t, lane) * carrier / 1.5;
}

void main()
{
    vec2 size = max(f0_viewSize, vec2(1.0));
    float pt = max(size.y / 300.0, 0.5);    // the band is 300 points high
    float t = f2_time;
    vec2 p = uv;
    vec4 phase = vec4(seedFloat(f1_seed, 1u), seedFloat(f1_seed, 2u), seedFloat(f1_seed, 3u), seedFloat(f1_seed, 4u) * 40.0);

    // Night sky with a soft violet dawn behind the title.
    vec2 centred = (p - vec2(0.5, 0.52)) * vec2(size.x / size.y, 1.0);
    float dawn = exp(-dot(centred * vec2(0.9, 2.2), centred * vec2(0.9, 2.2)) * 3.0);
    vec3 colour = mix(night, dusk, dawn);
    colour += dusk * 0.18 * fbm(vec2(p.x * 3.0 + t * 0.02, p.y * 2.0 - t * 0.015) + phase.w);

    // A faint spectrum: thin bars that rise and fall with the voice around the centre line.
    float barPitch = 7.0 * pt;
    float column = floor(p.x * size.x / barPitch);
    float barX = column * barPitch / size.x;
    float barHeight = 0.05 + 0.22 * loudness(barX, t, 11.0) * valueNoise(vec2(column * 0.37, t * 2.2 + phase.w));
    float inBar = smoothstep(0.5, 0.35, abs(fract(p.x * size.x / barPitch) - 0.5));
    float barFade = smoothstep(barHeight, 0.0, abs(p.y - 0.5));
    colour += palette(barX * 0.8 + t * 0.02) * inBar * barFade * barFade * 0.05;

    // The strands: a bright core, a glow around it and a wide haze.
    vec3 light = vec3(0.0);
    float dx = 1.0 / size.x;
    for (int s = 0; s < strandCount; ++s) {
        float i = float(s);
        float y = 0.5 + strand(p.x, t, i, phase);
        float yNext = 0.5 + strand(p.x + dx, t, i, phase);
        float slope = (yNext - y) * size.y;              // pixels up per pixel across
        float d = abs(p.y - y) * size.y / sqrt(1.0 + slope * slope) / pt;   // points from the strand
        float window = pow(sin(pi * p.x), 0.8);
        float strength = ((0.55 + 0.45 * sin(t * 0.7 + i * 1.3 + phase.y * 6.283)) * loudness(p.x, t, i + phase.w) + 0.05) * window;
        float core = smoothstep(1.3, 0.2, d);
        float glow = exp(-d / 5.0);
        float haze = exp(-d / 22.0);
        vec3 hue = palette(p.x * 0.55 + i * 0.13 + t * 0.025 + phase.z);
        light += hue * strength * (core * 0.9 + glow * 0.45 + haze * 0.05);
    }

    // Dust that glints now and then.
    vec2 cell = floor(p * size / (14.0 * pt));
    vec2 spot = (cell + vec2(hash12(cell), hash12(cell + 7.7))) * 14.0 * pt / size;
    float twinkle = pow(max(0.0, sin(t * (0.6 + hash12(cell + 3.1)) + hash12(cell) * 40.0)), 12.0);
    float dust = smoothstep(1.4, 0.0, length((p - spot) * size) / pt) * twinkle * step(0.55, hash12(cell + 1.3));
    light += vec3(0.55, 0.6, 1.0) * dust * 0.8;

    // The band fades into the window at its top and bottom edges.
    float edge = smoothstep(0.0, 0.22, p.y) * smoothstep(1.0, 0.72, p.y);
    colour = toneMap((colour + light) * mix(0.35, 1.0, edge));
    fragColor = vec4(encodeSRGB(colour), 1.0);
}
